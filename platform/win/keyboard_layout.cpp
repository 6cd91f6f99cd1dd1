#include "platform/win/keyboard_layout.h"

#include <array>

namespace platform::win {

namespace {

struct KeyEntry {
    int vk;
    UINT scan;
    char normal;
    char shifted;
};

// The keys of the US layout that have scan codes or characters.
constexpr std::array<KeyEntry, 61> Layout{{
    {VK_ESCAPE, 0x01, 27, 27},      {'1', 0x02, '1', '!'},
    {'2', 0x03, '2', '@'},          {'3', 0x04, '3', '#'},
    {'4', 0x05, '4', '$'},          {'5', 0x06, '5', '%'},
    {'6', 0x07, '6', '^'},          {'7', 0x08, '7', '&'},
    {'8', 0x09, '8', '*'},          {'9', 0x0A, '9', '('},
    {'0', 0x0B, '0', ')'},          {VK_OEM_MINUS, 0x0C, '-', '_'},
    {VK_OEM_PLUS, 0x0D, '=', '+'},  {VK_BACK, 0x0E, 8, 8},
    {VK_TAB, 0x0F, 9, 9},           {'Q', 0x10, 'q', 'Q'},
    {'W', 0x11, 'w', 'W'},          {'E', 0x12, 'e', 'E'},
    {'R', 0x13, 'r', 'R'},          {'T', 0x14, 't', 'T'},
    {'Y', 0x15, 'y', 'Y'},          {'U', 0x16, 'u', 'U'},
    {'I', 0x17, 'i', 'I'},          {'O', 0x18, 'o', 'O'},
    {'P', 0x19, 'p', 'P'},          {VK_OEM_4, 0x1A, '[', '{'},
    {VK_OEM_6, 0x1B, ']', '}'},     {VK_RETURN, 0x1C, 13, 13},
    {VK_CONTROL, 0x1D, 0, 0},       {'A', 0x1E, 'a', 'A'},
    {'S', 0x1F, 's', 'S'},          {'D', 0x20, 'd', 'D'},
    {'F', 0x21, 'f', 'F'},          {'G', 0x22, 'g', 'G'},
    {'H', 0x23, 'h', 'H'},          {'J', 0x24, 'j', 'J'},
    {'K', 0x25, 'k', 'K'},          {'L', 0x26, 'l', 'L'},
    {VK_OEM_1, 0x27, ';', ':'},     {VK_OEM_7, 0x28, '\'', '"'},
    {VK_OEM_3, 0x29, '`', '~'},     {VK_SHIFT, 0x2A, 0, 0},
    {VK_OEM_5, 0x2B, '\\', '|'},    {'Z', 0x2C, 'z', 'Z'},
    {'X', 0x2D, 'x', 'X'},          {'C', 0x2E, 'c', 'C'},
    {'V', 0x2F, 'v', 'V'},          {'B', 0x30, 'b', 'B'},
    {'N', 0x31, 'n', 'N'},          {'M', 0x32, 'm', 'M'},
    {VK_OEM_COMMA, 0x33, ',', '<'}, {VK_OEM_PERIOD, 0x34, '.', '>'},
    {VK_OEM_2, 0x35, '/', '?'},     {VK_MULTIPLY, 0x37, '*', '*'},
    {VK_MENU, 0x38, 0, 0},          {VK_SPACE, 0x39, ' ', ' '},
    {VK_CAPITAL, 0x3A, 0, 0},       {VK_F1, 0x3B, 0, 0},
    {VK_ADD, 0x4E, '+', '+'},       {VK_SUBTRACT, 0x4A, '-', '-'},
    {VK_DECIMAL, 0x53, '.', '.'},
}};

const KeyEntry* ByKey(UINT vk) {
    for (const auto& e : Layout)
        if (static_cast<UINT>(e.vk) == vk) return &e;
    return nullptr;
}

} // namespace

UINT MapVirtualKey(UINT code, UINT mapType) {
    switch (mapType) {
    case MAPVK_VK_TO_VSC:
        if (code >= static_cast<UINT>(VK_NUMPAD0) && code <= static_cast<UINT>(VK_NUMPAD0 + 9)) {
            static constexpr UINT pad[] = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                           0x4C, 0x4D, 0x47, 0x48, 0x49};
            return pad[code - VK_NUMPAD0];
        }
        if (const auto* e = ByKey(code)) return e->scan;
        return 0;
    case MAPVK_VSC_TO_VK:
        for (const auto& e : Layout)
            if (e.scan == code) return static_cast<UINT>(e.vk);
        return 0;
    case MAPVK_VK_TO_CHAR:
        if (code >= 'A' && code <= 'Z') return code;
        if (const auto* e = ByKey(code)) return static_cast<std::uint8_t>(e->normal);
        return 0;
    default:
        return 0;
    }
}

int ToAscii(UINT virtualKey, UINT, const std::uint8_t* keyState, std::uint16_t* chars, UINT) {
    if (!chars) return 0;
    auto down = [&](int vk) { return keyState && (keyState[vk] & 0x80); };
    if (virtualKey >= static_cast<UINT>(VK_NUMPAD0) &&
        virtualKey <= static_cast<UINT>(VK_NUMPAD0 + 9)) {
        chars[0] = static_cast<std::uint16_t>('0' + (virtualKey - VK_NUMPAD0));
        return 1;
    }
    const auto* e = ByKey(virtualKey);
    if (!e || e->normal == 0) return 0;
    bool shift = down(VK_SHIFT);
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    if (letter && keyState && (keyState[VK_CAPITAL] & 0x01)) shift = !shift;
    char c = shift ? e->shifted : e->normal;
    if (down(VK_CONTROL) && !down(VK_MENU)) {
        if (letter) {
            c = static_cast<char>(virtualKey - 'A' + 1);
        } else if (c != 27 && c != 8 && c != 9 && c != 13) {
            return 0;
        }
    }
    chars[0] = static_cast<std::uint8_t>(c);
    return 1;
}

std::int16_t VkKeyScan(char ch) {
    for (int shifted = 0; shifted < 2; ++shifted)
        for (const auto& e : Layout) {
            if (e.normal == 0 || e.vk == VK_MULTIPLY || e.vk == VK_ADD || e.vk == VK_SUBTRACT ||
                e.vk == VK_DECIMAL)
                continue;
            if ((shifted ? e.shifted : e.normal) == ch)
                return static_cast<std::int16_t>((shifted ? 0x100 : 0) | e.vk);
        }
    return -1;
}

} // namespace platform::win
