#pragma once
// The scale tune page: the 17 scale tunes of a system (parts 1..16 and patch mode), one at a
// time as the part buttons select it, each note's tuning -64..63 stored as value + 64. Help
// context 56, caption "<system> [Scale Tune] [Loc : <path>]".
//
// Beyond the engine: one undo list per scale tune (Undo and Revert take back only the selected
// one's changes; Revert sends the whole system); Revert All takes back every scale tune's changes
// and sends the system once; Copy and Paste move a scale tune through the part clipboard (a
// paste sends the whole system and makes no undo entry).

#include "controls/my_edit.h"
#include "editors/system_page.h"
#include "model/editing/clipboard.h"
#include "platform/forms/buttons.h"

#include <array>

namespace editors {

class TFormScaleTune : public TSystemPage {
public:
    static constexpr int HelpContextNumber = 56;
    static constexpr int NoteCount = 12;
    // The unit's variable: the opener sets it just before it makes the page.
    static model::TSystem* PageSystem;
    static model::TEditorSlot& SlotOf(model::TSystem& system) { return system.ScaleTuneWindow; }

    // clipboard: the program's part clipboard (the main window's).
    TFormScaleTune(forms::TComponent* owner, model::TClipboard& clipboard);

    // The scale tune shown, 1..17.
    int Selected() const { return selected_; }
    model::TUndoList& UndoList() override;
    // Every scale tune's list.
    void ClearUndo() override;

    void SpeedButton1Click(forms::TObject* Sender);
    void BtnReverAllClick(forms::TObject* Sender);
    void CopyBtnClick(forms::TObject* Sender);
    void PasteBtnClick(forms::TObject* Sender);

    // SpeedButton1 .. SpeedButton17 (Tag 1..17; "1" .. "16", "Patch Mode").
    std::array<forms::TSpeedButton*, model::ScaleTuneCount> SpeedButton{};
    // Tune1 .. Tune9, tune10, Tune11, Tune12 (Tag 1..12): C .. B.
    std::array<controls::TMyEdit*, NoteCount> Tune{};
    forms::TBitBtn& CopyBtn;
    forms::TBitBtn& PasteBtn;
    forms::TBitBtn& BtnReverAll;

protected:
    void ShowMore() override;

private:
    model::TClipboard& clipboard_;
    std::array<model::TUndoList, model::ScaleTuneCount> undoLists_;
    int selected_ = 1;
};

} // namespace editors
