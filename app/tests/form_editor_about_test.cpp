// The about box: opened by Help > About, borderless and centred, with the program's name,
// version and icon, and closed with its button.

#include "app/form_editor_about.h"
#include "app/tests/main_window_fixture.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/painting.h"
#include "testsupport/win/input_driver.h"

namespace app::test {

namespace {

namespace pg = platform::gdi;
namespace pw = platform::win;

class FormEditorAboutTest : public MainWindowTest {
protected:
    TFormeditorAbout& about = MakeForm<TFormeditorAbout>();
};

TEST_F(FormEditorAboutTest, HelpAboutShowsTheBoxAndItsButtonClosesIt) {
    EXPECT_EQ(FormeditorAbout(), &about);
    bool shown = false;
    pg::COLORREF iconCentre = 0, iconCorner = 0, face = 0;
    After(100, [&] {
        shown = about.Visible();
        EXPECT_TRUE(testsupport::SaveWindowPng(about.Handle(), (folder / "about.png").string()));
        const pw::HWND panel = about.Panel1.Handle();
        const pg::HDC dc = pw::GetDC(panel);
        const forms::TControl& icon = about.ProgramIcon;
        iconCentre = pg::GetPixel(dc, icon.Left() + 5, icon.Top() + 31);
        iconCorner = pg::GetPixel(dc, icon.Left() + 1, icon.Top() + 1);
        face = pg::GetPixel(dc, 200, 80);
        pw::ReleaseDC(panel, dc);
    });
    After(110, [&] { Click(about.OKButton); });
    main.HelpAboutItem.Click();

    EXPECT_TRUE(shown);
    EXPECT_FALSE(about.Visible());
    EXPECT_EQ(about.ModalResult(), forms::mrOk);
    // The icon stretched over its box: navy inside, the panel's face at the corner.
    EXPECT_EQ(iconCentre, static_cast<pg::COLORREF>(pg::clNavy));
    EXPECT_EQ(iconCorner, face);
}

TEST_F(FormEditorAboutTest, ABorderlessCentredBoxWithTheProgramsNameAndVersion) {
    EXPECT_EQ(about.Caption(), "About");
    EXPECT_EQ(about.BorderStyle(), forms::bsNone);
    EXPECT_EQ(about.BorderIcons(), 0u);
    EXPECT_EQ(about.Position, forms::poScreenCenter);
    EXPECT_EQ(about.ClientWidth(), 296);
    EXPECT_EQ(about.ClientHeight(), 212);
    EXPECT_EQ(about.ProductName.Caption(), "Product Name : Quintaron");
    EXPECT_EQ(about.Version.Caption(), "Version : 3.0");
    EXPECT_EQ(about.OKButton.Caption(), "Close");
    EXPECT_EQ(about.ProgramIcon.Width(), 65);
    EXPECT_EQ(about.ProgramIcon.Height(), 57);
    EXPECT_TRUE(about.ProgramIcon.Stretch());
    EXPECT_EQ(about.Panel1.Width(), 296);
    EXPECT_EQ(about.Panel1.Height(), 212);
    After(100, [&] {
        EXPECT_EQ(about.Left(), (1024 - about.Width()) / 2);
        Click(about.OKButton);
    });
    about.ShowModal();
}

} // namespace

} // namespace app::test
