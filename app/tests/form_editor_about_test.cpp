// The about box: opened by Help > About, borderless and centred, with the program's name,
// version and icon, and closed with its button.

#include "app/form_editor_about.h"
#include "app/tests/main_window_fixture.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/drawing.h"
#include "platform/win/painting.h"
#include "testsupport/win/input_driver.h"

#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

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

// What a user sees of the box: no frame or caption bar, in the middle of the screen, its panel
// filling it, the icon, the name and version and the button each whole inside it and clear of
// one another.
TEST_F(FormEditorAboutTest, ABorderlessCentredBoxWithTheProgramsNameAndVersion) {
    EXPECT_EQ(about.Caption(), "About");
    EXPECT_EQ(about.ProductName.Caption(), "Product Name : Quintaron");
    EXPECT_EQ(about.Version.Caption(), "Version : 3.0");
    EXPECT_EQ(about.OKButton.Caption(), "Close");
    EXPECT_TRUE(about.ProgramIcon.Stretch());
    std::vector<std::string> failures;
    After(100, [&] {
        const forms::TRect box = about.BoundsRect();
        const forms::TRect client = about.ClientRect();
        const auto check = [&](bool holds, const std::string& what) {
            if (!holds) failures.push_back(what);
        };
        check(about.Width() == about.ClientWidth() && about.Height() == about.ClientHeight(),
              "no frame around the box");
        check(std::abs(box.Left - (1024 - box.Width()) / 2) <= 1, "centred across the screen");
        check(std::abs(box.Top - (768 - box.Height()) / 2) <= 1, "centred down the screen");
        check(about.Panel1.BoundsRect() == client, "the panel fills the box");
        const auto inside = [&](const forms::TControl& control) {
            const forms::TRect r = control.BoundsRect();
            return r.Left >= 0 && r.Top >= 0 && r.Right <= about.Panel1.ClientWidth() &&
                   r.Bottom <= about.Panel1.ClientHeight() && r.Width() > 0 && r.Height() > 0;
        };
        const auto apart = [](const forms::TControl& a, const forms::TControl& b) {
            forms::TRect overlap;
            return !platform::gdi::IntersectRect(overlap, a.BoundsRect(), b.BoundsRect());
        };
        const std::pair<const forms::TControl*, std::string> parts[] = {
            {&about.ProgramIcon, "the icon"},      {&about.ProductName, "the name"},
            {&about.Version, "the version"},       {&about.Line1, "the first line"},
            {&about.Line2, "the second line"},     {&about.Line3, "the third line"},
            {&about.OKButton, "the Close button"},
        };
        for (const auto& [part, name] : parts)
            check(inside(*part), name + " whole inside the box");
        for (std::size_t i = 0; i < std::size(parts); ++i)
            for (std::size_t j = i + 1; j < std::size(parts); ++j)
                check(apart(*parts[i].first, *parts[j].first),
                      parts[i].second + " clear of " + parts[j].second);
        Click(about.OKButton);
    });
    about.ShowModal();
    EXPECT_EQ(failures, std::vector<std::string>{});
    EXPECT_EQ(about.ModalResult(), forms::mrOk);
}

} // namespace

} // namespace app::test
