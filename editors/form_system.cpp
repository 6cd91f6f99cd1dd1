#include "editors/form_system.h"

#include "editors/form_scale_tune.h"
#include "editors/form_sys_midi.h"
#include "editors/form_sys_preview.h"
#include "editors/form_sys_setup.h"
#include "editors/place_child_form.h"
#include "editors/place_control.h"
#include "editors/system_part_copy.h"
#include "model/print/print_routines.h"
#include "model/program/quintaron.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/gdi/colors.h"

#include <string>
#include <utility>

namespace editors {

namespace {

constexpr int ToolbarHeight = 28;
constexpr int ButtonWidth = 54;
constexpr int PageWidth = 80;
constexpr int PageHeight = 24;
constexpr int PagePitch = 92;

std::string WithoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The system window a page panel lies in (its parent's parent); null for any other control.
TFormSystem* WindowOfPanel(const forms::TObject* control) {
    const auto* panel = dynamic_cast<const forms::TPanel*>(control);
    if (panel == nullptr || panel->Parent() == nullptr) return nullptr;
    return dynamic_cast<TFormSystem*>(panel->Parent()->Parent());
}

forms::TSpeedButton& ToolButton(forms::TForm& form, forms::TPanel& bar, int place,
                                const char* caption) {
    return PlaceControl<forms::TSpeedButton>(form, bar, 2 + place * (ButtonWidth + 1), 2,
                                             ButtonWidth, 24, caption);
}

} // namespace

TFormSystem::TFormSystem(forms::TComponent* owner, model::TSystem& system,
                         model::TDragInfo& dragInfo, model::TClipboard& clipboard)
    : forms::TForm(owner, forms::fsMDIChild),
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
      SysMidi(MakePage("SysMidi", "Midi", 6 + 3 * PagePitch)), system_(system), dragInfo_(dragInfo),
      clipboard_(clipboard), view_(
                                 *this, [this] { UpDateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("System");
    SetBorderStyle(forms::bsSingle);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);

    Panel1.SetAlign(forms::alTop);
    Panel1.BevelOuter = forms::bvNone;
    const std::pair<forms::TSpeedButton*, const char*> hints[] = {
        {&SpeedNuovo, "New"},        {&SpeedHelp, "Help"},       {&SpeedCarica, "Load Sysex"},
        {&SpeedSalva, "Save Sysex"}, {&SpeedButton1, "Save as"}, {&SpeedButton3, "Send "},
        {&SpeedButton2, "Receive"},
    };
    for (const auto& [button, hint] : hints) {
        button->Hint = hint;
        button->ShowHint = true;
        button->Flat = true;
    }
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

    Shader1.SetAlign(forms::alClient);
    Shader1.SetFromColor(0x80FF00);
    Shader1.SetToColor(platform::gdi::clWhite);
    Shader1.SetDirection(false);
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
                        bool& accept) { FormDragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    PanelSystem.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { FormCreate(); };
    OnShow = [this](forms::TObject*) { UpDateView(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { FormClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { FormResize(); };
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

std::vector<model::TPagePanel*> TFormSystem::PagePanels() {
    std::vector<model::TPagePanel*> panels;
    for (const auto& page : pages_)
        panels.push_back(page.get());
    return panels;
}

forms::TPanel* TFormSystem::PagePanel(model::TPageKind kind) const {
    for (const auto& page : pages_)
        if (model::TDragInfo::PageKindOf(*page) == kind) return &page->Panel();
    return nullptr;
}

TPagePanelOf* TFormSystem::PanelOf(const forms::TObject* control) const {
    for (const auto& list : {&groups_, &pages_})
        for (const auto& panel : *list)
            if (&panel->Panel() == control) return panel.get();
    return nullptr;
}

void TFormSystem::BringWindowToFront() {
    forms::TCustomForm* main = forms::Application().MainForm();
    if (main != nullptr && main->ActiveMDIChild() == this) return;
    view_.BringToFront();
}

void TFormSystem::FormCreate() {
    system_.EditorOpen = true;
    auto left = static_cast<std::uint16_t>(system_.EditorLeft);
    auto top = static_cast<std::uint16_t>(system_.EditorTop);
    PlaceChildForm(left, top, *this);
    system_.EditorLeft = static_cast<std::int16_t>(left);
    system_.EditorTop = static_cast<std::int16_t>(top);
}

void TFormSystem::FormActivate() {
    model::ActivateSystem(&system_);
}

void TFormSystem::FormClose(forms::TCloseAction& Action) {
    Action = forms::caNone;
    Release();
}

void TFormSystem::FormDestroy() {
    system_.SaveEditorPosition();
    system_.CloseEditors();
    system_.EditorOpen = false;
    if (system_.Editor == &view_) system_.Editor = nullptr;
}

void TFormSystem::FormResize() {
    if (Width() != FixedWidth || Height() != FixedHeight)
        SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

void TFormSystem::UpDateView() {
    SetCaption(system_.GetName() + " [Filename : " + WithoutFolder(system_.FileName) + "]" +
               "   [Loc : " + model::ElemPath(system_) + "]");
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
    DblClicked = true;
    if (const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name))
        OpenPage(*kind);
}

void TFormSystem::SysSetupMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                    forms::TShiftState Shift) {
    if (Button != forms::mbLeft) return;
    TPagePanelOf* panel = PanelOf(Sender);
    if (panel == nullptr) return;
    model::PanelMouseDown(dragInfo_, *this, *panel, (Shift & forms::ssCtrl) != 0, "PanelSystem",
                          "NNNNNNN");
}

void TFormSystem::SysSetupDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept) {
    BringWindowToFront();
    const auto* target = dynamic_cast<const forms::TPanel*>(Sender);
    const auto* dragged = dynamic_cast<const forms::TPanel*>(Source);
    const std::optional<model::TPageKind> kind =
        target != nullptr ? model::TDragInfo::PageKindOf(target->Name) : std::nullopt;
    const TFormSystem* from = WindowOfPanel(dragged);
    Accept =
        kind && dragInfo_.HasKind(*kind) && target != dragged && from != nullptr && from != this;
    dragInfo_.Accept = Accept;
}

void TFormSystem::FormDragOver(bool& Accept) {
    BringWindowToFront();
    Accept = false;
    dragInfo_.Accept = false;
}

void TFormSystem::SysSetupEndDrag(forms::TObject* Target) {
    if (model::TQuintaron* app = model::AppState()) app->DragRunning = false;
    TFormSystem* targetWindow = WindowOfPanel(Target);
    if (targetWindow == nullptr || !dragInfo_.Accept) {
        // A double-click leaves the page it opened in front.
        if (!DblClicked) BringWindowToFront();
        DblClicked = false;
        return;
    }
    dragInfo_.Target = targetWindow;
    model::UnhighlightPanels(*targetWindow);
    auto* sourceWindow = dynamic_cast<TFormSystem*>(dragInfo_.Source);
    model::TSystem& source = sourceWindow != nullptr ? sourceWindow->System() : system_;
    model::TSystem& target = targetWindow->System();
    const std::vector<model::TDragElem> entries = dragInfo_.Elems;
    for (const model::TDragElem& entry : entries)
        targetWindow->CopySystemPart(source, target, entry.Kind);
    target.SetModified();
    // The refresh also empties the undo lists of the target's open pages: their entries would
    // write old bytes into the copied ones.
    target.UpdateViews();
    target.Transmit(true);
    targetWindow->BringWindowToFront();
    DblClicked = false;
}

void TFormSystem::CopySystemPart(model::TSystem& source, model::TSystem& target,
                                 model::TPageKind kind) {
    model::TDragInfo::HighlightTargets(*this, kind, 0);
    CopySystemBytes(source, target, kind);
}

} // namespace editors
