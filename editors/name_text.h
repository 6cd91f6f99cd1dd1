#pragma once
// What a name box of a page accepts: the instrument keeps names as 7-bit data bytes, so only
// printable 7-bit characters (20H..7EH) may be typed or pasted into one.

#include "platform/forms/std_ctrls.h"

#include <string>
#include <string_view>

namespace editors {

bool IsNameChar(char ch);
// text without the characters a name box refuses.
std::string NameText(std::string_view text);

// A name box: a text field that refuses any typed or pasted text holding a character other
// than a printable 7-bit one. Text set by program is taken as it is.
class TNameEdit : public platform::forms::TEdit {
public:
    explicit TNameEdit(platform::forms::TComponent* owner);

protected:
    bool AcceptInput(const std::string& text) const override;
};

} // namespace editors
