#include "editors/form_sys_midi.h"

#include "editors/labelled_controls.h"
#include "editors/page_choice_rows.h"

#include <cassert>
#include <memory>

namespace editors {

model::TSystem* TFormSysMidi::PageSystem = nullptr;

namespace {

using controls::TEditType;

model::TSystem& TakeSystem() {
    assert(TFormSysMidi::PageSystem != nullptr && "the opener sets PageSystem first");
    return *TFormSysMidi::PageSystem;
}

std::unique_ptr<TPageRecord> CommonOf(model::TSystem& system) {
    return std::make_unique<TSystemCommonRecord>(system, TFormSysMidi::SlotOf(system));
}

constexpr int LeftColumn = 8;
constexpr int RightColumn = 300;
constexpr int RowHeight = 27;
constexpr int LabelWidth = 140;

int Row(int n) {
    return 8 + n * RowHeight;
}

constexpr const char* Sources[] = {"Off ", "Hold-1", "Sostenuto", "Soft", "Hold-2"};

} // namespace

TFormSysMidi::TFormSysMidi(forms::TComponent* owner)
    : TSystemPage(owner, TakeSystem(), CommonOf(TakeSystem()), HelpContextNumber, "Midi"),
      clock_(
          PlaceRadios(*this, *this, LeftColumn, Row(0), 240, "Clock Source", {"Internal", "Midi"})),
      volume_(PlaceRadios(*this, *this, LeftColumn, Row(5) + 4, 240, "Volume Ctrl Source",
                          {"Volume", "Volume + Exp"})),
      rhythm_(PlaceRadios(*this, *this, RightColumn, Row(10) + 4, 240, "Rhythm Edit Source",
                          {"Panel", "Panel + Midi"})),
      Internal(*clock_[0]), Midi(*clock_[1]),
      TapSource(PlaceLabelledList(*this, *this, LeftColumn, Row(2), LabelWidth,
                                  "Tap Control Source", Sources)),
      HoldSource(PlaceLabelledList(*this, *this, LeftColumn, Row(3), LabelWidth,
                                   "Hold Control Source", Sources)),
      PeakSource(PlaceLabelledList(*this, *this, LeftColumn, Row(4), LabelWidth,
                                   "Peak Control Source", Sources)),
      SourceVolume(*volume_[0]), SourceVolumeExp(*volume_[1]),
      AfterTouchSource(PlaceLabelledList(*this, *this, LeftColumn, Row(7), LabelWidth,
                                         "Aftertouch Source",
                                         {"CH-After", "Poly-After", "CH+Poly"})),
      SysCtrlSource1(PlaceLabelledField(*this, *this, LeftColumn, Row(8), LabelWidth,
                                        "System Ctrl Source 1", TEditType::CC00CC95)),
      SysCtrlSource2(PlaceLabelledField(*this, *this, LeftColumn, Row(9), LabelWidth,
                                        "System Ctrl Source 2", TEditType::CC00CC95)),
      PrgChange(PlaceCheck(*this, *this, RightColumn, Row(0), "Receive Prg Change")),
      BankSel(PlaceCheck(*this, *this, RightColumn, Row(1), "Receive Bank Sel")),
      CtrlChange(PlaceCheck(*this, *this, RightColumn, Row(2), "Receive Ctrl Change")),
      Modulation(PlaceCheck(*this, *this, RightColumn, Row(3), "Receive Modulation")),
      Volume(PlaceCheck(*this, *this, RightColumn, Row(4), "Receive Volume")),
      Hold1(PlaceCheck(*this, *this, RightColumn, Row(5), "Receive Hold-1")),
      Bender(PlaceCheck(*this, *this, RightColumn, Row(6), "Receive Bender")),
      Aftertouch(PlaceCheck(*this, *this, RightColumn, Row(7), "Receive Aftertouch")),
      CtrlChannel(PlaceLabelledField(*this, *this, RightColumn, Row(8), 110, "Control Channel",
                                     TEditType::Int1M16Off)),
      PatchRecchannel(PlaceLabelledField(*this, *this, RightColumn, Row(9), 110,
                                         "Patch Receive Channel", TEditType::MinMax, 1, 16)),
      Panel(*rhythm_[0]), PanelMidi(*rhythm_[1]) {
    SetCaption("Midi");
    AddRow<TRadioRow>("ClockSource", clock_, 12);
    AddRow<TListRow>("TapSource", TapSource, 13);
    AddRow<TListRow>("HoldSource", HoldSource, 14);
    AddRow<TListRow>("PeakSource", PeakSource, 15);
    AddRow<TRadioRow>("VolumeSource", volume_, 16);
    AddRow<TListRow>("AfterTouchSource", AfterTouchSource, 17);
    AddRow<TStepRow>("SysCtrlSource1", SysCtrlSource1, 18, Code);
    AddRow<TStepRow>("SysCtrlSource2", SysCtrlSource2, 19, Code);
    AddRow<TCheckRow>("PrgChange", PrgChange, 20);
    AddRow<TCheckRow>("BankSel", BankSel, 21);
    AddRow<TCheckRow>("CtrlChange", CtrlChange, 22);
    AddRow<TCheckRow>("Modulation", Modulation, 23);
    AddRow<TCheckRow>("Volume", Volume, 24);
    AddRow<TCheckRow>("Hold1", Hold1, 25);
    AddRow<TCheckRow>("Bender", Bender, 26);
    AddRow<TCheckRow>("Aftertouch", Aftertouch, 27);
    AddRow<TStepRow>("CtrlChannel", CtrlChannel, 28, Code);
    AddRow<TStepRow>("PatchRecchannel", PatchRecchannel, 29, PlusOne);
    AddRow<TRadioRow>("RhythmEditSource", rhythm_, 30);
    PlaceButtons(Row(12), 560);
}

} // namespace editors
