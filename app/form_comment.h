#pragma once
// The comment dialog: a library's comment lines in a memo. Created once at start-up and shown
// modally by the library window's comment button (EditComment). OK writes the memo back into
// the list; Cancel and the title-bar close keep the list as it was.

#include "platform/core/string_list.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <string>

namespace app {

namespace forms = platform::forms;

class TFormcomment : public forms::TForm {
public:
    explicit TFormcomment(forms::TComponent* owner);
    ~TFormcomment() override;

    // Keeps a reference to List (it must outlive the showing) and fills the memo with its lines.
    void SeTStringList(platform::core::TStringList& List);
    // The user changed the comment: typed into the memo, or confirmed with OK a text other than
    // the one the dialog opened with. Cancel clears it.
    bool Modified() const { return modified_; }

    forms::TPanel& Panel;
    forms::TMemo& Memo;
    forms::TPanel& PanelBut;
    forms::TBitBtn& OKBtn;
    forms::TBitBtn& CancelBtn;

private:
    void FormShow(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);
    void MemoKeyPress(forms::TObject* Sender, char& Key);
    void OKBtnClick(forms::TObject* Sender);
    void CancelBtnClick(forms::TObject* Sender);

    platform::core::TStringList* list_ = nullptr;
    bool modified_ = false;
    // The memo's text as the dialog showed.
    std::string shownText_;
};

// The comment dialog while it lives; null before start-up made it and after it went.
TFormcomment* Formcomment();

// The library window's comment command: the dialog edits Lines modally. True when the user
// changed the comment; false, and nothing shown, without the dialog.
bool EditComment(platform::core::TStringList& Lines);

} // namespace app
