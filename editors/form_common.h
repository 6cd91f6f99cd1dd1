#pragma once
// The patch common page: common parameters 0-11 and 44-72 (name, level, pan, octave shift,
// stretch tune, voice priority, velocity range switch, default tempo, boosters and structure
// types of the two tone pairs with their diagrams on "Page 1"; portamento, clock source, solo
// legato, bender range, key assign mode, patch control sources and hold/peak switches on
// "Page 2"). Help context 2, caption "<patch> [Common] [Loc : <path>]".
//
// Beyond the engine: one undo list per notebook page (changes go to the list of the page shown,
// Undo and Revert take back only the shown page's changes); the name goes as its 12 bytes in one
// message on every key release in the name box, which takes printable 7-bit characters only; the
// tempo goes as two bytes (tempo div 16, tempo mod 16) in one message.

#include "controls/click_edit.h"
#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "editors/editor_page.h"
#include "editors/name_text.h"
#include "model/elements/patch.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/tab_notebook.h"

#include <array>

namespace editors {

class TFormCommon : public TEditorPage {
public:
    static constexpr int HelpContextNumber = 2;
    // The unit's variable: the opener sets it just before it makes the page.
    static inline model::TPatch* PagePatch = nullptr;

    explicit TFormCommon(forms::TComponent* owner);

    model::TPatch& Patch() const { return patch_; }
    // The list of the notebook page shown.
    model::TUndoList& UndoList() override;
    model::TUndoList& PageUndoList(int pageIndex);
    // Both notebook pages' lists.
    void ClearUndo() override;

    // Structure type (0..9) of tones 1 and 2 (pair 1) or tones 3 and 4 (pair 3).
    int StructureType(int pair) const { return pair == 1 ? struct12_ : struct34_; }
    // The pair's type as the record holds it, its diagram drawn.
    void ShowStructure(int pair, int type);
    // Draws the diagram of the pair the image's Tag names and sets its label.
    void DrawStruct(forms::TImage& image);
    void PrecedenteClick(forms::TObject* Sender);
    void SuccessivoClick(forms::TObject* Sender);
    void BitBtn1Click(forms::TObject* Sender);
    void BitBtn2Click(forms::TObject* Sender);
    void TabbedNotebook1Change(forms::TObject* Sender, int NewTab, bool& AllowChange);

    forms::TTabbedNotebook& TabbedNotebook1;
    forms::TTabPage& Page1;
    forms::TTabPage& Page2;
    // Page 1
    TNameEdit& EditName;
    controls::TMyEdit& DefaultTempo;
    controls::TMyEdit& OctaveShift;
    forms::TCheckBox& VelRangeSwitch;
    forms::TGroupBox& GroupVoice;
    forms::TRadioButton& VoiceLast;
    forms::TRadioButton& VoiceLoudest;
    forms::TSpeedButton& Stretch1;
    forms::TSpeedButton& Stretch2;
    forms::TSpeedButton& Stretch3;
    forms::TSpeedButton& Stretch4;
    controls::TPanSlider& PatchLevel;
    controls::TPanSlider& AnalogfeelDepth;
    controls::TClickEdit& ClickPan;
    forms::TPanel& Panel12;
    forms::TImage& Image12;
    forms::TLabel& Label12;
    forms::TBitBtn& Precedente;
    forms::TBitBtn& Successivo;
    forms::TSpeedButton& Booster121;
    forms::TSpeedButton& Booster122;
    forms::TSpeedButton& Booster123;
    forms::TSpeedButton& Booster124;
    forms::TPanel& Panel34;
    forms::TImage& Image34;
    forms::TLabel& Label34;
    forms::TBitBtn& BitBtn1;
    forms::TBitBtn& BitBtn2;
    forms::TSpeedButton& Booster341;
    forms::TSpeedButton& Booster342;
    forms::TSpeedButton& Booster343;
    forms::TSpeedButton& Booster344;
    // Page 2
    forms::TCheckBox& PortSwitch;
    forms::TGroupBox& GroupPortMode;
    forms::TRadioButton& PortModeNormal;
    forms::TRadioButton& PortModeLegato;
    forms::TGroupBox& GroupBox5;
    forms::TRadioButton& PortTypeRAte;
    forms::TRadioButton& PortTypeTime;
    forms::TGroupBox& GroupBox2;
    forms::TRadioButton& PortStartPitch;
    forms::TRadioButton& PortStartNote;
    controls::TPanSlider& PortTime;
    forms::TPanel& PanelCS;
    forms::TRadioButton& RadioPatch;
    forms::TRadioButton& RadioSequencer;
    forms::TCheckBox& SoloLegato;
    forms::TGroupBox& GroupKeyAssign;
    forms::TRadioButton& KeyAssModePoly;
    forms::TRadioButton& KeyAssModeSolo;
    forms::TGroupBox& GroupBender;
    controls::TMyEdit& BenderUp;
    controls::TMyEdit& BenderDown;
    forms::TComboBox& PatchCtrlSource2;
    forms::TComboBox& PatchCtrlSource3;
    forms::TGroupBox& GroupEfxCtrl;
    forms::TRadioButton& EfxCtrlOff;
    forms::TRadioButton& EfxCtrlHold;
    forms::TRadioButton& EfxCtrlPeak;
    forms::TGroupBox& GroupCtrl1;
    forms::TRadioButton& Ctrl1Off;
    forms::TRadioButton& Ctrl1Hold;
    forms::TRadioButton& Ctrl1Peak;
    forms::TGroupBox& GroupCtrl2;
    forms::TRadioButton& Ctrl2Off;
    forms::TRadioButton& Ctrl2Hold;
    forms::TRadioButton& Ctrl2Peak;
    forms::TGroupBox& GroupCtrl3;
    forms::TRadioButton& Ctrl3Off;
    forms::TRadioButton& Ctrl3Hold;
    forms::TRadioButton& Ctrl3Peak;

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;

private:
    // A structure step: the pair's type moved by step unless that leaves 0..9, then redrawn.
    void StepStructure(int pair, int step);

    model::TPatch& patch_;
    std::array<model::TUndoList, 2> undoLists_;
    int struct12_ = 0;
    int struct34_ = 0;
};

// The patch's common page: brought to the front when the common record has it open, else made
// with owner as its owner after PagePatch was set, and shown.
TFormCommon& OpenCommonPage(model::TPatch& patch, forms::TComponent& owner);

} // namespace editors
