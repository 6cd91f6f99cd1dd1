#include "app/form_editor_about.h"

#include "app/app_images.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

namespace app {

namespace {

TFormeditorAbout* formeditorAbout = nullptr;

// A stretched picture draws every pixel: the icon's background takes the panel's face.
void DrawIconOnFace(forms::TBitmap& into) {
    namespace gdi = platform::gdi;
    DrawProgramIcon(into);
    const gdi::TColor face = static_cast<gdi::TColor>(gdi::ColorToRGB(gdi::clBtnFace));
    for (int y = 0; y < into.Height(); ++y)
        for (int x = 0; x < into.Width(); ++x)
            if (into.Canvas().Pixel(x, y) == ImageBackground) into.Canvas().SetPixel(x, y, face);
}

} // namespace

TFormeditorAbout* FormeditorAbout() {
    return formeditorAbout;
}

TFormeditorAbout::TFormeditorAbout(forms::TComponent* owner)
    : TForm(owner), Panel1(forms::PlaceControl<forms::TPanel>(*this, *this, 0, 0, 296, 212)),
      ProgramIcon(forms::PlaceControl<forms::TImage>(*this, Panel1, 16, 16, 65, 57)),
      ProductName(forms::PlaceControl<forms::TLabel>(*this, Panel1, 96, 20, 184, 13,
                                                     "Product Name : Quintaron")),
      Version(forms::PlaceControl<forms::TLabel>(*this, Panel1, 96, 44, 184, 13, "Version : 3.0")),
      Line1(forms::PlaceControl<forms::TLabel>(*this, Panel1, 16, 88, 264, 13,
                                               "Sound editor and librarian")),
      Line2(forms::PlaceControl<forms::TLabel>(*this, Panel1, 16, 108, 264, 13,
                                               "for the instrument's patches, performances,")),
      Line3(forms::PlaceControl<forms::TLabel>(*this, Panel1, 16, 128, 264, 13,
                                               "rhythm sets, banks and system settings.")),
      Rule(forms::PlaceControl<forms::TBevel>(*this, Panel1, 16, 152, 264, 2)),
      OKButton(forms::PlaceControl<forms::TBitBtn>(*this, Panel1, 110, 170, 75, 25)) {
    Name = "FormeditorAbout";
    SetCaption("About");
    SetBorderStyle(forms::bsNone);
    SetBorderIcons(0);
    Position = forms::poScreenCenter;
    SetClientWidth(296);
    SetClientHeight(212);
    Panel1.SetAlign(forms::alClient);
    Panel1.BevelInner = forms::bvLowered;
    DrawIconOnFace(ProgramIcon.Picture().Bitmap());
    ProgramIcon.SetStretch(true);
    Rule.Shape = forms::bsTopLine;
    OKButton.SetKind(forms::bkOK);
    OKButton.SetCaption("Close");
    formeditorAbout = this;

    OKButton.OnClick = [this](forms::TObject* sender) { OKButtonClick(sender); };
}

TFormeditorAbout::~TFormeditorAbout() {
    if (formeditorAbout == this) formeditorAbout = nullptr;
}

void TFormeditorAbout::OKButtonClick(forms::TObject*) {
    SetModalResult(forms::mrOk);
}

} // namespace app
