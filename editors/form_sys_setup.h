#pragma once
// The system setup page: system common parameters 0-11 and 40-81 on a notebook of three pages
// ("Page 1": panel mode, the performance and the patch chosen by name, master tune and the
// switches; "Page 2": pedals, controllers and hold pedal; "Page 3": transmit, transpose,
// keyboard and the bank select numbers of seven bank groups). Help context 61, caption
// "<system> [Setup] [Loc : <path>]".
//
// Beyond the engine: one undo list per notebook page; every change of the panel mode is preceded
// by the General MIDI off message; the patch group and number go as two and four bytes in one
// message each, a bank select number as two. A group whose name list is unknown (an unknown
// board or card, no group) shows an empty name, and its chooser offers nothing. Transpose
// (-5..6) and octave shift (-3..3) are kept with biases 5 and 3.

#include "controls/my_edit.h"
#include "editors/system_page.h"
#include "platform/forms/buttons.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/tab_notebook.h"

#include <array>
#include <vector>

namespace editors {

class TFormSysSetup : public TSystemPage {
    std::vector<forms::TRadioButton*> mode_;
    std::vector<forms::TRadioButton*> pedal1_;
    std::vector<forms::TRadioButton*> pedal2_;
    std::vector<forms::TRadioButton*> hold_;

public:
    static constexpr int HelpContextNumber = 61;
    static constexpr int BankGroupCount = 7;
    // The unit's variable: the opener sets it just before it makes the page.
    static model::TSystem* PageSystem;
    static model::TEditorSlot& SlotOf(model::TSystem& system) { return system.SetupWindow; }

    explicit TFormSysSetup(forms::TComponent* owner);

    // The name list of a patch group (PatchGroup's item index) and of a performance group
    // (PerfGroup's); 0 for none: no such group, or a board or card without a list.
    static int ListCode(int group);
    static int ListCodePerf(int group);

    // The list of the notebook page shown.
    model::TUndoList& UndoList() override;
    model::TUndoList& PageUndoList(int pageIndex);
    // Every notebook page's list.
    void ClearUndo() override;
    // A change of the panel mode also enables the controls of the mode.
    void SendandStore(std::uint16_t Offset, std::uint8_t Value) override;

    int BankGroup() const { return bankGroup_; }
    int PatchNumber() const { return patchNumber_; }
    int PerformanceNumber() const { return perfNumber_; }

    void GMOff();
    void UpdateEnabled();
    void PatchGroupChange(forms::TObject* Sender);
    void PatchNameChange();
    void ButPatchClick(forms::TObject* Sender);
    void PerfGroupChange(forms::TObject* Sender);
    void PerfNameChange();
    void ButPerfClick(forms::TObject* Sender);
    void SpeedButton1Click(forms::TObject* Sender);
    void TabbedChange(forms::TObject* Sender, int NewTab, bool& AllowChange);
    void BtnRevertClick(forms::TObject* Sender);
    // Shown by the table's rows.
    void ShowPatch();
    void ShowPerformance();

    forms::TTabbedNotebook& Tabbed;
    forms::TTabPage& Page1;
    forms::TTabPage& Page2;
    forms::TTabPage& Page3;
    // Page 1
    forms::TRadioButton& Performance;
    forms::TRadioButton& Patch;
    forms::TRadioButton& GM;
    forms::TComboBox& PerfGroup;
    forms::TEdit& PerfName;
    forms::TSpeedButton& ButPerf;
    forms::TComboBox& PatchGroup;
    forms::TEdit& PatchName;
    forms::TSpeedButton& ButPatch;
    controls::TMyEdit& MasterTune;
    forms::TCheckBox& ScaleTuneSwitch;
    forms::TCheckBox& EfxSwitch;
    forms::TCheckBox& ChorusSwitch;
    forms::TCheckBox& ReverbSwitch;
    forms::TCheckBox& PatchRemain;
    // Page 2
    controls::TMyEdit& Pedal1;
    forms::TComboBox& Pedal1Output;
    controls::TMyEdit& Pedal2;
    forms::TComboBox& Pedal2Output;
    controls::TMyEdit& C1Assign;
    forms::TComboBox& C1output;
    controls::TMyEdit& C2Assign;
    forms::TComboBox& C2Output;
    forms::TComboBox& HoldPedalOutput;
    forms::TRadioButton& Pedal1Std;
    forms::TRadioButton& Pedal1Rev;
    forms::TRadioButton& Pedal2Std;
    forms::TRadioButton& Pedal2Rev;
    forms::TRadioButton& HoldPedalStd;
    forms::TRadioButton& HoldPedalRev;
    // Page 3
    forms::TCheckBox& TrPrgChange;
    forms::TCheckBox& TrBankSel;
    controls::TMyEdit& PatchTrCh;
    forms::TCheckBox& TransposeSwitch;
    controls::TMyEdit& TransposeValue;
    controls::TMyEdit& OctaveShift;
    controls::TMyEdit& KeybVel;
    forms::TComboBox& KeybSens;
    controls::TMyEdit& AftSens;
    forms::TCheckBox& BankSelSwitch;
    controls::TMyEdit& BankSel;
    // The bank group buttons by group: 1 SpeedButton1, 2 SpeedButton2, 3 SpeedButton4,
    // 4 SpeedButton3, 5 SpeedButton5 .. 7 SpeedButton7.
    std::array<forms::TSpeedButton*, BankGroupCount> BankButton{};

protected:
    void ShowMore() override;

private:
    // The patch name shown: its entry in the group's list, empty when there is none.
    std::string PatchEntry() const;

    std::array<model::TUndoList, 3> undoLists_;
    int bankGroup_ = 1;
    int patchNumber_ = 0;
    int perfNumber_ = 0;
    int previousGroup_ = 0;
};

} // namespace editors
