#pragma once
// Text output and measuring with the selected font. Strings are Windows-1252 bytes. Text is
// placed by the top-left of its cell (the context's text alignment can move the reference to
// the right, centre, bottom or baseline); in opaque background mode the cell is filled with the
// background colour first. A font with an escapement turns the text, cell and lines with it,
// about the reference point (DrawText: each line about where it starts); extents are measured
// along the text, as if it were not turned. Extents include the character extra and the
// justification spread over the break characters.

#include "platform/gdi/device_context.h"

namespace platform::gdi {

using LONG = std::int32_t;

enum : UINT { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004 };

BOOL TextOut(HDC dc, int x, int y, const char* text, int count);
// rect is filled with the background colour under ETO_OPAQUE and clips under ETO_CLIPPED;
// advances, when given, are the distances from each character to the next.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, const char* text, int count,
                const int* advances);
BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, TSize* size);
// fit receives how many characters fit in maxExtent, extents the width up to the end of each
// character (both optional).
BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, int* fit,
                          int* extents, TSize* size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
int GetTextFace(HDC dc, int count, char* faceName);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
// Tabs stop every tabs[0] pixels with one position, at the given positions with more (relative
// to tabOrigin), every eight average character widths with none. Returns width in the low and
// height in the high word.
LONG TabbedTextOut(HDC dc, int x, int y, const char* text, int count, int tabCount, const int* tabs,
                   int tabOrigin);
std::uint32_t GetTabbedTextExtent(HDC dc, const char* text, int count, int tabCount,
                                  const int* tabs);

} // namespace platform::gdi
