#pragma once
// The morph window ("Patch Morphing"): a patch between two library patches A and B, moved by a
// factor 0..127 and sent to the edit buffer at every change, its preview note following half a
// second later. Play steps the factor on by MorphStep after each note of Notelength ms until it
// reaches 127; Create Bank stores the path from A to B as a new patch bank of the library.
// Created once at start-up and shown modally by the library window's morph command. The morph
// patch lives while the window is shown: the model takes it out of the current-patch slot when
// it goes.

#include "app/patch_morph.h"
#include "controls/my_edit.h"
#include "controls/pan_slider.h"
#include "model/elements/patch.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <memory>
#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormLibrary;

class TFormMorph : public forms::TForm {
public:
    explicit TFormMorph(forms::TComponent* owner);
    ~TFormMorph() override;

    // What the next showing morphs, and the library window whose library takes the bank. They
    // must outlive the showing.
    void SetSources(model::TPatch& A, model::TPatch& B, TFormLibrary& Target);

    // The morph patch at Factor (0..127) by the check boxes as they stand.
    void UpdatePatch(int Factor);
    bool UseCommonParameter(int n) const;
    bool UseToneParameter(int n) const;
    // The check boxes as the arithmetic reads them.
    TMorphBoxes Boxes() const;

    // The patch sent to the edit buffer; null while the window is not shown.
    const model::TPatch* MorphPatch() const { return morphPatch_.get(); }
    // The automatic run is going.
    bool Playing() const { return playing_; }

    forms::TEdit& PatchEdit1;
    controls::TPanSlider& Slider;
    forms::TLabel& LabelFactor;
    forms::TEdit& PatchEdit2;
    forms::TGroupBox& GroupMorphOn;
    forms::TCheckBox& Common;
    forms::TCheckBox& Tone1;
    forms::TCheckBox& Tone2;
    forms::TCheckBox& Tone3;
    forms::TCheckBox& Tone4;
    forms::TGroupBox& GroupInclude;
    forms::TCheckBox& OnOff;
    forms::TCheckBox& Wavenumber;
    forms::TCheckBox& PanCtrlSwitch;
    forms::TCheckBox& Tonedelaymode;
    forms::TCheckBox& LfoExtSync;
    forms::TCheckBox& Lfowaveform;
    forms::TCheckBox& LFOfademode;
    forms::TCheckBox& Outpuassign;
    forms::TCheckBox& TVABiasDir;
    forms::TCheckBox& TVFfiltertype;
    forms::TCheckBox& efxparameter;
    forms::TCheckBox& chorusoutassign;
    forms::TCheckBox& Reverbtype;
    forms::TCheckBox& efxoutassign;
    forms::TCheckBox& Holdpeak;
    forms::TCheckBox& Structuretype;
    forms::TCheckBox& Boosterlevel;
    forms::TCheckBox& StretchTuneDepth;
    forms::TCheckBox& coarsetune;
    forms::TCheckBox& finetune;
    forms::TGroupBox& GroupNoteLength;
    controls::TMyEdit& Notelength;
    forms::TGroupBox& GroupStepLength;
    controls::TMyEdit& MorphStep;
    // The buttons' row, laid out by the constructor's table.
    forms::TBitBtn& Play = Own<forms::TBitBtn>();
    forms::TBitBtn& Stop = Own<forms::TBitBtn>();
    forms::TButton& CreateBank = Own<forms::TButton>();
    forms::TButton& Btnclose = Own<forms::TButton>();
    forms::TTimer& Starter = Own<forms::TTimer>();
    forms::TTimer& Timer1 = Own<forms::TTimer>();

private:
    void FormShow(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void SliderEndchange(forms::TObject* Sender);
    void PlayClick(forms::TObject* Sender);
    void StopClick(forms::TObject* Sender);
    void StarterTimer(forms::TObject* Sender);
    void Timer1Timer(forms::TObject* Sender);
    void NoteLengthEndChange(forms::TObject* Sender);
    void BtncloseClick(forms::TObject* Sender);
    void CreateBankClick(forms::TObject* Sender);
    // The patch at the slider's factor to the edit buffer, its note half a second later.
    void SendAndPlay();

    model::TPatch* a_ = nullptr;
    model::TPatch* b_ = nullptr;
    TFormLibrary* libraryWindow_ = nullptr;
    std::unique_ptr<model::TPatch> morphPatch_;
    bool playing_ = false;
    // Every check box of the window, the two tune boxes last.
    std::vector<forms::TCheckBox*> boxes_;
};

// The morph window while it lives; null before start-up made it and after it went.
TFormMorph* FormMorph();

// The library window's morph command: A into B, modally, the bank going to Target's library.
// Nothing without the window.
void MorphPatches(model::TPatch& A, model::TPatch& B, TFormLibrary& Target);

} // namespace app
