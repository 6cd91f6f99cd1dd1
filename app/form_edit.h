#pragma once
// The element edit dialog: the name, memory and number of one element of a library, bank or
// global set. Created once at start-up and shown modally by the Edit item of the library, bank
// and global windows' popup menus (EditElement). An element that lies in a bank or a global
// set, and a system or a global set itself, keeps its place: only its name can change.

#include "platform/forms/buttons.h"
#include "platform/forms/forms.h"
#include "platform/forms/spin.h"
#include "platform/forms/std_ctrls.h"

namespace model {
class TLibElem;
}

namespace app {

namespace forms = platform::forms;

class TFormEdit : public forms::TForm {
public:
    explicit TFormEdit(forms::TComponent* owner);
    ~TFormEdit() override;

    // The element edited, stored by the opener before it shows the dialog.
    model::TLibElem* Element = nullptr;
    // The element keeps its place (it lies in a bank or a global set, or is a system or a
    // global set); set as the dialog shows.
    bool Fixed() const { return fixed_; }
    // Set by any edit since the dialog showed.
    bool Edited() const { return changed_; }

    // The position shows only for a patch, performance or rhythm set that is not temporary and
    // keeps no fixed place.
    void CheckPosEnabled();

    forms::TLabel& LabelName;
    forms::TEdit& Editname;
    forms::TLabel& LabelPosition;
    // Hides the form's placement field of the same name: TForm::Position places the form.
    forms::TSpinEdit& Position;
    forms::TGroupBox& GroupBox1;
    forms::TRadioButton& User;
    forms::TRadioButton& Card;
    forms::TRadioButton& Temp;
    forms::TBitBtn& OKBtn;
    forms::TBitBtn& CancelBtn;

private:
    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void UserClick(forms::TObject* Sender);
    void EditnameChange(forms::TObject* Sender);
    void PositionChange(forms::TObject* Sender);
    void OKBtnClick(forms::TObject* Sender);
    void CancelBtnClick(forms::TObject* Sender);

    bool fixed_ = false;
    bool changed_ = false;
};

// The element edit dialog while it lives; null before start-up made it and after it went.
TFormEdit* FormEdit();

// The popup menus' Edit: the dialog edits Elem modally. Without the dialog nothing happens.
void EditElement(model::TLibElem& Elem);

} // namespace app
