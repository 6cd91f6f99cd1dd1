#include "editors/form_rhythm.h"

#include "editors/form_rhy_main.h"
#include "editors/form_rhy_pitch.h"
#include "editors/form_rhy_tva.h"
#include "editors/form_rhy_tvf.h"
#include "editors/place_control.h"
#include "editors/rhythm_part_copy.h"
#include "model/transfer/activation.h"
#include "platform/forms/application.h"
#include "platform/gdi/colors.h"

#include <string>

namespace editors {

namespace {

constexpr int ToolbarHeight = 28;
constexpr int ButtonWidth = 56;
constexpr int NameTop = ToolbarHeight + 12;
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
      Shader1(PlaceControl<controls::TShader>(*this, *this, 0, 0, 0, 0)),
      Panel1(PlaceControl<forms::TPanel>(*this, *this, 0, 0, 0, ToolbarHeight)),
      SpeedNuovo(PlaceControl<forms::TSpeedButton>(*this, Panel1, 2, 2, ButtonWidth, 24, "New")),
      SpeedCarica(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + ButtonWidth, 2, ButtonWidth,
                                                    24, "Load")),
      SpeedSalva(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 2 * ButtonWidth, 2,
                                                   ButtonWidth, 24, "Save")),
      SpeedButton1(PlaceControl<forms::TSpeedButton>(*this, Panel1, 8 + 3 * ButtonWidth, 2,
                                                     ButtonWidth, 24, "Save as")),
      SpeedButton3(PlaceControl<forms::TSpeedButton>(*this, Panel1, 14 + 4 * ButtonWidth, 2,
                                                     ButtonWidth, 24, "Send")),
      SpeedButton2(PlaceControl<forms::TSpeedButton>(*this, Panel1, 14 + 5 * ButtonWidth, 2,
                                                     ButtonWidth, 24, "Receive")),
      SpeedHelp(PlaceControl<forms::TSpeedButton>(*this, Panel1, 20 + 6 * ButtonWidth, 2,
                                                  ButtonWidth, 24, "Help")),
      LabelName(
          PlaceControl<forms::TLabel>(*this, *this, GroupLeft, NameTop + 3, 90, 15, "Rhythm Name")),
      EditName(PlaceControl<TNameEdit>(*this, *this, GroupLeft + 96, NameTop, 120, 21)),
      PanelRhythm(
          PlaceControl<forms::TPanel>(*this, *this, GroupLeft, GroupTop, GroupWidth, GroupHeight)),
      RhyMain(MakePage("RhyMain", "Main", 0)), RhyPitch(MakePage("RhyPitch", "Pitch", 1)),
      RhyTVF(MakePage("RhyTVF", "TVF", 2)), RhyTVA(MakePage("RhyTVA", "TVA", 3)), rhythm_(rhythm),
      clipboard_(clipboard), view_(
                                 *this, [this] { UpDateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("Rhythm");
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
    SpeedNuovo.OnClick = [this](forms::TObject*) {
        rhythm_.SetDefaults();
        rhythm_.Transmit(true);
    };
    SpeedCarica.OnClick = [this](forms::TObject*) { rhythm_.LoadSysExFile(); };
    SpeedSalva.OnClick = [this](forms::TObject*) { rhythm_.SaveSysExFile(false); };
    SpeedButton1.OnClick = [this](forms::TObject*) { rhythm_.SaveSysExFile(true); };
    SpeedButton3.OnClick = [this](forms::TObject*) { rhythm_.Transmit(true); };
    SpeedButton2.OnClick = [this](forms::TObject*) { rhythm_.Receive(true); };
    SpeedHelp.OnClick = [](forms::TObject*) {
        forms::Application().HelpContext(HelpContextNumber);
    };

    SetGradient(Shader1);

    EditName.MaxLength = static_cast<int>(NameLength);
    EditName.OnKeyUp = [this](forms::TObject*, std::uint16_t&, forms::TShiftState) {
        EditNameKeyUp();
    };

    PanelRhythm.Name = "PanelRhythm";
    PanelRhythm.BevelOuter = forms::bvLowered;
    PanelRhythm.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                                     forms::TShiftState shift, int,
                                     int) { RhyMainMouseDown(sender, button, shift); };
    groups_.push_back(std::make_unique<TPagePanelOf>(PanelRhythm, nullptr));
    // The page panels were made before their group's adapter existed.
    for (auto& page : pages_)
        page = std::make_unique<TPagePanelOf>(page->Panel(), groups_.front().get());

    OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                        bool& accept) { BackgroundDragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    PanelRhythm.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { PlaceWindow(); };
    OnShow = [this](forms::TObject*) { UpDateView(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { ReleaseOnClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { KeepSize(FixedWidth, FixedHeight); };
    SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

TFormRhythm::~TFormRhythm() = default;

forms::TPanel& TFormRhythm::MakePage(const char* name, const char* caption, int place) {
    auto& page = PlaceControl<forms::TPanel>(*this, PanelRhythm, PageLeft + place * PagePitch, 8,
                                             PageWidth, PageHeight, caption);
    page.Name = name;
    page.SetColor(platform::gdi::clBtnFace);
    page.OnDblClick = [this, &page](forms::TObject*) { RhyMainDblClick(page); };
    page.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                              forms::TShiftState shift, int,
                              int) { RhyMainMouseDown(sender, button, shift); };
    page.OnDragOver = [this](forms::TObject* sender, forms::TObject* source, int, int,
                             forms::TDragState,
                             bool& accept) { RhyMainDragOver(sender, source, accept); };
    page.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int, int) {
        RhyMainEndDrag(target);
    };
    pages_.push_back(std::make_unique<TPagePanelOf>(page, nullptr));
    return page;
}

model::TLibElem* TFormRhythm::FormElem() {
    return model::TopOwner(&rhythm_);
}

forms::TPanel* TFormRhythm::PagePanel(model::TPageKind kind) const {
    return FirstPagePanel(kind);
}

TElementWindow* TFormRhythm::WindowOfPanel(const forms::TObject* control) const {
    return WindowOfPagePanel<TFormRhythm>(control);
}

void TFormRhythm::FormActivate() {
    model::ActivateRhythm(&rhythm_);
}

void TFormRhythm::FormDestroy() {
    rhythm_.SaveEditorPosition();
    rhythm_.CloseEditors();
    ForgetWindow();
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

void TFormRhythm::RhyMainDblClick(forms::TPanel& panel) {
    PageDblClicked();
    const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name);
    if (!kind) return;
    switch (*kind) {
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

void TFormRhythm::RhyMainMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                   forms::TShiftState Shift) {
    PageMouseDown(Sender, Button, Shift, "PanelRhythm");
}

void TFormRhythm::RhyMainDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept) {
    // Only pages dragged from another rhythm window copy into one.
    PageDragOver(
        Sender, Source, Accept,
        [this](const forms::TPanel& target, const forms::TPanel& dragged, model::TPageKind kind) {
            return dragInfo_.HasKind(kind) && target.Parent() != dragged.Parent();
        });
}

void TFormRhythm::RhyMainEndDrag(forms::TObject* Target) {
    auto* targetPanel = dynamic_cast<forms::TPanel*>(Target);
    EndPageDrag(Target, [this, targetPanel](TElementWindow& window, const model::TDragElem& entry) {
        auto* sourceWindow = dynamic_cast<TFormRhythm*>(dragInfo_.Source);
        model::TRhythm& source = sourceWindow != nullptr ? sourceWindow->Rhythm() : rhythm_;
        CopyRhythmPart(source, static_cast<TFormRhythm&>(window).Rhythm(), *targetPanel, entry);
    });
}

void TFormRhythm::CopyRhythmPart(model::TRhythm& source, model::TRhythm& target,
                                 forms::TPanel& targetPanel, const model::TDragElem& entry) {
    if (TFormRhythm* targetWindow = WindowOfPagePanel<TFormRhythm>(&targetPanel))
        model::TDragInfo::HighlightTargets(*targetWindow, entry.Kind, 0);
    CopyRhythmPageBytes(source, target, entry.Kind);
}

} // namespace editors
