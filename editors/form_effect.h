#pragma once
// The effects window of a patch or a performance: EFX output, chorus and reverb on "Page 1"; the
// EFX type with its block diagram and the controls of the type, built at run time from the EFX
// type table, on "Page 2". It edits the common record's effects bytes by the patch common
// block's numbering (a performance's common block holds them one byte later). Help context 6 for
// a patch, 41 for a performance; caption "<name> [Effects] [Loc : <path>]".
//
// Beyond the engine: one undo list per notebook page. Choosing a type stores it, empties the
// second page's undo list and, with the ports open, sends the type again and asks the
// instrument for the twelve EFX parameters; the reply rebuilds the second page. Only a sound
// data set of this instrument for those twelve bytes is taken; anything else is ignored, and
// after 1000 ms without it "The instruments is not responding." offers Retry (ask again) or OK
// (the twelve bytes become 0, unsent). With the ports closed the page is rebuilt at once. The
// input handler of a fetch is the window's only while the fetch runs, and never outlives it.

#include "controls/pan_slider.h"
#include "editors/editor_page.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/transfer/input_guard.h"
#include "platform/core/timer.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/tab_notebook.h"

#include <array>
#include <cstdint>
#include <vector>

namespace editors {

inline constexpr const char* EfxNotRespondingText = "The instruments is not responding.";
inline constexpr std::uint32_t EfxFetchTimeoutMs = 1000;

class TFormEffect : public TEditorPage {
public:
    static constexpr int PatchHelpContext = 6;
    static constexpr int PerformanceHelpContext = 41;
    // The unit's variables: the opener sets the element of the mode just before it makes the
    // window (EffectPatchMode 1 for a patch, 0 for a performance).
    static model::TPatch* EffectPatch;
    static model::TPerformance* EffectPerformance;
    static std::uint8_t EffectPatchMode;

    explicit TFormEffect(forms::TComponent* owner);
    ~TFormEffect() override;

    bool PatchMode() const { return patchMode_ == 1; }
    // Window parameter n: the patch's common parameter n, the performance's n + 1.
    std::uint8_t ReadByte(int n) const;
    void WriteByte(int n, std::uint8_t value);

    // Fills the window from the record; rebuild: the second page's controls are made anew.
    void UpDateView(bool rebuild);
    // The list of the notebook page shown.
    model::TUndoList& UndoList() override;
    model::TUndoList& PageUndoList(int pageIndex);
    void ClearUndo() override;

    // The type list's change, the fetch and its ends.
    void EFXTypeChange(forms::TObject* Sender);
    void ReceiveEFXParam();
    void OnEFXMidiInput();
    void TimerTimer();
    void AfterReceive();
    // The second page: its controls made for the chosen type, and shown from the record.
    void InsertEFX();
    void SetEFXParam();
    void EFXEndChange(forms::TObject* Sender);
    void efxsourceChange(forms::TObject* Sender);
    void TabbedNotebook1Change(forms::TObject* Sender, int NewTab, bool& AllowChange);

    // The chosen type (1..40; 0 for none) and the run-time control at a position (1-based),
    // null beyond the type's controls.
    int EFXNumber() const { return efxNumber_; }
    forms::TControl* ParamControl(int pos) const;
    int ParamControlCount() const { return static_cast<int>(paramControls_.size()); }
    // A fetch waits for its reply.
    bool Fetching() const { return Timer.Enabled(); }

    forms::TTabbedNotebook& TabbedNotebook1;
    forms::TTabPage& Page1;
    forms::TTabPage& Page2;
    // Page 1
    forms::TGroupBox& GroupEFX;
    forms::TComboBox& Outputassign;
    controls::TPanSlider& EfxOutputlevel;
    controls::TPanSlider& EfxReverbsendlevel;
    controls::TPanSlider& EfxChorusSendLevel;
    forms::TPanel& Panelefxsource;
    forms::TComboBox& efxsource;
    forms::TLabel& LabelCtrl1;
    forms::TComboBox& EFXCtrlSource1;
    controls::TPanSlider& EfxCtrlDepth1;
    forms::TLabel& LabelCtrl2;
    forms::TComboBox& EfxCtrlSource2;
    controls::TPanSlider& EfxCtrlDepth2;
    forms::TGroupBox& GroupChorus;
    controls::TPanSlider& ChorusLevel;
    controls::TPanSlider& ChorusRate;
    controls::TPanSlider& ChorusDepth;
    controls::TPanSlider& ChorusPredelay;
    controls::TPanSlider& Chorusfeedback;
    forms::TComboBox& ChorusOutputassign;
    forms::TGroupBox& GroupReverb;
    forms::TComboBox& Reverbtype;
    controls::TPanSlider& Reverblevel;
    controls::TPanSlider& ReverbTime;
    controls::TPanSlider& Reverbfeedback;
    forms::TPanel& PanelHFDamp;
    forms::TImage& Image1;
    forms::TBitBtn& Precedente;
    forms::TBitBtn& Successivo;
    // Page 2
    forms::TPanel& PanelEFX;
    forms::TImage& Image2;
    forms::TPanel& PanelType;
    forms::TComboBox& EFXType;
    platform::core::TTimer& Timer;

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;
    void ShowMore() override;

private:
    std::uint32_t Base() const;
    // The type's window parameter as the performance block numbers it less one.
    std::uint16_t TypeOffset() const;
    void ShowWindow(forms::TObject* Sender);
    void RemoveAll();
    void GetEFXCoord(int n, int& left, int& top) const;
    controls::TPanSlider& InsertSlider(const std::string& caption, bool stereo, int min, int max);
    forms::TControl& InsertSpin(const std::string& caption, int width, controls::TEditType kind,
                                int step, int min, int max);
    forms::TControl& InsertCombo(const std::string& caption, const std::vector<std::string>& items);
    // A made control's part: tagged with the position, freed by RemoveAll.
    template <class T>
    T& RunTime(forms::TWinControl& parent, int left, int top, int width, int height);
    void UndoClick(forms::TObject* Sender);
    void RevertClick(forms::TObject* Sender);

    std::uint8_t patchMode_;
    model::TPatch* patch_;
    model::TPerformance* performance_;
    std::array<model::TUndoList, 2> undoLists_;
    bool justShown_ = false;
    bool rebuild_ = true;
    bool settingParams_ = false;
    int efxNumber_ = 0;
    int nextParam_ = 1;
    std::vector<forms::TControl*> paramControls_;
    std::vector<forms::TComponent*> runTime_;
    model::TInputHandlerGuard input_;
};

// The effects window of a patch, or of a performance: brought to the front when the common
// record has it open, else made with owner as its owner after the unit's variables were set,
// and shown.
TFormEffect& OpenEffectPatch(model::TPatch& patch, forms::TComponent& owner);
TFormEffect& OpenEffectPerformance(model::TPerformance& performance, forms::TComponent& owner);

} // namespace editors
