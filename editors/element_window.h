#pragma once
// What the element windows (patch, performance, rhythm set, system) share: page panels on a
// gradient below a toolbar, which a double-click opens and a drag copies into another window of
// the same kind. Each window keeps its own panels, its page table, the bytes a page copy moves
// and the drag-over rule it adds; this base holds the panels' adapters and the drag's course.

#include "controls/shader.h"
#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "editors/page_panel.h"
#include "model/editing/drag_info.h"
#include "model/elements/lib_elem.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace editors {

namespace forms = platform::forms;

class TElementWindow : public TElemWindow, public model::TPageForm {
public:
    std::vector<model::TPagePanel*> PagePanels() override;

protected:
    // form is the window itself; dragInfo the program's one drag information.
    TElementWindow(forms::TForm& form, model::TDragInfo& dragInfo);

    // The element the window shows.
    virtual model::TLibElem& Element() const = 0;
    // What the element knows as its window.
    virtual TFormView& ElementView() = 0;
    // The window of this kind a page panel lies in (its parent's parent); null for any other
    // control.
    virtual TElementWindow* WindowOfPanel(const forms::TObject* control) const = 0;

    // The adapter of a panel of this window; null for another control.
    TPagePanelOf* PanelOf(const forms::TObject* control) const;
    // The first page panel of kind; null for none.
    forms::TPanel* FirstPagePanel(model::TPageKind kind) const;

    // The toolbar's look: every button flat, showing its hint.
    static void
    SetButtonHints(std::initializer_list<std::pair<forms::TSpeedButton*, const char*>> hints);
    // The gradient behind the panels.
    static void SetGradient(controls::TShader& shader);

    void BringWindowToFront();
    // A press on a group or page panel of group begins a page drag.
    void PageMouseDown(forms::TObject* Sender, forms::TMouseButton Button, forms::TShiftState Shift,
                       const char* group);
    // A drag over a page panel: accepted when a page of the panel's kind comes from another
    // page panel of a window of this kind and accepts, the window's own rule, agrees.
    void
    PageDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept,
                 const std::function<bool(const forms::TPanel& target, const forms::TPanel& dragged,
                                          model::TPageKind kind)>& accepts);
    // A drag over anything but a page panel is refused.
    void BackgroundDragOver(bool& Accept);
    // The end of a page drag begun here: on an accepted drop, copy copies each dragged entry
    // into the window dropped on, whose element is then marked modified, refreshed and sent
    // whole once.
    void EndPageDrag(forms::TObject* Target,
                     const std::function<void(TElementWindow& targetWindow,
                                              const model::TDragElem& entry)>& copy);
    // A double-click on a page panel: the page it opens stays in front after the drag.
    void PageDblClicked() { DblClicked = true; }

    // OnCreate: marks the element's window open and places the window where it was.
    void PlaceWindow();
    // OnClose: the window frees itself.
    void ReleaseOnClose(forms::TCloseAction& Action);
    // OnResize: the window keeps its size.
    void KeepSize(int width, int height);
    // OnDestroy, after the window has closed its pages: the element's window is gone.
    void ForgetWindow();
    // The caption: the element's name, file and place in the library.
    std::string ElementCaption() const;

    // What the drag code sees of the panels: group panels, then the page panels in PagePanels'
    // order. Made before the window's own controls, which fill them.
    std::vector<std::unique_ptr<TPagePanelOf>> groups_;
    std::vector<std::unique_ptr<TPagePanelOf>> pages_;
    forms::TForm& form_;
    model::TDragInfo& dragInfo_;

private:
    // Set by a double-click on a page panel, cleared at the end of the drag its press began:
    // the page it opened stays in front.
    bool DblClicked = false;
};

// The window of type Window a page panel lies in (its parent's parent); null for any other
// control.
template <class Window> Window* WindowOfPagePanel(const forms::TObject* control) {
    const auto* panel = dynamic_cast<const forms::TPanel*>(control);
    if (panel == nullptr || panel->Parent() == nullptr) return nullptr;
    return dynamic_cast<Window*>(panel->Parent()->Parent());
}

} // namespace editors
