#include "editors/form_per_comm.h"

#include "editors/page_choice_rows.h"
#include "editors/page_text_rows.h"
#include "model/transfer/activation.h"
#include "platform/forms/place_control.h"

#include <cassert>
#include <memory>
#include <string>
#include <vector>

namespace editors {

model::TPerformance* TFormPerComm::PagePerformance = nullptr;

namespace {

using controls::TEditType;
using forms::TObject;

model::TPerformance& TakePerformance() {
    assert(TFormPerComm::PagePerformance != nullptr && "the opener sets PagePerformance first");
    return *TFormPerComm::PagePerformance;
}

constexpr std::uint16_t NameOffset = 0;
constexpr std::uint16_t TempoOffset = 45;
constexpr std::uint16_t VelRangeOffset = 47;
// Part n's reserve is byte ReserveOffset + n.
constexpr std::uint16_t ReserveOffset = 47;
constexpr std::uint16_t KeyboardModeOffset = 64;
constexpr std::uint16_t ClockSourceOffset = 65;

constexpr int ReserveLeft = 160;
constexpr int ReserveTop = 8;
constexpr int ReserveColumn = 144;
constexpr int ReserveRow = 34;
constexpr int ReserveRows = 8;
constexpr int ButtonsTop = 317;
constexpr int PageWidth = ReserveLeft + 2 * ReserveColumn + 16;

forms::TLabel& LabelAt(forms::TForm& form, forms::TWinControl& parent, int left, int top,
                       const std::string& text) {
    return forms::PlaceControl<forms::TLabel>(form, parent, left, top, 0, 15, text);
}

controls::TMyEdit& Step(forms::TForm& form, forms::TWinControl& parent, int left, int top, int min,
                        int max) {
    auto& edit = forms::PlaceControl<controls::TMyEdit>(form, parent, left, top, 88, 21);
    edit.Min = min;
    edit.Max = max;
    edit.SetEditType(TEditType::MinMax);
    return edit;
}

forms::TPanel& ChoicePanel(forms::TForm& form, int top) {
    auto& panel = forms::PlaceControl<forms::TPanel>(form, form, 8, top, 140, 60);
    panel.BevelOuter = forms::bvLowered;
    return panel;
}

forms::TRadioButton& Radio(forms::TForm& form, forms::TWinControl& parent, int top,
                           const char* caption) {
    return forms::PlaceControl<forms::TRadioButton>(form, parent, 8, top, 120, 18, caption);
}

} // namespace

TFormPerComm::TFormPerComm(forms::TComponent* owner)
    : TEditorPage(owner, TakePerformance(),
                  std::make_unique<TRecordOf<model::TPerformanceCommon>>(
                      *TakePerformance().Common, TakePerformance().Common->CommonWindow),
                  HelpContextNumber),
      EditName(forms::PlaceControl<TNameEdit>(*this, *this, 8, 24, 110, 21)),
      DefaultTempo(Step(*this, *this, 8, 70, 20, 250)),
      VelRangeSwitch(
          forms::PlaceControl<forms::TCheckBox>(*this, *this, 8, 100, 130, 20, "Vel Range Switch")),
      GroupReserve(forms::PlaceControl<forms::TGroupBox>(
          *this, *this, ReserveLeft, ReserveTop, 2 * ReserveColumn + 8,
          ReserveRows * ReserveRow + 24, "Voice Reserve")),
      EditTotalVoice(forms::PlaceControl<forms::TEdit>(*this, *this, 8, 282, 88, 21)),
      PanelKB(ChoicePanel(*this, 128)), RadioLayer(Radio(*this, PanelKB, 20, " Layer")),
      Radiosingle(Radio(*this, PanelKB, 38, " Single")), PanelCS(ChoicePanel(*this, 196)),
      RadioPerformance(Radio(*this, PanelCS, 20, " Performance")),
      RadioSequencer(Radio(*this, PanelCS, 38, " Sequencer")), performance_(TakePerformance()) {
    SetCaption("Common");
    LabelAt(*this, *this, 8, 8, "Performance Name");
    LabelAt(*this, *this, 8, 54, "Default Tempo");
    LabelAt(*this, PanelKB, 6, 3, "Keyboard Mode");
    LabelAt(*this, PanelCS, 6, 3, "Clock Source");
    LabelAt(*this, *this, 8, 266, "Voice Available");
    EditName.SetMaxLength(12);
    EditTotalVoice.SetReadOnly(true);
    // Both groups are part of the performance's page.
    PanelKB.SetVisible(true);
    PanelCS.SetVisible(true);

    // The reserves come first: the total shown after them sums what they show.
    for (int n = 1; n <= ReserveCount; ++n) {
        const int left = 8 + ((n - 1) / ReserveRows) * ReserveColumn;
        const int top = 20 + ((n - 1) % ReserveRows) * ReserveRow;
        LabelAt(*this, GroupReserve, left, top + 3, "Part " + std::to_string(n));
        controls::TMyEdit& edit = Step(*this, GroupReserve, left + 48, top, 0, VoiceCount);
        edit.Name = "Part" + std::to_string(n);
        edit.Tag = n;
        edit.Onchange = [this](TObject* sender) { Part1change(sender); };
        Part[static_cast<std::size_t>(n - 1)] = &edit;
        AddRow<TStepRow>(edit.Name, edit, static_cast<std::uint16_t>(ReserveOffset + n), Plain);
    }
    AddRow<TNameRow>(EditName, NameOffset);
    AddRow<TTempoRow>(DefaultTempo, TempoOffset);
    AddRow<TCheckRow>("VelRangeSwitch", VelRangeSwitch, VelRangeOffset);
    AddRow<TRadioRow>("KeyboardMode", std::vector<forms::TRadioButton*>{&RadioLayer, &Radiosingle},
                      KeyboardModeOffset);
    AddRow<TRadioRow>("ClockSource",
                      std::vector<forms::TRadioButton*>{&RadioPerformance, &RadioSequencer},
                      ClockSourceOffset);
    PlaceButtons(ButtonsTop, PageWidth);
}

std::string TFormPerComm::CaptionText() const {
    return " [Common] [Loc : ";
}

void TFormPerComm::ActivateElem() {
    model::ActivatePerformance(&performance_);
}

void TFormPerComm::ShowMore() {
    ShowTotalVoice(CalcTotalVoice());
}

int TFormPerComm::CalcTotalVoice() const {
    int total = 0;
    for (const controls::TMyEdit* edit : Part)
        total += edit->Code();
    return total;
}

void TFormPerComm::ShowTotalVoice(int total) {
    EditTotalVoice.SetText("   " + std::to_string(VoiceCount - total));
}

void TFormPerComm::Part1change(TObject* Sender) {
    auto* edit = dynamic_cast<controls::TMyEdit*>(Sender);
    if (edit == nullptr || edit->Tag < 1 || edit->Tag > ReserveCount) return;
    // Only a step up can pass the limit; a step down always leaves fewer voices in use, and
    // the field itself never steps below its minimum.
    if (!edit->SteppingUp() || CalcTotalVoice() <= VoiceCount) {
        ShowTotalVoice(CalcTotalVoice());
        return;
    }
    // Taken back by program: no further event, and the text keeps its last value.
    edit->SetCode(edit->Code() - edit->Step);
}

TFormPerComm& OpenPerCommPage(model::TPerformance& performance, forms::TComponent& owner) {
    model::TEditorSlot& slot = performance.Common->CommonWindow;
    if (slot.Open && slot.Window != nullptr) {
        auto* view = dynamic_cast<TPageView*>(slot.Window);
        assert(view != nullptr);
        slot.Window->BringToFront();
        return static_cast<TFormPerComm&>(view->Page());
    }
    TFormPerComm::PagePerformance = &performance;
    TFormPerComm& page = owner.Own<TFormPerComm>();
    page.AfterConstruction();
    page.Show();
    return page;
}

} // namespace editors
