#pragma once
// The program's own pictures, drawn here in code: the menu and toolbar images, the element icons
// of the main window's and the library window's buttons, the trash bin and the intro picture.
// Every picture but the intro lies on ImageBackground, which its bottom-left pixel carries, so
// that image lists, glyphs and transparent images leave it out.

#include "platform/forms/graphics.h"
#include "platform/forms/img_list.h"

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

// The bin of the main window, 32x32: with the lid on when empty, overflowing when full.
inline constexpr int BinSize = 32;
void DrawBin(platform::forms::TBitmap& Into, bool Full);

// The intro window's picture: the program's name over a waveform and a keyboard.
inline constexpr int IntroWidth = 514;
inline constexpr int IntroHeight = 324;
void DrawIntroPicture(platform::forms::TBitmap& Into);

// The program's icon, 32x32, as the about box shows it: a wave over a few keys.
inline constexpr int ProgramIconSize = 32;
void DrawProgramIcon(platform::forms::TBitmap& Into);

} // namespace app
