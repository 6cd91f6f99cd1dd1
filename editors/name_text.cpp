#include "editors/name_text.h"

namespace editors {

bool IsNameChar(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    return byte >= 0x20 && byte <= 0x7E;
}

std::string NameText(std::string_view text) {
    std::string result;
    for (char ch : text)
        if (IsNameChar(ch)) result += ch;
    return result;
}

TNameEdit::TNameEdit(platform::forms::TComponent* owner) : TEdit(owner) {}

bool TNameEdit::AcceptInput(const std::string& text) const {
    return TEdit::AcceptInput(text) && NameText(text) == text;
}

} // namespace editors
