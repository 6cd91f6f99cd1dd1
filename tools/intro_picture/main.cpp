// intro-picture FILE: draws the intro window's picture (app::DrawIntroPicture) and writes it to
// FILE as a BMP. The build runs it after linking the program, so that "introXP.bmp" lies beside
// the executable, where the intro window looks for it. Headless: QT_QPA_PLATFORM is offscreen
// unless set.

#include "app/app_images.h"

#include "platform/forms/graphics.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"
#include "platform/win/desktop.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::cerr << "usage: intro-picture FILE\n"
                     "Draws the intro picture and writes it to FILE as a BMP.\n";
        return 2;
    }
    platform::win::TDesktop desktop(argc, argv, /*headless=*/true); // the installed fonts
    platform::forms::TBitmap picture;
    app::DrawIntroPicture(picture);
    if (!platform::gdi::BitmapSurface(picture.Handle())->SaveBmp(argv[1])) {
        std::cerr << "cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
