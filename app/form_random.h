#pragma once
// The random-generation window "Bank Random": a new bank of 128 patches recombined from one patch
// bank of a library, previewed on the instrument patch by patch; "Create Bank" and "Create
// Patch" copy it, or the patch on view, into that library. Created once at start-up and shown
// modally by the library window's random command. The new bank lives from each showing to the
// close, so only what was copied survives.

#include "app/patch_random.h"
#include "app/random_source.h"
#include "platform/forms/buttons.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <memory>

namespace model {
class TPatchBank;
}

namespace app {

namespace forms = platform::forms;

class TFormLibrary;

class TFormRandom : public forms::TForm {
public:
    explicit TFormRandom(forms::TComponent* owner);
    ~TFormRandom() override;

    // Stored by the opener before it shows the window: the bank recombined, which must stay in
    // the library while the window is open, and the window whose library takes the copies.
    model::TPatchBank* SourceBank = nullptr;
    TFormLibrary* LibraryWindow = nullptr;

    // The bank generated, while the window shows; null otherwise.
    model::TPatchBank* NewBank() const { return newBank_.get(); }
    // 0..127: the patch on view.
    int CurrentPosition() const { return position_; }
    // The program draws from the clock-seeded source; tests give their own.
    void SetRandomSource(std::unique_ptr<TRandomSource> Source);
    // The check and radio boxes as options of the generation.
    TRandomOptions Options() const;

    // Every patch of the new bank drawn afresh, the hourglass showing meanwhile.
    void RandomizeBank();
    void RandomizePatch(int Position);
    // The position in CurrPatch: " 1", "12", "127".
    void UpdateCurrPatch();

    forms::TGroupBox& GroupRandomOn;
    forms::TCheckBox& Common;
    forms::TCheckBox& Tone1;
    forms::TCheckBox& Tone2;
    forms::TCheckBox& Tone3;
    forms::TCheckBox& Tone4;
    forms::TCheckBox& PatchName;
    forms::TGroupBox& GroupType;
    forms::TRadioButton& ToneComm;
    forms::TRadioButton& RadioButton2;
    forms::TGroupBox& GroupPreview;
    forms::TLabel& LabelPosition;
    forms::TEdit& CurrPatch;
    forms::TBitBtn& Precedente;
    forms::TBitBtn& Successivo;
    forms::TBitBtn& BitBtn1;
    forms::TBitBtn& BitBtn2;
    forms::TBitBtn& BitBtn4;
    forms::TBitBtn& CreateBank;
    forms::TBitBtn& CreatePatch;
    forms::TBitBtn& Btnclose;

private:
    void FormShow(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void PrecedenteClick(forms::TObject* Sender);
    void SuccessivoClick(forms::TObject* Sender);
    void BitBtn1Click(forms::TObject* Sender);
    void BitBtn2Click(forms::TObject* Sender);
    void BitBtn4MouseDown(forms::TObject* Sender);
    void BitBtn4MouseUp(forms::TObject* Sender);
    // "Create Bank" and "Create Patch", told apart by the sender's name.
    void CreateBankClick(forms::TObject* Sender);
    // The patch on view to the instrument's edit buffer, which makes it the current patch.
    void SendCurrent();

    std::unique_ptr<model::TPatchBank> newBank_;
    std::unique_ptr<TRandomSource> random_;
    int position_ = 1;
};

// The random-generation window while it lives; null before start-up made it and after it went.
TFormRandom* FormRandom();

} // namespace app
