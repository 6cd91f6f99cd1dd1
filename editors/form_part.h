#pragma once
// The performance part page: the 16 parts of one performance, one at a time, chosen with the
// part buttons: MIDI receive, the patch a part plays (for part 10 the rhythm set), levels, pan,
// tuning, key range, output and the transmit settings. Help context 37, caption
// "<performance> [Parts] [Loc : <path>]".
//
// Beyond the engine: the table edits the selected part's record, and each part keeps its own
// undo list (Undo and Revert work on the selected part, Revert All on every part; a revert sends
// all 16 parts). The patch group and number go as bytes 2-3 and 2-5 in one message each; a group
// of an empty expansion slot or a missing PCM card is refused. Part 10 chooses among two rhythm
// sets per group, the user and card sets by the names the instrument gives when the page is
// shown. Copy and Paste use the program's part clipboard; a paste forgets the part's undo list
// and sends all 16 parts. Octave shift is stored with bias 3 (-3..3 as 0..6).

#include "controls/click_edit.h"
#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "editors/editor_page.h"
#include "editors/rhythm_names.h"
#include "model/elements/performance.h"
#include "platform/forms/buttons.h"
#include "platform/forms/std_ctrls.h"

#include <array>
#include <cstdint>
#include <string>

namespace editors {

class TSelectedPart;

class TFormPart : public TEditorPage {
public:
    static constexpr int HelpContextNumber = 37;
    static constexpr int RhythmPart = 10;
    // The unit's variable: the opener sets it just before it makes the page.
    static model::TPerformance* PagePerformance;

    explicit TFormPart(forms::TComponent* owner);
    ~TFormPart() override;

    model::TPerformance& Performance() const { return performance_; }
    // 1..16
    int SelectedPart() const;
    // Selects part (1..16) as its button does.
    void SelectPart(int part);
    // The selected part's list.
    model::TUndoList& UndoList() override;
    model::TUndoList& PartUndoList(int part);
    // Every part's list.
    void ClearUndo() override;

    // The record's byte 4 * 16 + byte 5 as the page last showed or chose it.
    int CurrentNumber() const { return currentNumber_; }
    // The name list of the patch group at index (0..10).
    int ListCode(int index) const;
    const TRhythmNameFetch& RhythmNames() const { return rhythmNames_; }

    void SpeedButton1Click(forms::TObject* Sender);
    void ComboPatchChange(forms::TObject* Sender);
    void PatchnameChange(forms::TObject* Sender);
    void ButtonPNClick(forms::TObject* Sender);
    void ComboRhythmNameChange(forms::TObject* Sender);
    void EnabledPatchRhythm();
    void SetRhythmComboName();
    void ReceiveRhythmName();
    void Keylowerchange(forms::TObject* Sender);
    void Keyupperchange(forms::TObject* Sender);
    void CopyBtnClick(forms::TObject* Sender);
    void PasteBtnClick(forms::TObject* Sender);
    void BtnReverAllClick(forms::TObject* Sender);
    // The group, number and names of the selected part as the record holds them.
    void ShowChoosers();

    std::array<forms::TSpeedButton*, model::PartCount> SpeedButtons{};
    forms::TBitBtn& CopyBtn;
    forms::TBitBtn& PasteBtn;
    forms::TCheckBox& MidiRecSwitch;
    controls::TMyEdit& MidiChannel;
    forms::TLabel& LabelGroup;
    forms::TComboBox& ComboPatch;
    forms::TLabel& LabelName;
    forms::TEdit& Patchname;
    forms::TBitBtn& ButtonPN;
    forms::TComboBox& ComboRhythmName;
    forms::TComboBox& Outputassign;
    forms::TComboBox& TrasmetBank;
    controls::TPanSlider& PartLevel;
    controls::TPanSlider& OutputLevel;
    controls::TPanSlider& ChorusSendlevel;
    controls::TPanSlider& ReverbSendLevel;
    controls::TClickEdit& ClickPan;
    controls::TMyEdit& PitchCoarsetune;
    controls::TMyEdit& Pitchfinetune;
    forms::TCheckBox& RecPrgChange;
    forms::TCheckBox& RecVolume;
    forms::TCheckBox& RecHold1;
    controls::TMyEdit& Keylower;
    controls::TMyEdit& Keyupper;
    controls::TMyEdit& Octaveshift;
    forms::TCheckBox& LocalShift;
    forms::TCheckBox& TrasmetShift;
    controls::TMyEdit& Trasmetvolume;
    forms::TBitBtn& BtnReverAll;

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;
    void ShowMore() override;

private:
    void PageShow(forms::TObject* Sender);
    // The group index the record's bytes 2 (type) and 3 (id) stand for; -1 for none shown.
    int GroupIndexOf(int type, int id) const;
    // Bytes 2-5: the group of the record and number as two 4-bit halves, one message.
    void StoreNumber(int number);

    model::TPerformance& performance_;
    TSelectedPart& selection_;
    std::array<model::TUndoList, model::PartCount> undoLists_;
    int currentNumber_ = 0;
    int previousChoice_ = 0;
    TRhythmNameFetch rhythmNames_;
};

// The performance's part page: brought to the front when the performance has it open, else made
// with owner as its owner after PagePerformance was set, and shown.
TFormPart& OpenPartPage(model::TPerformance& performance, forms::TComponent& owner);

} // namespace editors
