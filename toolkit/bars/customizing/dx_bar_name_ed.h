#pragma once
// The name dialog of the customising dialog: the name of a new or renamed toolbar or category.
// Modal and made per use; OK stays disabled while the name is empty.

#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <string>

namespace toolkit::bars {

class TdxBar;
class TdxBars;

class TdxBarNameEd : public platform::forms::TForm {
public:
    explicit TdxBarNameEd(platform::core::TComponent* AOwner);

    // Toolbar modes: 0 add, 1 rename; category modes: 0 add, 1 insert, 2 rename.
    void Prepare(const std::string& AName, bool AIsCategory, int AMode, TdxBar* ARenamedBar,
                 TdxBars* ABars);

    platform::forms::TLabel& LName;
    platform::forms::TEdit& EName;
    platform::forms::TButton& BOK;
    platform::forms::TButton& BCancel;

private:
    void ENameChange();
    void BOKClick();
    // A toolbar name no other toolbar has; else the user is told and the dialog stays.
    bool NameIsFree() const;

    bool FIsCategory = false;
    TdxBars* FBars = nullptr;
    TdxBar* FRenamedBar = nullptr;
};

// True and the new name in AName when the user confirms.
bool dxBarNameEd(std::string& AName, bool AIsCategory, int AMode, TdxBar* ARenamedBar,
                 TdxBars* ABars);

} // namespace toolkit::bars
