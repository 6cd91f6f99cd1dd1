#pragma once
// The expansion set-up dialog ("Expansion Setup"): which expansion board sits in each of the
// instrument's four slots, which PCM card is fitted and whether a data card is installed, as
// the settings keep them. OK stores them and saves the settings file; a changed data card
// re-lays every open global window, which shows the card banks only with one. Created once at
// start-up; the main window's Settings > Expansion shows it modally.

#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

namespace app {

namespace forms = platform::forms;

class TFormExpansion : public forms::TForm {
public:
    explicit TFormExpansion(forms::TComponent* owner);
    ~TFormExpansion() override;

    forms::TPanel& Panel1;
    forms::TLabel& Label1;
    forms::TComboBox& ExpA;
    forms::TLabel& Label2;
    forms::TComboBox& ExpB;
    forms::TLabel& Label3;
    forms::TComboBox& ExpC;
    forms::TLabel& Label4;
    forms::TComboBox& ExpD;
    forms::TLabel& Label5;
    forms::TComboBox& PcmCard;
    forms::TCheckBox& DataCard;
    forms::TBitBtn& BitBtn2;
    forms::TBitBtn& BitBtn1;

private:
    void FormShow(forms::TObject* Sender);
    void BitBtn2Click(forms::TObject* Sender);
    void BitBtn1Click(forms::TObject* Sender);
};

// The expansion set-up dialog while it lives; null before start-up made it and after it went.
TFormExpansion* FormExpansion();

} // namespace app
