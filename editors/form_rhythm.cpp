#include "editors/form_rhythm.h"

#include "editors/form_rhy_main.h"
#include "editors/form_rhy_pitch.h"
#include "editors/form_rhy_tva.h"
#include "editors/form_rhy_tvf.h"
#include "editors/place_child_form.h"
#include "editors/place_control.h"
#include "editors/rhythm_part_copy.h"
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

std::string WithoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The rhythm window a page panel lies in (its parent's parent); null for any other control.
TFormRhythm* WindowOfPanel(const forms::TObject* control) {
    const auto* panel = dynamic_cast<const forms::TPanel*>(control);
    if (panel == nullptr || panel->Parent() == nullptr) return nullptr;
    return dynamic_cast<TFormRhythm*>(panel->Parent()->Parent());
}

template <class Page>
void OpenPage(model::TRhythm& rhythm, model::TClipboard& clipboard, forms::TComponent& owner) {
    OpenRhythmNotePage<Page>(rhythm, clipboard, owner);
}

} // namespace

TFormRhythm::TFormRhythm(forms::TComponent* owner, model::TRhythm& rhythm,
                         model::TDragInfo& dragInfo, model::TClipboard& clipboard)
    : forms::TForm(owner, forms::fsMDIChild),
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
      dragInfo_(dragInfo), clipboard_(clipboard), view_(
                                                      *this, [this] { UpDateView(); }, false) {
    HelpContext = HelpContextNumber;
    SetCaption("Rhythm");
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

    Shader1.SetAlign(forms::alClient);
    Shader1.SetFromColor(0x80FF00);
    Shader1.SetToColor(platform::gdi::clWhite);
    Shader1.SetDirection(false);

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
                        bool& accept) { FormDragOver(accept); };
    Shader1.OnDragOver = OnDragOver;
    Panel1.OnDragOver = OnDragOver;
    PanelRhythm.OnDragOver = OnDragOver;
    OnCreate = [this](forms::TObject*) { FormCreate(); };
    OnShow = [this](forms::TObject*) { UpDateView(); };
    OnActivate = [this](forms::TObject*) { FormActivate(); };
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { FormClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    OnResize = [this](forms::TObject*) { FormResize(); };
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

std::vector<model::TPagePanel*> TFormRhythm::PagePanels() {
    std::vector<model::TPagePanel*> panels;
    for (const auto& page : pages_)
        panels.push_back(page.get());
    return panels;
}

forms::TPanel* TFormRhythm::PagePanel(model::TPageKind kind) const {
    for (const auto& page : pages_)
        if (model::TDragInfo::PageKindOf(*page) == kind) return &page->Panel();
    return nullptr;
}

TPagePanelOf* TFormRhythm::PanelOf(const forms::TObject* control) const {
    for (const auto& list : {&groups_, &pages_})
        for (const auto& panel : *list)
            if (&panel->Panel() == control) return panel.get();
    return nullptr;
}

void TFormRhythm::BringWindowToFront() {
    forms::TCustomForm* main = forms::Application().MainForm();
    if (main != nullptr && main->ActiveMDIChild() == this) return;
    view_.BringToFront();
}

void TFormRhythm::FormCreate() {
    rhythm_.EditorOpen = true;
    auto left = static_cast<std::uint16_t>(rhythm_.EditorLeft);
    auto top = static_cast<std::uint16_t>(rhythm_.EditorTop);
    PlaceChildForm(left, top, *this);
    rhythm_.EditorLeft = static_cast<std::int16_t>(left);
    rhythm_.EditorTop = static_cast<std::int16_t>(top);
}

void TFormRhythm::FormActivate() {
    model::ActivateRhythm(&rhythm_);
}

void TFormRhythm::FormClose(forms::TCloseAction& Action) {
    Action = forms::caNone;
    Release();
}

void TFormRhythm::FormDestroy() {
    rhythm_.SaveEditorPosition();
    rhythm_.CloseEditors();
    rhythm_.EditorOpen = false;
    if (rhythm_.Editor == &view_) rhythm_.Editor = nullptr;
}

void TFormRhythm::FormResize() {
    if (Width() != FixedWidth || Height() != FixedHeight)
        SetBounds(Left(), Top(), FixedWidth, FixedHeight);
}

void TFormRhythm::UpDateView() {
    EditName.SetText(TrimRight(rhythm_.GetName()));
    SetCaption(rhythm_.GetName() + " [Filename : " + WithoutFolder(rhythm_.FileName) + "]" +
               "   [Loc : " + model::ElemPath(rhythm_) + "]");
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
    DblClicked = true;
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
    if (Button != forms::mbLeft) return;
    TPagePanelOf* panel = PanelOf(Sender);
    if (panel == nullptr) return;
    model::PanelMouseDown(dragInfo_, *this, *panel, (Shift & forms::ssCtrl) != 0, "PanelRhythm",
                          "NNNNNNN");
}

void TFormRhythm::RhyMainDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept) {
    BringWindowToFront();
    const auto* target = dynamic_cast<const forms::TPanel*>(Sender);
    const auto* dragged = dynamic_cast<const forms::TPanel*>(Source);
    const std::optional<model::TPageKind> kind =
        target != nullptr ? model::TDragInfo::PageKindOf(target->Name) : std::nullopt;
    // Only pages dragged from another rhythm window copy into one.
    Accept = kind && dragged != nullptr && WindowOfPanel(dragged) != nullptr && target != dragged &&
             dragInfo_.HasKind(*kind) && target->Parent() != dragged->Parent();
    dragInfo_.Accept = Accept;
}

void TFormRhythm::FormDragOver(bool& Accept) {
    BringWindowToFront();
    Accept = false;
    dragInfo_.Accept = false;
}

void TFormRhythm::RhyMainEndDrag(forms::TObject* Target) {
    if (model::TQuintaron* app = model::AppState()) app->DragRunning = false;
    auto* targetPanel = dynamic_cast<forms::TPanel*>(Target);
    TFormRhythm* targetWindow = WindowOfPanel(targetPanel);
    if (targetWindow == nullptr || !dragInfo_.Accept) {
        // A double-click leaves the page it opened in front.
        if (!DblClicked) BringWindowToFront();
        DblClicked = false;
        return;
    }
    dragInfo_.Target = targetWindow;
    model::UnhighlightPanels(*targetWindow);
    auto* sourceWindow = dynamic_cast<TFormRhythm*>(dragInfo_.Source);
    model::TRhythm& source = sourceWindow != nullptr ? sourceWindow->Rhythm() : rhythm_;
    model::TRhythm& target = targetWindow->Rhythm();
    const std::vector<model::TDragElem> entries = dragInfo_.Elems;
    for (const model::TDragElem& entry : entries)
        CopyRhythmPart(source, target, *targetPanel, entry);
    target.SetModified();
    // The refresh also empties the undo lists of the target's open pages: their entries would
    // write old bytes into the copied ones.
    target.UpdateViews();
    target.Transmit(true);
    targetWindow->BringWindowToFront();
    DblClicked = false;
}

void TFormRhythm::CopyRhythmPart(model::TRhythm& source, model::TRhythm& target,
                                 forms::TPanel& targetPanel, const model::TDragElem& entry) {
    if (TFormRhythm* targetWindow = WindowOfPanel(&targetPanel))
        model::TDragInfo::HighlightTargets(*targetWindow, entry.Kind, 0);
    CopyRhythmPageBytes(source, target, entry.Kind);
}

} // namespace editors
