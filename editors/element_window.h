#pragma once
// What the element windows (patch, performance, rhythm set, system) share: page panels on a
// gradient below a toolbar, which a double-click opens and a drag copies into another window of
// the same kind. Each window keeps its own panels, its page table, the bytes a page copy moves
// and the drag-over rule it adds; this base holds the toolbar's buttons and deeds (new, send,
// receive, load, save, save as, help), the window's frame and events, the panels' adapters and
// handlers and the drag's course.

#include "controls/shader.h"
#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "editors/page_panel.h"
#include "model/editing/drag_info.h"
#include "model/elements/lib_elem.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace editors {

namespace forms = platform::forms;

class TElementWindow : public TElemWindow, public model::TPageForm {
public:
    // The toolbar's buttons, each with its caption, hint and deed on the element; Gap stands for
    // six more pixels between two buttons.
    enum class TTool { New, Send, Receive, Load, Save, SaveAs, Help, Gap };
    // A window's toolbar from left to right: the buttons' width, the room between two of them
    // and the tools in order.
    struct TToolbarLayout {
        int ButtonWidth;
        int Spacing;
        std::vector<TTool> Order;
    };
    static constexpr int ToolbarHeight = 28;

    // model::TPageForm: the window itself and its page panels.
    forms::TObject* Form() override { return &form_; }
    std::vector<model::TPagePanel*> PagePanels() override;
    model::TLibElem* FormElem() override;
    // The first page panel of kind; null for none.
    forms::TPanel* PagePanel(model::TPageKind kind) const;
    // What the element knows as its window (its Editor): its update shows the element anew.
    TFormView& View() { return view_; }

protected:
    // form is the window itself; dragInfo the program's one drag information.
    TElementWindow(forms::TForm& form, model::TDragInfo& dragInfo);

    // The element the window shows.
    virtual model::TLibElem& Element() const = 0;
    // The window of this kind a page panel lies in (its parent's parent); null for any other
    // control.
    virtual TElementWindow* WindowOfPanel(const forms::TObject* control) const = 0;

    // What each window adds to the shared course, the differences between the kinds:
    // OnShow and the view's update: the element shown anew.
    virtual void ShowElement() = 0;
    // OnActivate: the element's edit buffer activated.
    virtual void FormActivate() = 0;
    // OnDestroy: the element's open pages closed.
    virtual void CloseElementPages() = 0;
    // Opens the page of kind that page panel stands for, or brings it to the front.
    virtual void OpenPanelPage(model::TPageKind kind, forms::TPanel& panel) = 0;
    // The drag group a press on panel (a group or page panel) begins a page drag from.
    virtual const char* DragGroup(const TPagePanelOf& panel) const = 0;
    // The window's own rule for a page of kind dragged from dragged over target.
    virtual bool AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                             model::TPageKind kind) const = 0;
    // Copies a dropped entry into targetWindow, dropped on targetPanel.
    virtual void CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                                 const model::TDragElem& entry) = 0;

    // The adapter of a panel of this window; null for another control.
    TPagePanelOf* PanelOf(const forms::TObject* control) const;
    // The window of type Window the dragged pages come from; this one when another.
    template <class Window> Window& DragSource(Window& self) const {
        auto* source = dynamic_cast<Window*>(dragInfo_.Source);
        return source != nullptr ? *source : self;
    }

    // The toolbar at the window's top, bare until SetUpFrame.
    forms::TPanel& MakeToolbar();
    // A toolbar button of tool, placed by layout: flat, showing its hint, doing its deed.
    forms::TSpeedButton& MakeToolButton(forms::TPanel& toolbar, const TToolbarLayout& layout,
                                        TTool tool);
    // What every element window's frame is: help context, caption, a single border with the
    // system menu and the minimise box, the toolbar aligned on top, the gradient behind.
    void SetUpFrame(int helpContext, const char* caption, forms::TPanel& toolbar,
                    controls::TShader& shader);
    // Makes group, named name, a lowered group panel the drag code knows: a press on it begins
    // a page drag; page panels added before it, with no group yet, lie in it.
    void AddGroupPanel(forms::TPanel& group, const char* name);
    // A page panel named name on group at its bounds: a double-click opens its page, a press
    // begins a page drag, a drag over it is accepted or refused and the end of a drag begun on
    // it copies the pages.
    forms::TPanel& AddPagePanel(forms::TPanel& group, const char* name, const char* caption,
                                int left, int top, int width, int height);
    // The window's own events: a drag over the window, the toolbar, the gradient or the
    // background panels is refused; the window is placed on create, shows its element on
    // show, activates it, frees itself on close, closes its pages on destroy and keeps its
    // width and height.
    void SetUpEvents(std::initializer_list<forms::TControl*> background, int width, int height);

    // The caption: the element's name, file and place in the library.
    std::string ElementCaption() const;

    // What the drag code sees of the panels: group panels, then the page panels in PagePanels'
    // order. Made before the window's own controls, which fill them.
    std::vector<std::unique_ptr<TPagePanelOf>> groups_;
    std::vector<std::unique_ptr<TPagePanelOf>> pages_;
    forms::TForm& form_;
    model::TDragInfo& dragInfo_;

private:
    void ToolClick(TTool tool);
    void BringWindowToFront();
    // A drag over anything but a page panel is refused.
    void BackgroundDragOver(bool& Accept);
    // OnClose: the window frees itself.
    void ReleaseOnClose(forms::TCloseAction& Action);
    // OnResize: the window keeps its size.
    void KeepSize(int width, int height);
    // A press on panel begins a page drag.
    void WirePressOn(forms::TPanel& panel);
    // OnCreate: marks the element's window open and places the window where it was.
    void PlaceWindow();
    // OnDestroy: the element keeps the window's place, its pages close and its window is gone.
    void FormDestroy();
    // A double-click on a page panel: the page it opens stays in front after the drag.
    void PageDblClick(forms::TPanel& panel);
    // A press on a group or page panel begins a page drag.
    void PageMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                       forms::TShiftState Shift);
    // A drag over a page panel: accepted when a page of the panel's kind comes from another
    // page panel of a window of this kind and AcceptsPage agrees.
    void PageDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept);
    // The end of a page drag begun here: on an accepted drop, CopyDroppedPage copies each
    // dragged entry into the window dropped on, whose element is then marked modified,
    // refreshed and sent whole once.
    void PageEndDrag(forms::TObject* Target);

    TFormView view_;
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
