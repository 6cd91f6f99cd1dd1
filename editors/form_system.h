#pragma once
// The system window: the element window of one system, a fixed 400 x 138 multiple-document child
// with a toolbar and four page panels on a gradient (Setup, Scale Tune, Preview, Midi). A
// double-click on a panel opens that page or brings it to the front; panels dragged onto the
// panels of another system window copy those pages' bytes, after which the target system is sent
// whole once. Its toolbar resets, loads, saves, sends and receives the system. Closing it closes
// the system's pages.

#include "controls/shader.h"
#include "editors/element_window.h"
#include "editors/form_view.h"
#include "editors/page_panel.h"
#include "model/editing/clipboard.h"
#include "model/editing/drag_info.h"
#include "model/elements/system.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"

#include <memory>
#include <vector>

namespace editors {

namespace forms = platform::forms;

class TFormSystem : public forms::TForm, public TElementWindow {
public:
    static constexpr int HelpContextNumber = 58;
    static constexpr int FixedWidth = 400;
    static constexpr int FixedHeight = 138;

    // A child of the main window, showing system; dragInfo is the program's one drag
    // information and clipboard its part clipboard (the main window's).
    TFormSystem(forms::TComponent* owner, model::TSystem& system, model::TDragInfo& dragInfo,
                model::TClipboard& clipboard);
    ~TFormSystem() override;

    model::TSystem& System() const { return system_; }

    void UpDateView();

    // Opens the page of kind, or brings it to the front.
    void OpenPage(model::TPageKind kind);
    // Copies the page of kind from source into target, colouring the target's panel of it.
    void CopySystemPart(model::TSystem& source, model::TSystem& target, model::TPageKind kind);

    controls::TShader& Shader1;
    forms::TPanel& Panel1;
    forms::TSpeedButton& SpeedNuovo;
    forms::TSpeedButton& SpeedHelp;
    forms::TSpeedButton& SpeedCarica;
    forms::TSpeedButton& SpeedSalva;
    forms::TSpeedButton& SpeedButton1;
    forms::TSpeedButton& SpeedButton3;
    forms::TSpeedButton& SpeedButton2;
    forms::TPanel& PanelSystem;
    forms::TPanel& SysSetup;
    forms::TPanel& SysScaleTune;
    forms::TPanel& SysPreview;
    forms::TPanel& SysMidi;

private:
    forms::TPanel& MakePage(const char* name, const char* caption, int left);

    model::TLibElem& Element() const override { return system_; }
    TElementWindow* WindowOfPanel(const forms::TObject* control) const override;

    void ShowElement() override { UpDateView(); }
    void FormActivate() override;
    void CloseElementPages() override;
    void OpenPanelPage(model::TPageKind kind, forms::TPanel& panel) override;
    const char* DragGroup(const TPagePanelOf&) const override { return "PanelSystem"; }
    bool AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                     model::TPageKind kind) const override;
    void CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                         const model::TDragElem& entry) override;

    model::TSystem& system_;
    model::TClipboard& clipboard_;
};

} // namespace editors
