#include "editors/form_system.h"

#include "editors/form_scale_tune.h"
#include "editors/form_sys_midi.h"
#include "editors/form_sys_preview.h"
#include "editors/form_sys_setup.h"
#include "editors/system_part_copy.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

namespace editors {

namespace {

using TTool = TElementWindow::TTool;

// New, Send, Receive, Load, Save, Save as, Help, a pixel apart.
const TElementWindow::TToolbarLayout Toolbar = {54,
                                                1,
                                                {TTool::New, TTool::Send, TTool::Receive,
                                                 TTool::Load, TTool::Save, TTool::SaveAs,
                                                 TTool::Help}};

constexpr int PageWidth = 80;
constexpr int PageHeight = 24;
constexpr int PagePitch = 92;

} // namespace

TFormSystem::TFormSystem(forms::TComponent* owner, model::TSystem& system,
                         model::TDragInfo& dragInfo, model::TClipboard& clipboard)
    : forms::TForm(owner, forms::fsMDIChild), TElementWindow(*this, dragInfo),
      Shader1(forms::PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(MakeToolbar()), SpeedNuovo(MakeToolButton(Panel1, Toolbar, TTool::New)),
      SpeedHelp(MakeToolButton(Panel1, Toolbar, TTool::Help)),
      SpeedCarica(MakeToolButton(Panel1, Toolbar, TTool::Load)),
      SpeedSalva(MakeToolButton(Panel1, Toolbar, TTool::Save)),
      SpeedButton1(MakeToolButton(Panel1, Toolbar, TTool::SaveAs)),
      SpeedButton3(MakeToolButton(Panel1, Toolbar, TTool::Send)),
      SpeedButton2(MakeToolButton(Panel1, Toolbar, TTool::Receive)),
      PanelSystem(forms::PlaceControl<forms::TPanel>(*this, *this, 8, ToolbarHeight + 20, 376, 36)),
      SysSetup(MakePage("SysSetup", "Setup", 6)),
      SysScaleTune(MakePage("SysScaleTune", "Scale Tune", 6 + PagePitch)),
      SysPreview(MakePage("SysPreview", "Preview", 6 + 2 * PagePitch)),
      SysMidi(MakePage("SysMidi", "Midi", 6 + 3 * PagePitch)), system_(system),
      clipboard_(clipboard) {
    SetUpFrame(HelpContextNumber, "System", Panel1, Shader1);
    Shader1.OnClick = [this](forms::TObject*) { model::UnhighlightPanels(*this); };

    AddGroupPanel(PanelSystem, "PanelSystem");

    SetUpEvents({&Shader1, &Panel1, &PanelSystem}, FixedWidth, FixedHeight);
}

TFormSystem::~TFormSystem() = default;

forms::TPanel& TFormSystem::MakePage(const char* name, const char* caption, int left) {
    return AddPagePanel(PanelSystem, name, caption, left, 6, PageWidth, PageHeight);
}

TElementWindow* TFormSystem::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormSystem>(control);
}

void TFormSystem::FormActivate() {
    model::ActivateSystem(&system_);
}

void TFormSystem::CloseElementPages() {
    system_.CloseEditors();
}

void TFormSystem::UpDateView() {
    SetCaption(ElementCaption());
}

void TFormSystem::OpenPage(model::TPageKind kind) {
    switch (kind) {
    case model::SYSSETUP:
        OpenSystemPage<TFormSysSetup>(system_, *this);
        break;
    case model::SYSMIDI:
        OpenSystemPage<TFormSysMidi>(system_, *this);
        break;
    case model::SYSPREVIEW:
        OpenSystemPage<TFormSysPreview>(system_, *this);
        break;
    case model::SYSSCALETUNE:
        OpenSystemPage<TFormScaleTune>(system_, *this, clipboard_);
        break;
    default:
        break;
    }
}

void TFormSystem::OpenPanelPage(model::TPageKind kind, forms::TPanel&) {
    OpenPage(kind);
}

bool TFormSystem::AcceptsPage(const forms::TPanel&, const forms::TPanel& dragged,
                              model::TPageKind kind) const {
    // Only pages dragged from another system window copy into one.
    return dragInfo_.HasKind(kind) && WindowOfPanel(&dragged) != this;
}

void TFormSystem::CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel&,
                                  const model::TDragElem& entry) {
    auto& target = static_cast<TFormSystem&>(targetWindow);
    target.CopySystemPart(DragSource(*this).System(), target.System(), entry.Kind);
}

void TFormSystem::CopySystemPart(model::TSystem& source, model::TSystem& target,
                                 model::TPageKind kind) {
    model::TDragInfo::HighlightTargets(*this, kind, 0);
    CopySystemBytes(source, target, kind);
}

} // namespace editors
