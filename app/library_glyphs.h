#pragma once
// The pictures of a library window's buttons, drawn here rather than loaded: the New and Mask
// buttons show the main window's element icons, the tool buttons small drawings of their own.

namespace app {

class TFormLibrary;

// Element icons come from the main window while there is one; without it those buttons stay
// without pictures.
void DrawLibraryGlyphs(TFormLibrary& form);

} // namespace app
