#include "editors/form_rhythm.h"

#include "editors/form_rhy_main.h"
#include "editors/form_rhy_pitch.h"
#include "editors/form_rhy_tva.h"
#include "editors/form_rhy_tvf.h"
#include "editors/rhythm_part_copy.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

#include <string>

namespace editors {

namespace {

using TTool = TElementWindow::TTool;

// New | Load, Save, Save as | Send, Receive | Help.
const TElementWindow::TToolbarLayout Toolbar = {56,
                                                0,
                                                {TTool::New, TTool::Gap, TTool::Load, TTool::Save,
                                                 TTool::SaveAs, TTool::Gap, TTool::Send,
                                                 TTool::Receive, TTool::Gap, TTool::Help}};

constexpr int NameTop = TElementWindow::ToolbarHeight + 12;
constexpr int GroupTop = NameTop + 36;
constexpr int GroupLeft = 8;
constexpr int GroupWidth = 410;
constexpr int GroupHeight = 44;
constexpr int PageLeft = 10;
constexpr int PagePitch = 100;
constexpr int PageWidth = 90;
constexpr int PageHeight = 28;
constexpr std::size_t NameLength = 12;

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

template <class Page>
void OpenPage(model::TRhythm& rhythm, model::TClipboard& clipboard, forms::TComponent& owner) {
    OpenRhythmNotePage<Page>(rhythm, clipboard, owner);
}

} // namespace

TFormRhythm::TFormRhythm(forms::TComponent* owner, model::TRhythm& rhythm,
                         model::TDragInfo& dragInfo, model::TClipboard& clipboard)
    : forms::TForm(owner, forms::fsMDIChild), TElementWindow(*this, dragInfo),
      Shader1(forms::PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(MakeToolbar()), SpeedNuovo(MakeToolButton(Panel1, Toolbar, TTool::New)),
      SpeedCarica(MakeToolButton(Panel1, Toolbar, TTool::Load)),
      SpeedSalva(MakeToolButton(Panel1, Toolbar, TTool::Save)),
      SpeedButton1(MakeToolButton(Panel1, Toolbar, TTool::SaveAs)),
      SpeedButton3(MakeToolButton(Panel1, Toolbar, TTool::Send)),
      SpeedButton2(MakeToolButton(Panel1, Toolbar, TTool::Receive)),
      SpeedHelp(MakeToolButton(Panel1, Toolbar, TTool::Help)),
      LabelName(forms::PlaceControl<forms::TLabel>(*this, *this, GroupLeft, NameTop + 3, 90, 15,
                                                   "Rhythm Name")),
      EditName(forms::PlaceControl<TNameEdit>(*this, *this, GroupLeft + 96, NameTop, 120, 21)),
      PanelRhythm(forms::PlaceControl<forms::TPanel>(*this, *this, GroupLeft, GroupTop, GroupWidth,
                                                     GroupHeight)),
      RhyMain(MakePage("RhyMain", "Main", 0)), RhyPitch(MakePage("RhyPitch", "Pitch", 1)),
      RhyTVF(MakePage("RhyTVF", "TVF", 2)), RhyTVA(MakePage("RhyTVA", "TVA", 3)), rhythm_(rhythm),
      clipboard_(clipboard) {
    SetUpFrame(HelpContextNumber, "Rhythm", Panel1, Shader1);

    EditName.SetMaxLength(static_cast<int>(NameLength));
    EditName.OnKeyUp = [this](forms::TObject*, std::uint16_t&, forms::TShiftState) {
        EditNameKeyUp();
    };

    AddGroupPanel(PanelRhythm, "PanelRhythm");

    SetUpEvents({&Shader1, &Panel1, &PanelRhythm}, FixedWidth, FixedHeight);
}

TFormRhythm::~TFormRhythm() = default;

forms::TPanel& TFormRhythm::MakePage(const char* name, const char* caption, int place) {
    return AddPagePanel(PanelRhythm, name, caption, PageLeft + place * PagePitch, 8, PageWidth,
                        PageHeight);
}

TElementWindow* TFormRhythm::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormRhythm>(control);
}

void TFormRhythm::FormActivate() {
    model::ActivateRhythm(&rhythm_);
}

void TFormRhythm::CloseElementPages() {
    rhythm_.CloseEditors();
}

void TFormRhythm::UpDateView() {
    EditName.SetText(TrimRight(rhythm_.GetName()));
    SetCaption(ElementCaption());
}

void TFormRhythm::EditNameKeyUp() {
    // Every release counts, whether or not the text changed.
    rhythm_.SetModified();
    std::string name = EditName.Text().substr(0, NameLength);
    name.resize(NameLength, ' ');
    std::vector<std::uint8_t> bytes(name.begin(), name.end());
    rhythm_.Common->SetParams(0, bytes);
}

void TFormRhythm::OpenPanelPage(model::TPageKind kind, forms::TPanel&) {
    switch (kind) {
    case model::RHYMAIN:
        OpenPage<TFormRhyMain>(rhythm_, clipboard_, *this);
        break;
    case model::RHYPITCH:
        OpenPage<TFormRhyPitch>(rhythm_, clipboard_, *this);
        break;
    case model::RHYTVF:
        OpenPage<TFormRhyTVF>(rhythm_, clipboard_, *this);
        break;
    case model::RHYTVA:
        OpenPage<TFormrhyTva>(rhythm_, clipboard_, *this);
        break;
    default:
        break;
    }
}

bool TFormRhythm::AcceptsPage(const forms::TPanel& target, const forms::TPanel& dragged,
                              model::TPageKind kind) const {
    // Only pages dragged from another rhythm window copy into one.
    return dragInfo_.HasKind(kind) && target.Parent() != dragged.Parent();
}

void TFormRhythm::CopyDroppedPage(TElementWindow& targetWindow, forms::TPanel& targetPanel,
                                  const model::TDragElem& entry) {
    CopyRhythmPart(DragSource(*this).Rhythm(), static_cast<TFormRhythm&>(targetWindow).Rhythm(),
                   targetPanel, entry);
}

void TFormRhythm::CopyRhythmPart(model::TRhythm& source, model::TRhythm& target,
                                 forms::TPanel& targetPanel, const model::TDragElem& entry) {
    if (TFormRhythm* targetWindow = WindowOfPagePanel<TFormRhythm>(&targetPanel))
        model::TDragInfo::HighlightTargets(*targetWindow, entry.Kind, 0);
    CopyRhythmPageBytes(source, target, entry.Kind);
}

} // namespace editors
