#pragma once
// The program's own pictures, drawn here in code: the menu and toolbar images, the element icons
// of the main window's and the library window's buttons and rows, the library window's tool
// buttons, the trash bin, the two cursors of the main window and the intro picture. Every
// picture but the intro lies on ImageBackground, which its bottom-left pixel carries, so that
// image lists, glyphs, transparent images and cursors leave it out.

#include "platform/forms/graphics.h"
#include "platform/forms/img_list.h"
#include "platform/win/cursors.h"

#include <cstdint>

namespace app {

inline constexpr platform::gdi::TColor ImageBackground = platform::gdi::clFuchsia;

// The commands that have a picture in the menus and on the toolbar.
enum class TMenuImage {
    New,
    Open,
    ImportFromSynth,
    Close,
    Save,
    SaveAs,
    ExportToSynth,
    SaveAll,
    Print,
    Exit,
    Midi,
    Preview,
    Expansion,
    Names,
    Keyboard,
    Monitor,
    Cascade,
    Tile,
    Arrange,
    MinimizeAll,
    HelpIndex,
    About,
};
inline constexpr int MenuImageCount = static_cast<int>(TMenuImage::About) + 1;

// A 16x16 picture of the command.
void DrawMenuImage(platform::forms::TBitmap& Into, TMenuImage Image);
// Makes List 16x16 and fills it with every command's picture.
void FillMenuImages(platform::forms::TImageList& List);
// The index of a command's picture in a list FillMenuImages filled.
int MenuImageIndex(TMenuImage Image);

// The icon of an element type (model::etPatch...): 16x16 for a patch, performance, rhythm set or
// system, 32x16 for the three banks and the global set; an unknown type gives an empty 16x16.
void DrawElemIcon(platform::forms::TBitmap& Into, std::int16_t Type);

// The tool buttons of a library window that show a picture.
enum class TLibraryGlyph {
    New,
    Comment,
    Print,
    Delete,
    Send,
    Receive,
    Search,
    Duplicate,
    Morph,
    Random,
    Help,
};
inline constexpr int LibraryGlyphCount = static_cast<int>(TLibraryGlyph::Help) + 1;

// A 16x16 picture of the tool.
void DrawLibraryGlyph(platform::forms::TBitmap& Into, TLibraryGlyph Glyph);

// The bin of the main window, 32x32: with the lid on when empty, overflowing when full.
inline constexpr int BinSize = 32;
void DrawBin(platform::forms::TBitmap& Into, bool Full);

// The morph window's run buttons, 16x16: a triangle pointing right, a square.
enum class TMorphGlyph { Play, Stop };
void DrawMorphGlyph(platform::forms::TBitmap& Into, TMorphGlyph Glyph);

// The main window's cursors: a note while the preview sounds (the screen's cursor -20), an
// arrow carrying a page while an element is dragged (-12).
enum class TAppCursor { Preview, Drag };
inline constexpr int CursorSize = 16;

// The cursor's picture, black and white on ImageBackground.
void DrawCursorImage(platform::forms::TBitmap& Into, TAppCursor Cursor);
// The cursor made from that picture, made once and kept for the program's run.
platform::win::HCURSOR AppCursor(TAppCursor Cursor);

// The intro window's picture: the program's name over a waveform and a keyboard.
inline constexpr int IntroWidth = 514;
inline constexpr int IntroHeight = 324;
void DrawIntroPicture(platform::forms::TBitmap& Into);

// The program's icon, 32x32, as the about box shows it: a wave over a few keys.
inline constexpr int ProgramIconSize = 32;
void DrawProgramIcon(platform::forms::TBitmap& Into);

} // namespace app
