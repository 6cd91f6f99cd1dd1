#include "editors/form_system.h"

#include "editors/form_scale_tune.h"
#include "editors/form_sys_midi.h"
#include "editors/form_sys_preview.h"
#include "editors/form_sys_setup.h"
#include "editors/place_control.h"
#include "editors/system_part_copy.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/gdi/colors.h"

namespace editors {

namespace {

constexpr int ToolbarHeight = 28;
constexpr int ButtonWidth = 54;
constexpr int PageWidth = 80;
constexpr int PageHeight = 24;
constexpr int PagePitch = 92;

forms::TSpeedButton& ToolButton(forms::TForm& form, forms::TPanel& bar, int place,
                                const char* caption) {
    return PlaceControl<forms::TSpeedButton>(form, bar, 2 + place * (ButtonWidth + 1), 2,
                                             ButtonWidth, 24, caption);
}

} // namespace

TFormSystem::TFormSystem(forms::TComponent* owner, model::TSystem& system,
                         model::TDragInfo& dragInfo, model::TClipboard& clipboard)
    : forms::TForm(owner, forms::fsMDIChild), TElementWindow(*this, dragInfo),
      Shader1(PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(PlaceControl<forms::TPanel>(*this, *this, 0, 0, 0, ToolbarHeight)),
      SpeedNuovo(ToolButton(*this, Panel1, 0, "New")),
      SpeedHelp(ToolButton(*this, Panel1, 6, "Help")),
      SpeedCarica(ToolButton(*this, Panel1, 3, "Load")),
      SpeedSalva(ToolButton(*this, Panel1, 4, "Save")),
      SpeedButton1(ToolButton(*this, Panel1, 5, "Save as")),
      SpeedButton3(ToolButton(*this, Panel1, 1, "Send")),
      SpeedButton2(ToolButton(*this, Panel1, 2, "Receive")),
      PanelSystem(PlaceControl<forms::TPanel>(*this, *this, 8, ToolbarHeight + 20, 376, 36)),
      SysSetup(MakePage("SysSetup", "Setup", 6)),
      SysScaleTune(MakePage("SysScaleTune", "Scale Tune", 6 + PagePitch)),
      SysPreview(MakePage("SysPreview", "Preview", 6 + 2 * PagePitch)),
      SysMidi(MakePage("SysMidi", "Midi", 6 + 3 * PagePitch)), system_(system),
      clipboard_(clipboard), view_(
                                 *this, [this] { UpDateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("System");
    SetBorderStyle(forms::bsSingle);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);

    Panel1.SetAlign(forms::alTop);
    Panel1.BevelOuter = forms::bvNone;
    SetButtonHints({
        {&SpeedNuovo, "New"},
        {&SpeedHelp, "Help"},
        {&SpeedCarica, "Load Sysex"},
        {&SpeedSalva, "Save Sysex"},
        {&SpeedButton1, "Save as"},
        {&SpeedButton3, "Send "},
        {&SpeedButton2, "Receive"},
    });
    SpeedNuovo.OnClick = [this](forms::TObject*) {
        system_.SetDefaults();
        system_.Transmit(true);
    };
    SpeedCarica.OnClick = [this](forms::TObject*) { system_.LoadSysExFile(); };
    SpeedSalva.OnClick = [this](forms::TObject*) { system_.SaveSysExFile(false); };
    SpeedButton1.OnClick = [this](forms::TObject*) { system_.SaveSysExFile(true); };
    SpeedButton3.OnClick = [this](forms::TObject*) { system_.Transmit(true); };
    SpeedButton2.OnClick = [this](forms::TObject*) { system_.Receive(true); };
    SpeedHelp.OnClick = [](forms::TObject*) {
        forms::Application().HelpContext(HelpContextNumber);
    };

    SetGradient(Shader1);
    Shader1.OnClick = [this](forms::TObject*) { model::UnhighlightPanels(*this); };

    PanelSystem.Name = "PanelSystem";
    PanelSystem.BevelOuter = forms::bvLowered;
    PanelSystem.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                                     forms::TShiftState shift, int,
                                     int) { SysSetupMouseDown(sender, button, shift); };
    groups_.insert(groups_.begin(), std::make_unique<TPagePanelOf>(PanelSystem, nullptr));
    for (auto& page : pages_)
        page = std::make_unique<TPagePanelOf>(page->Panel(), groups_.front().get());

    OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                        bool& accept) { BackgroundDragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    PanelSystem.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { PlaceWindow(); };
    OnShow = [this](forms::TObject*) { UpDateView(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { ReleaseOnClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { KeepSize(FixedWidth, FixedHeight); };
    SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

TFormSystem::~TFormSystem() = default;

forms::TPanel& TFormSystem::MakePage(const char* name, const char* caption, int left) {
    auto& page =
        PlaceControl<forms::TPanel>(*this, PanelSystem, left, 6, PageWidth, PageHeight, caption);
    page.Name = name;
    page.SetColor(platform::gdi::clBtnFace);
    page.OnDblClick = [this, &page](forms::TObject*) { SysSetupDblClick(page); };
    page.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                              forms::TShiftState shift, int,
                              int) { SysSetupMouseDown(sender, button, shift); };
    page.OnDragOver = [this](forms::TObject* sender, forms::TObject* source, int, int,
                             forms::TDragState,
                             bool& accept) { SysSetupDragOver(sender, source, accept); };
    page.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int, int) {
        SysSetupEndDrag(target);
    };
    // The group panel's adapter comes once the group is known to the drag code.
    pages_.push_back(std::make_unique<TPagePanelOf>(page, nullptr));
    return page;
}

model::TLibElem* TFormSystem::FormElem() {
    return model::TopOwner(&system_);
}

forms::TPanel* TFormSystem::PagePanel(model::TPageKind kind) const {
    return FirstPagePanel(kind);
}

TElementWindow* TFormSystem::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormSystem>(control);
}

void TFormSystem::FormActivate() {
    model::ActivateSystem(&system_);
}

void TFormSystem::FormDestroy() {
    system_.SaveEditorPosition();
    system_.CloseEditors();
    ForgetWindow();
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

void TFormSystem::SysSetupDblClick(forms::TPanel& panel) {
    PageDblClicked();
    if (const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name))
        OpenPage(*kind);
}

void TFormSystem::SysSetupMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                    forms::TShiftState Shift) {
    PageMouseDown(Sender, Button, Shift, "PanelSystem");
}

void TFormSystem::SysSetupDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept) {
    // Only pages dragged from another system window copy into one.
    PageDragOver(Sender, Source, Accept,
                 [this](const forms::TPanel&, const forms::TPanel& dragged, model::TPageKind kind) {
                     return dragInfo_.HasKind(kind) && WindowOfPanel(&dragged) != this;
                 });
}

void TFormSystem::SysSetupEndDrag(forms::TObject* Target) {
    EndPageDrag(Target, [this](TElementWindow& window, const model::TDragElem& entry) {
        auto* sourceWindow = dynamic_cast<TFormSystem*>(dragInfo_.Source);
        model::TSystem& source = sourceWindow != nullptr ? sourceWindow->System() : system_;
        auto& targetWindow = static_cast<TFormSystem&>(window);
        targetWindow.CopySystemPart(source, targetWindow.System(), entry.Kind);
    });
}

void TFormSystem::CopySystemPart(model::TSystem& source, model::TSystem& target,
                                 model::TPageKind kind) {
    model::TDragInfo::HighlightTargets(*this, kind, 0);
    CopySystemBytes(source, target, kind);
}

} // namespace editors
