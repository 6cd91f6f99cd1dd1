// A patch's editors as a user reaches them, on the bare X server with the instrument: the patch's
// window opened from its library row, its effects window opened from the Effects page, and an
// EFX type chosen there, whose parameters the effects window asks of the instrument. Child windows
// of the main window are no windows of their own to the X server: they are found by their caption
// bars on the screen, and their controls by where the program's layout puts them.

#include "e2e/tests/program_fixture.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "platform/core/ini_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {
namespace {

using platform::gdi::Pixel32;
using platform::gdi::Surface;

// A window's caption bar as the screen shows it: a band of lines that each are for the most part
// one saturated colour (the caption's text covers the rest).
struct Caption {
    int Top = 0;
    int Bottom = 0;
    int Left = 0;
    int Right = 0;
    Pixel32 Colour = 0;
    bool operator==(const Caption&) const = default;
};

bool Saturated(Pixel32 p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return std::max({r, g, b}) - std::min({r, g, b}) > 80;
}

// The caption bars within area, at least 200 pixels wide and 15 lines tall, from the top down.
std::vector<Caption> FindCaptions(const Surface& screen, const XWindowGeometry& area) {
    constexpr int MinWidth = 200;
    constexpr int MinHeight = 15;
    const int x0 = std::max(area.X, 0);
    const int x1 = std::min(area.X + area.Width, screen.Width());
    const int y1 = std::min(area.Y + area.Height, screen.Height());
    std::vector<Caption> captions;
    std::optional<Caption> band;
    for (int y = std::max(area.Y, 0); y <= y1; ++y) {
        std::map<Pixel32, int> counts;
        for (int x = x0; y < y1 && x < x1; ++x)
            if (const Pixel32 p = Rgb(screen, x, y); Saturated(p)) ++counts[p];
        const auto most =
            std::max_element(counts.begin(), counts.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        const bool line = most != counts.end() && most->second >= MinWidth;
        if (band && (!line || most->first != band->Colour)) {
            if (band->Bottom - band->Top >= MinHeight) captions.push_back(*band);
            band.reset();
        }
        if (!line) continue;
        if (!band) band = Caption{y, y, x1, x0, most->first};
        band->Bottom = y + 1;
        for (int x = x0; x < x1; ++x) {
            if (Rgb(screen, x, y) != band->Colour) continue;
            band->Left = std::min(band->Left, x);
            band->Right = std::max(band->Right, x + 1);
        }
    }
    return captions;
}

// Where the program's layout puts things, from the top left corner of a child window's client
// area, which lies right under its caption bar and flush with its left end.
// The patch window's Effects page panel.
constexpr int EffectsPageX = 155;
constexpr int EffectsPageY = 51;
// The effects window's second page's tab, and the EFX Type drop-down list on that page.
constexpr int SecondPageTabX = 77;
constexpr int SecondPageTabY = 18;
constexpr int EfxTypeX = 310;
constexpr int EfxTypeY = 204;

class EffectsWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartDesktop(false));
        if (IsSkipped()) return;
        // The instrument traces what it receives and sends.
        ASSERT_NO_FATAL_FAILURE(StartInstrument(true, {}, true));
    }

    // A library of one patch on the desktop, up to its row on the screen.
    void StartWithOnePatch() {
        {
            model::TQuintaron state;
            model::TLibrary library;
            auto patch = model::CreateElemByType(0, &library);
            patch->SetName("Alpha", false);
            library.Add(std::move(patch));
            library.FileName = fixture;
            ASSERT_TRUE(library.SaveFile(false));
            platform::core::TIniFile ini(model::SettingsFileName);
            ini.WriteInteger("Desktop", "Num Library", 1);
            ini.WriteString("Desktop", "Library1", fixture);
        }
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        ASSERT_NO_FATAL_FAILURE(WaitForMainWindow());
        grid = WaitForGridRows(1, 30s);
        ASSERT_TRUE(grid) << "no library window with its patch" << ProgramSays();
    }

    std::vector<Caption> Captions() {
        const auto screen = Screen();
        return screen ? FindCaptions(*screen, *main) : std::vector<Caption>{};
    }

    // Until an active window's caption bar (of the colour given) shows that is none of those
    // known, and the screen holds still: the window that opened, active. The screen is kept
    // under name.
    std::optional<Caption> WaitForNewCaption(const std::vector<Caption>& known, Pixel32 active,
                                             const std::string& name) {
        auto isNew = [&](const Caption& caption) {
            return caption.Colour == active &&
                   std::find(known.begin(), known.end(), caption) == known.end();
        };
        std::optional<Caption> found;
        Wait(
            [&] {
                const auto captions = Captions();
                return std::any_of(captions.begin(), captions.end(), isNew);
            },
            20s);
        // Once it has painted.
        const auto screen = Shoot(name);
        if (!screen) return found;
        for (const Caption& caption : FindCaptions(*screen, *main))
            if (isNew(caption)) found = caption;
        return found;
    }

    std::optional<Grid> grid;
};

