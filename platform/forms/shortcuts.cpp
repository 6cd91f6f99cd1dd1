#include "platform/forms/shortcuts.h"

#include <array>
#include <cctype>
#include <utility>

namespace platform::forms {

namespace {

struct KeyName {
    std::uint16_t key;
    const char* name;
};

// The keys whose names are the class library's own; letters, digits and function keys are
// named by rule below. The others carry the names of the keyboard's (US) key caps.
constexpr std::array<KeyName, 35> kKeyNames{{
    {0x08, "BkSp"},  {0x09, "Tab"},   {0x0D, "Enter"},    {0x1B, "Esc"},         {0x20, "Space"},
    {0x21, "PgUp"},  {0x22, "PgDn"},  {0x23, "End"},      {0x24, "Home"},        {0x25, "Left"},
    {0x26, "Up"},    {0x27, "Right"}, {0x28, "Down"},     {0x2D, "Ins"},         {0x2E, "Del"},
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"},    {0x6E, "Num Del"},     {0x6F, "Num /"},
    {0x13, "Pause"}, {0x2C, "Print"}, {0x90, "Num Lock"}, {0x91, "Scroll Lock"}, {0xBA, ";"},
    {0xBB, "="},     {0xBC, ","},     {0xBD, "-"},        {0xBE, "."},           {0xBF, "/"},
    {0xC0, "`"},     {0xDB, "["},     {0xDC, "\\"},       {0xDD, "]"},           {0xDE, "'"},
}};

std::string KeyToText(std::uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
    if (key >= 0x60 && key <= 0x69) return "Num " + std::to_string(key - 0x60);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Strips one modifier prefix ("Ctrl+") off text; false when text does not start with it.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || !SameText(text.substr(0, prefix.size()), prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

TShortCut ShortCut(std::uint16_t Key, TShortCut Shift) {
    if (Key & 0xFF00) return scNone;
    return static_cast<TShortCut>(Key | Shift);
}

void ShortCutToKey(TShortCut ShortCut, std::uint16_t& Key, TShortCut& Shift) {
    Key = ShortCut & 0xFF;
    Shift = ShortCut & (scShift | scCtrl | scAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
    std::string name = KeyToText(ShortCut & 0xFF);
    if (name.empty()) return {};
    std::string result;
    if (ShortCut & scShift) result += "Shift+";
    if (ShortCut & scCtrl) result += "Ctrl+";
    if (ShortCut & scAlt) result += "Alt+";
    return result + name;
}

TShortCut TextToShortCut(std::string_view Text) {
    TShortCut shift = 0;
    for (bool more = true; more;) {
        more = false;
        for (const auto& [prefix, flag] :
             {std::pair<std::string_view, TShortCut>{"Shift+", scShift},
              {"Ctrl+", scCtrl},
              {"Alt+", scAlt}})
            if (TakePrefix(Text, prefix)) {
                shift |= flag;
                more = true;
            }
    }
    if (Text.empty()) return scNone;
    for (unsigned key = 0x08; key <= 0xFF; ++key) {
        const std::string name = KeyToText(static_cast<std::uint16_t>(key));
        if (!name.empty() && SameText(name, Text))
            return ShortCut(static_cast<std::uint16_t>(key), shift);
    }
    return scNone;
}

} // namespace platform::forms
