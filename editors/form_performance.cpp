#include "editors/form_performance.h"

#include "editors/performance_pages.h"
#include "editors/performance_part_copy.h"
#include "editors/place_child_form.h"
#include "editors/place_control.h"
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
constexpr int ButtonWidth = 52;
constexpr int GroupLeft = 8;
constexpr int GroupTop = ToolbarHeight + 12;
constexpr int GroupWidth = 368;
constexpr int GroupHeight = 44;
constexpr int PageLeft = 12;
constexpr int PagePitch = 120;
constexpr int PageWidth = 104;
constexpr int PageHeight = 28;

// The file name without its folder: the text after the last separator.
std::string WithoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The performance window a page panel lies in (its parent's parent); null for any other
// control.
TFormPerformance* WindowOfPanel(const forms::TObject* control) {
    const auto* panel = dynamic_cast<const forms::TPanel*>(control);
    if (panel == nullptr || panel->Parent() == nullptr) return nullptr;
    return dynamic_cast<TFormPerformance*>(panel->Parent()->Parent());
}

} // namespace

TFormPerformance::TFormPerformance(forms::TComponent* owner, model::TPerformance& performance,
                                   model::TDragInfo& dragInfo)
    : forms::TForm(owner, forms::fsMDIChild),
      Shader1(PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(PlaceControl<forms::TPanel>(*this, *this, 0, 0, 0, ToolbarHeight)),
      SpeedNuovo(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2, 2, ButtonWidth, 24, "New")),
      SpeedButton3(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2 + ButtonWidth, 2, ButtonWidth,
                                                     24, "Send")),
      SpeedButton2(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2 + 2 * ButtonWidth, 2,
                                                     ButtonWidth, 24, "Receive")),
      SpeedCarica(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 3 * ButtonWidth, 2,
                                                    ButtonWidth, 24, "Load")),
      SpeedSalva(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 4 * ButtonWidth, 2,
                                                   ButtonWidth, 24, "Save")),
      SpeedButton1(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 5 * ButtonWidth, 2,
                                                     ButtonWidth, 24, "Save as")),
      SpeedHelp(PlaceControl<forms::TSpeedButton>(*this, Panel1, 14 + 6 * ButtonWidth, 2,
                                                  ButtonWidth, 24, "Help")),
      PanelPerComm(MakeGroup()), PerCom(MakePage("PerCom", "Common", PageLeft)),
      PerEff(MakePage("PerEff", "Effects", PageLeft + PagePitch)),
      PerParts(MakePage("PerParts", "Parts", PageLeft + 2 * PagePitch)), performance_(performance),
      dragInfo_(dragInfo), view_(
                               *this, [this] { UpDateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("Performance");
    SetBorderStyle(forms::bsSingle);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);

    Panel1.SetAlign(forms::alTop);
    Panel1.BevelOuter = forms::bvNone;
    const std::pair<forms::TSpeedButton*, const char*> hints[] = {
        {&SpeedNuovo, "New"},       {&SpeedCarica, "Load Sysex"}, {&SpeedSalva, "Save Sysex"},
        {&SpeedButton1, "Save as"}, {&SpeedButton3, "Send "},     {&SpeedButton2, "Receive"},
        {&SpeedHelp, "Help"},
    };
    for (const auto& [button, hint] : hints) {
        button->Hint = hint;
        button->ShowHint = true;
        button->Flat = true;
    }
    SpeedNuovo.OnClick = [this](forms::TObject*) { SpeedNuovoClick(); };
    SpeedCarica.OnClick = [this](forms::TObject*) { SpeedCaricaClick(); };
    SpeedSalva.OnClick = [this](forms::TObject*) { SpeedSalvaClick(); };
    SpeedButton1.OnClick = [this](forms::TObject*) { SpeedButton1Click(); };
    SpeedButton3.OnClick = [this](forms::TObject*) { SpeedButton3Click(); };
    SpeedButton2.OnClick = [this](forms::TObject*) { SpeedButton2Click(); };
    SpeedHelp.OnClick = [this](forms::TObject*) { SpeedHelpClick(); };

    Shader1.SetAlign(forms::alClient);
    Shader1.SetFromColor(0x80FF00);
    Shader1.SetToColor(platform::gdi::clWhite);
    Shader1.SetDirection(false);

    OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                        bool& accept) { FountainFill1DragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    PanelPerComm.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { FormCreate(); };
    OnShow = [this](forms::TObject*) { FormShow(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { FormClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { FormResize(); };
    SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

TFormPerformance::~TFormPerformance() = default;

forms::TPanel& TFormPerformance::MakeGroup() {
    auto& group =
        PlaceControl<forms::TPanel>(*this, *this, GroupLeft, GroupTop, GroupWidth, GroupHeight);
    group.Name = "PanelPerComm";
    group.BevelOuter = forms::bvLowered;
    group.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                               forms::TShiftState shift, int,
                               int) { PerComMouseDown(sender, button, shift); };
    group_ = std::make_unique<TPagePanelOf>(group, nullptr);
    return group;
}

forms::TPanel& TFormPerformance::MakePage(const char* name, const char* caption, int left) {
    auto& page = PlaceControl<forms::TPanel>(
        *this, PanelPerComm, left, (GroupHeight - PageHeight) / 2, PageWidth, PageHeight, caption);
    page.Name = name;
    page.SetColor(platform::gdi::clBtnFace);
    page.OnDblClick = [this, &page](forms::TObject*) { PageDblClick(page); };
    page.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                              forms::TShiftState shift, int,
                              int) { PerComMouseDown(sender, button, shift); };
    page.OnDragOver = [this](forms::TObject* sender, forms::TObject* source, int, int,
                             forms::TDragState,
                             bool& accept) { PerComDragOver(sender, source, accept); };
    page.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int, int) {
        PerComEndDrag(target);
    };
    pages_.push_back(std::make_unique<TPagePanelOf>(page, group_.get()));
    return page;
}

model::TLibElem* TFormPerformance::FormElem() {
    return model::TopOwner(&performance_);
}

std::vector<model::TPagePanel*> TFormPerformance::PagePanels() {
    std::vector<model::TPagePanel*> panels;
    for (const auto& page : pages_)
        panels.push_back(page.get());
    return panels;
}

forms::TPanel* TFormPerformance::PagePanel(model::TPageKind kind) const {
    for (const auto& page : pages_)
        if (model::TDragInfo::PageKindOf(*page) == kind) return &page->Panel();
    return nullptr;
}

TPagePanelOf* TFormPerformance::PanelOf(const forms::TObject* control) const {
    if (&group_->Panel() == control) return group_.get();
    for (const auto& panel : pages_)
        if (&panel->Panel() == control) return panel.get();
    return nullptr;
}

void TFormPerformance::BringWindowToFront() {
    forms::TCustomForm* main = forms::Application().MainForm();
    if (main != nullptr && main->ActiveMDIChild() == this) return;
    view_.BringToFront();
}

void TFormPerformance::FormCreate() {
    performance_.EditorOpen = true;
    auto left = static_cast<std::uint16_t>(performance_.EditorLeft);
    auto top = static_cast<std::uint16_t>(performance_.EditorTop);
    PlaceChildForm(left, top, *this);
    performance_.EditorLeft = static_cast<std::int16_t>(left);
    performance_.EditorTop = static_cast<std::int16_t>(top);
}

void TFormPerformance::FormShow() {
    UpDateView();
}

void TFormPerformance::FormActivate() {
    model::ActivatePerformance(&performance_);
}

void TFormPerformance::FormClose(forms::TCloseAction& Action) {
    Action = forms::caNone;
    Release();
}

void TFormPerformance::FormDestroy() {
    performance_.SaveEditorPosition();
    performance_.CloseEditors();
    performance_.Common->CloseEditors();
    performance_.EditorOpen = false;
    if (performance_.Editor == &view_) performance_.Editor = nullptr;
}

void TFormPerformance::FormResize() {
    if (Width() != FixedWidth || Height() != FixedHeight)
        SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

void TFormPerformance::UpDateView() {
    SetCaption(performance_.GetName() + " [Filename : " + WithoutFolder(performance_.FileName) +
               "]" + "   [Loc : " + model::ElemPath(performance_) + "]");
}

void TFormPerformance::PageDblClick(forms::TPanel& panel) {
    DblClicked = true;
    const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name);
    if (kind) OpenPerformancePage(*kind, performance_, *this);
}

void TFormPerformance::PerComMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                       forms::TShiftState Shift) {
    if (Button != forms::mbLeft) return;
    TPagePanelOf* panel = PanelOf(Sender);
    if (panel == nullptr) return;
    model::PanelMouseDown(dragInfo_, *this, *panel, (Shift & forms::ssCtrl) != 0, "PanelPerComm",
                          "NNNNNNN");
}