// The patch's window from its library row, its effects window from the Effects page, the second
// page, and the EFX type drop-down list: the next type is chosen. The window asks the instrument
// for the new type's twelve parameters, which lie within the patch's common block; the instrument
// answers, and no box says it is not responding.
TEST_F(EffectsWindowTest, AnEfxTypeChangeGetsItsParametersFromTheInstrumentWithoutATimeOut) {
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(StartWithOnePatch());
    // The library window is the active one: its caption has the active colour.
    const std::vector<Caption> library = Captions();
    ASSERT_EQ(library.size(), 1u) << "no library window's caption";
    const Pixel32 active = library[0].Colour;

    ASSERT_TRUE(input->DoubleClick(grid->Left + 120, grid->Rows[0].Middle()));
    const auto patch = WaitForNewCaption(library, active, "1-patch.png");
    ASSERT_TRUE(patch) << "the patch's window did not open" << ProgramSays();

    ASSERT_TRUE(input->DoubleClick(patch->Left + EffectsPageX, patch->Bottom + EffectsPageY));
    std::vector<Caption> known = library;
    known.push_back(*patch);
    const auto effects = WaitForNewCaption(known, active, "2-effects.png");
    ASSERT_TRUE(effects) << "the effects window did not open" << ProgramSays();
    const XWindowGeometry client{effects->Left, effects->Bottom, effects->Right - effects->Left,
                                 main->Y + main->Height - effects->Bottom};
    const auto firstPage = Screen();
    ASSERT_TRUE(firstPage);

    ASSERT_TRUE(input->Click(effects->Left + SecondPageTabX, effects->Bottom + SecondPageTabY));
    std::optional<Surface> secondPage;
    ASSERT_TRUE(Wait(
        [&] {
            secondPage = Screen();
            return secondPage && Judge(*firstPage, *secondPage, client).Changed > 0.05;
        },
        10s))
        << "the second page did not show" << ProgramSays();
    secondPage = Shoot("3-second-page.png");
    ASSERT_TRUE(secondPage);

    ASSERT_TRUE(input->Click(effects->Left + EfxTypeX, effects->Bottom + EfxTypeY));
    ASSERT_TRUE(WaitForOneOtherWindow(10s))
        << "the EFX type list did not drop down" << ProgramSays();
    Shoot("4-type-list.png");
    ASSERT_TRUE(input->Key("Down"));
    ASSERT_TRUE(input->Key("Return"));
    ASSERT_TRUE(Wait([&] { return OtherWindows().empty(); }, 10s))
        << "the EFX type list stayed" << ProgramSays();

    // The request for the parameters, behind the type byte, and the instrument's answer.
    EXPECT_TRUE(Wait([&] { return sim->Printed("received 0300000D"); }, 10s))
        << "the parameters were not asked for" << sim->Output(2000);
    EXPECT_TRUE(Wait([&] { return sim->Printed("sent 0300000D"); }, 10s))
        << "the instrument did not answer" << sim->Output(2000);
    // The window waits a second for the answer; for five, no box comes up.
    std::optional<std::string> box;
    Wait(
        [&] {
            for (const std::string& window : OtherWindows())
                box = input->Name(window).value_or("a window");
            return box.has_value();
        },
        5s);
    EXPECT_FALSE(box) << "a box came up: " << *box << ProgramSays();
    // The new type's controls took the page's place.
    const auto changed = Shoot("5-new-type.png");
    ASSERT_TRUE(changed);
    EXPECT_GT(Judge(*secondPage, *changed, client).Changed, 0.01)
        << "the page shows the type it showed before";

    ASSERT_NO_FATAL_FAILURE(OpenFileAndExit());
}

} // namespace
} // namespace e2e
