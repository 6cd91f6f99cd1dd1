#include "editors/form_performance.h"

#include "editors/performance_pages.h"
#include "editors/performance_part_copy.h"
#include "editors/place_control.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/gdi/colors.h"

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

} // namespace

TFormPerformance::TFormPerformance(forms::TComponent* owner, model::TPerformance& performance,
                                   model::TDragInfo& dragInfo)
    : forms::TForm(owner, forms::fsMDIChild), TElementWindow(*this, dragInfo),
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
      view_(
          *this, [this] { UpDateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("Performance");
    SetBorderStyle(forms::bsSingle);
    SetBorderIcons(forms::biSystemMenu | forms::biMinimize);

    Panel1.SetAlign(forms::alTop);
    Panel1.BevelOuter = forms::bvNone;
    SetButtonHints({
        {&SpeedNuovo, "New"},
        {&SpeedCarica, "Load Sysex"},
        {&SpeedSalva, "Save Sysex"},
        {&SpeedButton1, "Save as"},
        {&SpeedButton3, "Send "},
        {&SpeedButton2, "Receive"},
        {&SpeedHelp, "Help"},
    });
    SpeedNuovo.OnClick = [this](forms::TObject*) { SpeedNuovoClick(); };
    SpeedCarica.OnClick = [this](forms::TObject*) { SpeedCaricaClick(); };
    SpeedSalva.OnClick = [this](forms::TObject*) { SpeedSalvaClick(); };
    SpeedButton1.OnClick = [this](forms::TObject*) { SpeedButton1Click(); };
    SpeedButton3.OnClick = [this](forms::TObject*) { SpeedButton3Click(); };
    SpeedButton2.OnClick = [this](forms::TObject*) { SpeedButton2Click(); };
    SpeedHelp.OnClick = [this](forms::TObject*) { SpeedHelpClick(); };

    SetGradient(Shader1);

    OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                        bool& accept) { BackgroundDragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    PanelPerComm.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { PlaceWindow(); };
    OnShow = [this](forms::TObject*) { UpDateView(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { ReleaseOnClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { KeepSize(FixedWidth, FixedHeight); };
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
    groups_.push_back(std::make_unique<TPagePanelOf>(group, nullptr));
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
    pages_.push_back(std::make_unique<TPagePanelOf>(page, groups_.front().get()));
    return page;
}

model::TLibElem* TFormPerformance::FormElem() {
    return model::TopOwner(&performance_);
}

forms::TPanel* TFormPerformance::PagePanel(model::TPageKind kind) const {
    return FirstPagePanel(kind);
}

TElementWindow* TFormPerformance::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormPerformance>(control);
}

void TFormPerformance::FormActivate() {
    model::ActivatePerformance(&performance_);
}

void TFormPerformance::FormDestroy() {
    performance_.SaveEditorPosition();
    performance_.CloseEditors();
    performance_.Common->CloseEditors();
    ForgetWindow();
}

void TFormPerformance::UpDateView() {
    SetCaption(ElementCaption());
}

void TFormPerformance::PageDblClick(forms::TPanel& panel) {
    PageDblClicked();
    const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name);
    if (kind) OpenPerformancePage(*kind, performance_, *this);
}

void TFormPerformance::PerComMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                       forms::TShiftState Shift) {
    PageMouseDown(Sender, Button, Shift, "PanelPerComm");
}

void TFormPerformance::PerComDragOver(forms::TObject* Sender, forms::TObject* Source,
                                      bool& Accept) {
    // Only pages dragged from another performance window copy into this one.
    PageDragOver(
        Sender, Source, Accept,
        [this](const forms::TPanel& target, const forms::TPanel& dragged, model::TPageKind kind) {
            return target.Parent() != dragged.Parent() && dragInfo_.HasKind(kind);
        });
}

void TFormPerformance::PerComEndDrag(forms::TObject* Target) {
    auto* targetPanel = dynamic_cast<forms::TPanel*>(Target);
    EndPageDrag(Target, [this, targetPanel](TElementWindow& window, const model::TDragElem& entry) {
        auto* sourceWindow = dynamic_cast<TFormPerformance*>(dragInfo_.Source);
        model::TPerformance& source =
            sourceWindow != nullptr ? sourceWindow->Performance() : performance_;
        CopyPerformancePart(source, static_cast<TFormPerformance&>(window).Performance(),
                            *targetPanel, entry);
    });
}

void TFormPerformance::CopyPerformancePart(model::TPerformance& source, model::TPerformance& target,
                                           forms::TPanel& targetPanel,
                                           const model::TDragElem& entry) {
    if (TFormPerformance* targetWindow = WindowOfPagePanel<TFormPerformance>(&targetPanel))
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
