#include "editors/form_performance.h"

#include "editors/performance_pages.h"
#include "editors/performance_part_copy.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

namespace editors {

namespace {

using TTool = TElementWindow::TTool;

// New, Send, Receive | Load, Save, Save as | Help.
const TElementWindow::TToolbarLayout Toolbar = {52,
                                                0,
                                                {TTool::New, TTool::Send, TTool::Receive,
                                                 TTool::Gap, TTool::Load, TTool::Save,
                                                 TTool::SaveAs, TTool::Gap, TTool::Help}};

constexpr int GroupLeft = 8;
constexpr int GroupTop = TElementWindow::ToolbarHeight + 12;
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
      Shader1(forms::PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(MakeToolbar()), SpeedNuovo(MakeToolButton(Panel1, Toolbar, TTool::New)),
      SpeedButton3(MakeToolButton(Panel1, Toolbar, TTool::Send)),
      SpeedButton2(MakeToolButton(Panel1, Toolbar, TTool::Receive)),
      SpeedCarica(MakeToolButton(Panel1, Toolbar, TTool::Load)),
      SpeedSalva(MakeToolButton(Panel1, Toolbar, TTool::Save)),
      SpeedButton1(MakeToolButton(Panel1, Toolbar, TTool::SaveAs)),
      SpeedHelp(MakeToolButton(Panel1, Toolbar, TTool::Help)), PanelPerComm(MakeGroup()),
      PerCom(MakePage("PerCom", "Common", PageLeft)),
      PerEff(MakePage("PerEff", "Effects", PageLeft + PagePitch)),
      PerParts(MakePage("PerParts", "Parts", PageLeft + 2 * PagePitch)), performance_(performance) {
    SetUpFrame(HelpContextNumber, "Performance", Panel1, Shader1);
    SetUpEvents({&Shader1, &Panel1, &PanelPerComm}, FixedWidth, FixedHeight);
}

TFormPerformance::~TFormPerformance() = default;

forms::TPanel& TFormPerformance::MakeGroup() {
    auto& group = forms::PlaceControl<forms::TPanel>(*this, *this, GroupLeft, GroupTop, GroupWidth,
                                                     GroupHeight);
    AddGroupPanel(group, "PanelPerComm");
    return group;
}

forms::TPanel& TFormPerformance::MakePage(const char* name, const char* caption, int left) {
    return AddPagePanel(PanelPerComm, name, caption, left, (GroupHeight - PageHeight) / 2,
                        PageWidth, PageHeight);
}

TElementWindow* TFormPerformance::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormPerformance>(control);
}

void TFormPerformance::FormActivate() {
    model::ActivatePerformance(&performance_);
}

void TFormPerformance::CloseElementPages() {
    performance_.CloseEditors();
    performance_.Common->CloseEditors();
}

void TFormPerformance::UpDateView() {
    SetCaption(ElementCaption());
}

void TFormPerformance::OpenPanelPage(model::TPageKind kind, forms::TPanel&) {
    OpenPerformancePage(kind, performance_, *this);
}

bool TFormPerformance::AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                                   model::TPageKind kind) const {
    // Only pages dragged from another performance window copy into this one.
    return target.Parent() != dragged.Parent() && dragInfo_.HasKind(kind);
}

void TFormPerformance::CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                                       const model::TDragElem& entry) {
    CopyPerformancePart(DragSource(*this).Performance(),
                        static_cast<TFormPerformance&>(targetWindow).Performance(), targetPanel,
                        entry);
}

void TFormPerformance::CopyPerformancePart(model::TPerformance& source, model::TPerformance& target,
                                           forms::TPanel& targetPanel,
                                           const model::TDragElem& entry) {
    if (TFormPerformance* targetWindow = WindowOfPagePanel<TFormPerformance>(&targetPanel))
        model::TDragInfo::HighlightTargets(*targetWindow, entry.Kind, 0);
    CopyPerformancePageBytes(source, target, entry.Kind);
}

} // namespace editors
