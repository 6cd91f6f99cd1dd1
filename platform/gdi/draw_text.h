#pragma once
// Formatted text in a rectangle, with the platform's rules: lines break at CR, LF or CR LF (not
// on a single line); word break moves whole words to the next line and drops the blanks at the
// break, and with the edit-control rule also splits a word wider than the rectangle and leaves
// out a last line that would show only in part; "&x" underlines x and "&&" is one '&' unless
// DT_NOPREFIX; end and path ellipsis shorten a line with "..." until it fits; tabs expand to
// every eight average character widths (DT_TABSTOP: the count in bits 8-15); vertical centring
// and bottom alignment apply to a single line only. The text is clipped to the rectangle unless
// DT_NOCLIP. Returns the height of the text, or, for a single line centred or at the bottom,
// the offset from the rectangle's top to the text's bottom; with DT_CALCRECT nothing is drawn
// and the rectangle's right and bottom are set to fit the text. An empty text (count -1) gives
// the line height; DT_CALCRECT then makes the rectangle 0 wide and, unless DT_SINGLELINE, 0
// high. A count of 0 gives 0 and leaves the rectangle alone.

#include "platform/gdi/device_context.h"

namespace platform::gdi {

enum : UINT {
    DT_TOP = 0x00000000,
    DT_LEFT = 0x00000000,
    DT_CENTER = 0x00000001,
    DT_RIGHT = 0x00000002,
    DT_VCENTER = 0x00000004,
    DT_BOTTOM = 0x00000008,
    DT_WORDBREAK = 0x00000010,
    DT_SINGLELINE = 0x00000020,
    DT_EXPANDTABS = 0x00000040,
    DT_TABSTOP = 0x00000080,
    DT_NOCLIP = 0x00000100,
    DT_EXTERNALLEADING = 0x00000200,
    DT_CALCRECT = 0x00000400,
    DT_NOPREFIX = 0x00000800,
    DT_INTERNAL = 0x00001000,
    DT_EDITCONTROL = 0x00002000,
    DT_PATH_ELLIPSIS = 0x00004000,
    DT_END_ELLIPSIS = 0x00008000,
    DT_MODIFYSTRING = 0x00010000,
    DT_RTLREADING = 0x00020000,
    DT_WORD_ELLIPSIS = 0x00040000,
    DT_NOFULLWIDTHCHARBREAK = 0x00080000,
    DT_HIDEPREFIX = 0x00100000,
    DT_PREFIXONLY = 0x00200000,
};

// count -1: text is NUL-terminated (nullptr is an empty text). 0 on failure (no context, no
// rectangle, no text for a positive count).
int DrawText(HDC dc, const char* text, int count, TRect* rect, UINT format);

} // namespace platform::gdi