void TFormPerformance::PerComDragOver(forms::TObject* Sender, forms::TObject* Source,
                                      bool& Accept) {
    BringWindowToFront();
    const auto* target = dynamic_cast<const forms::TPanel*>(Sender);
    const auto* dragged = dynamic_cast<const forms::TPanel*>(Source);
    const std::optional<model::TPageKind> kind =
        target != nullptr ? model::TDragInfo::PageKindOf(target->Name) : std::nullopt;
    // Only pages dragged from another performance window copy into this one.
    Accept = kind && dragged != nullptr && WindowOfPanel(dragged) != nullptr && target != dragged &&
             target->Parent() != dragged->Parent() && dragInfo_.HasKind(*kind);
    dragInfo_.Accept = Accept;
}

void TFormPerformance::FountainFill1DragOver(bool& Accept) {
    BringWindowToFront();
    Accept = false;
    dragInfo_.Accept = false;
}

void TFormPerformance::PerComEndDrag(forms::TObject* Target) {
    if (model::TQuintaron* app = model::AppState()) app->DragRunning = false;
    auto* targetPanel = dynamic_cast<forms::TPanel*>(Target);
    TFormPerformance* targetWindow = WindowOfPanel(targetPanel);
    if (targetWindow == nullptr || !dragInfo_.Accept) {
        // A double-click leaves the page it opened in front.
        if (!DblClicked) BringWindowToFront();
        DblClicked = false;
        return;
    }
    dragInfo_.Target = targetWindow;
    model::UnhighlightPanels(*targetWindow);
    auto* sourceWindow = dynamic_cast<TFormPerformance*>(dragInfo_.Source);
    model::TPerformance& source =
        sourceWindow != nullptr ? sourceWindow->Performance() : performance_;
    model::TPerformance& target = targetWindow->Performance();
    const std::vector<model::TDragElem> entries = dragInfo_.Elems;
    for (const model::TDragElem& entry : entries)
        CopyPerformancePart(source, target, *targetPanel, entry);
    target.SetModified();
    // The refresh also empties the undo lists of the target's open pages: their entries would
    // write old bytes into the copied ones.
    target.UpdateViews();
    target.Transmit(true);
    targetWindow->BringWindowToFront();
    DblClicked = false;
}

void TFormPerformance::CopyPerformancePart(model::TPerformance& source, model::TPerformance& target,
                                           forms::TPanel& targetPanel,
                                           const model::TDragElem& entry) {
    if (TFormPerformance* targetWindow = WindowOfPanel(&targetPanel))
        model::TDragInfo::HighlightTargets(*targetWindow, entry.Kind, 0);
    CopyPerformancePageBytes(source, target, entry.Kind);
}

void TFormPerformance::SpeedNuovoClick() {
    performance_.SetDefaults();
    performance_.Transmit(true);
}

void TFormPerformance::SpeedButton3Click() {
    performance_.Transmit(true);
}

void TFormPerformance::SpeedButton2Click() {
    performance_.Receive(true);
}

void TFormPerformance::SpeedCaricaClick() {
    performance_.LoadSysExFile();
}

void TFormPerformance::SpeedSalvaClick() {
    performance_.SaveSysExFile(false);
}

void TFormPerformance::SpeedButton1Click() {
    performance_.SaveSysExFile(true);
}

void TFormPerformance::SpeedHelpClick() {
    forms::Application().HelpContext(HelpContextNumber);
}

} // namespace editors
