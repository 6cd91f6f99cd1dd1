// The performance window: its panels, opening the common page by double-click (the effects and
// part pages open nothing yet), the page drag that copies pages between performances (and sends
// the target whole, once), and its life with the performance's pages.

#include "editors/form_per_comm.h"
#include "editors/form_performance.h"

#include "editors/form_effect.h"
#include "editors/form_part.h"
#include "editors/performance_pages.h"
#include "editors/tests/page_fixture.h"
#include "model/print/print_routines.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <string>

namespace editors::test {
namespace {

using model::TPageKind;

class PerformanceWindowTest : public PageTest {
protected:
    // The performance's window as its open-editor operation makes it, placed at (left, top) so
    // that the pages (at 0, 0) open beside it.
    TFormPerformance& OpenWindow(model::TPerformance& shown, int left = 500, int top = 0) {
        TFormPerformance& window = MakeForm<TFormPerformance>(shown, dragInfo);
        window.Show();
        shown.Editor = &window.View();
        window.SetBounds(left, top, window.Width(), window.Height());
        testsupport::PumpUntilIdle();
        return window;
    }
    // Two windows, the source in front (and so the current performance): what a drag sends
    // comes from the drag alone.
    std::pair<TFormPerformance&, TFormPerformance&> OpenTwo() {
        TFormPerformance& from = OpenWindow(performance, 500, 0);
        TFormPerformance& to = OpenWindow(other, 500, 200);
        from.View().BringToFront();
        testsupport::PumpUntilIdle();
        return {from, to};
    }
    forms::TPanel& Panel(TFormPerformance& window, TPageKind kind) {
        forms::TPanel* panel = window.PagePanel(kind);
        EXPECT_NE(panel, nullptr) << int{kind};
        return *panel;
    }
    // Whether the target accepted the drag of from onto to.
    bool DragPanel(forms::TControl& from, forms::TControl& to) {
        return DragOnto(
            from, to, [this] { return dragInfo.Accept; }, 1000);
    }
    void DoubleClick(forms::TControl& control) {
        driver.Click(Centre(control));
        driver.Click(Centre(control));
        testsupport::PumpUntilIdle();
    }
    // Every byte of the performance set to a pattern of its own.
    static void Fill(model::TPerformance& filled, int seed) {
        auto common = filled.Common->Data();
        for (std::size_t n = 0; n < common.size(); ++n)
            common[n] = static_cast<std::uint8_t>((seed + 3 * n) % 100 + 20);
        for (int part = 1; part <= model::PartCount; ++part) {
            auto data = filled.Part(part).Data();
            for (std::size_t n = 0; n < data.size(); ++n)
                data[n] = static_cast<std::uint8_t>((seed + 13 * part + 7 * n) % 100);
        }
    }
    static Bytes CommonBytes(const model::TPerformance& of) {
        const auto data = of.Common->Data();
        return {data.begin(), data.end()};
    }
    static Bytes PartBytes(const model::TPerformance& of, int part) {
        const auto data = of.Parts[static_cast<std::size_t>(part - 1)]->Data();
        return {data.begin(), data.end()};
    }
    // The messages of the whole performance as it stands: the common block, then the 16 parts.
    void ExpectWholePerformance(const std::vector<Bytes>& sent, const model::TPerformance& whole) {
        ASSERT_EQ(sent.size(), 17u);
        const Bytes common = CommonBytes(whole);
        EXPECT_TRUE(std::equal(common.begin(), common.end(), sent[0].begin() + 9));
        for (int part = 1; part <= model::PartCount; ++part) {
            const Bytes data = PartBytes(whole, part);
            ASSERT_EQ(sent[static_cast<std::size_t>(part)].size(), data.size() + 11);
            EXPECT_TRUE(std::equal(data.begin(), data.end(),
                                   sent[static_cast<std::size_t>(part)].begin() + 9))
                << "part " << part;
        }
    }
    forms::TCustomForm* Active() {
        return platform::forms::Application().MainForm()->ActiveMDIChild();
    }

    model::TDragInfo dragInfo;
    model::TPerformance other{nullptr};
};

TEST_F(PerformanceWindowTest, ShowsThePerformanceAsThreePagePanels) {
    performance.SetName("Layered", false);
    performance.FileName = "/home/user/sounds/stage.syx";
    TFormPerformance& window = OpenWindow(performance);
    EXPECT_EQ(window.Caption(),
              "Layered [Filename : stage.syx]   [Loc : " + model::ElemPath(performance) + "]");
    EXPECT_EQ(window.HelpContext, 42);
    EXPECT_EQ(window.Width(), 392);
    EXPECT_EQ(window.Height(), 150);
    EXPECT_TRUE(performance.EditorOpen);
    EXPECT_EQ(window.PagePanels().size(), 3u);
    EXPECT_EQ(Panel(window, model::PERCOM).Caption(), "Common");
    EXPECT_EQ(Panel(window, model::PEREFF).Caption(), "Effects");
    EXPECT_EQ(Panel(window, model::PERPARTS).Caption(), "Parts");
    EXPECT_EQ(window.PerParts.Name, "PerParts");
    EXPECT_EQ(window.SpeedButton3.Hint, "Send ");
    EXPECT_EQ(window.SpeedCarica.Hint, "Load Sysex");
    Panel(window, model::PEREFF).SetColor(platform::gdi::clAqua);
    testsupport::PumpUntilIdle();
    SavePagePng(window, "performance_window.png");
}

TEST_F(PerformanceWindowTest, DoubleClickOpensTheCommonPageOnceAndBringsItToTheFront) {
    TFormPerformance& window = OpenWindow(performance);
    DoubleClick(window.PerCom);
    auto* page = dynamic_cast<TFormPerComm*>(Active());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(&page->Performance(), &performance);
    EXPECT_TRUE(performance.Common->CommonWindow.Open);

    Click(window.PanelPerComm);
    testsupport::PumpUntilIdle();
    ASSERT_EQ(Active(), &window);
    const int children = platform::forms::Application().MainForm()->MDIChildCount();
    Run(1000);
    DoubleClick(window.PerCom);
    EXPECT_EQ(Active(), page);
    EXPECT_EQ(platform::forms::Application().MainForm()->MDIChildCount(), children);

    // The part page and the effects window open from their panels.
    Run(1000);
    DoubleClick(window.PerParts);
    EXPECT_NE(dynamic_cast<TFormPart*>(Active()), nullptr);
    Run(1000);
    DoubleClick(window.PerEff);
    EXPECT_NE(dynamic_cast<TFormEffect*>(Active()), nullptr);
    EXPECT_EQ(platform::forms::Application().MainForm()->MDIChildCount(), children + 2);

    // Closing the window closes its pages.
    window.Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(performance.Common->CommonWindow.Open);
    EXPECT_FALSE(performance.EditorOpen);
    EXPECT_EQ(performance.Editor, nullptr);
    auto* main = platform::forms::Application().MainForm();
    for (int i = 0; i < main->MDIChildCount(); ++i) {
        EXPECT_EQ(dynamic_cast<TFormPart*>(main->MDIChildren(i)), nullptr);
        EXPECT_EQ(dynamic_cast<TFormEffect*>(main->MDIChildren(i)), nullptr);
    }
}

TEST_F(PerformanceWindowTest, CommonDraggedOntoAnotherPerformanceKeepsItsReverbByte) {
    Fill(performance, 0);
    Fill(other, 50);
    auto [from, to] = OpenTwo();
    const Bytes source = CommonBytes(performance);
    const Bytes before = CommonBytes(other);
    const Bytes partsBefore = PartBytes(other, 7);
    clock.Advance(60000);
    const auto modified = other.ModifiedTime;
    Mark();
    EXPECT_TRUE(DragPanel(from.PerCom, to.PerCom));

    const Bytes after = CommonBytes(other);
    for (std::size_t n = 0; n < after.size(); ++n) {
        const bool copied = n <= 11 || (n >= 45 && n <= 65);
        EXPECT_EQ(after[n], copied ? source[n] : before[n]) << "common " << n;
    }
    EXPECT_NE(after[44], source[44]);
    EXPECT_EQ(PartBytes(other, 7), partsBefore);
    ExpectWholePerformance(Sent(), other);
    EXPECT_NE(other.ModifiedTime, modified);
    EXPECT_EQ(state.CurrentPerformance, &other);
    EXPECT_FALSE(state.DragRunning);
    EXPECT_EQ(to.PerCom.Color(), platform::gdi::clAqua);
    EXPECT_EQ(Active(), &to);
}

TEST_F(PerformanceWindowTest, PartsDraggedOntoAnotherPerformanceCopyEveryPart) {
    Fill(performance, 0);
    Fill(other, 50);
    auto [from, to] = OpenTwo();
    const Bytes commonBefore = CommonBytes(other);
    Mark();
    EXPECT_TRUE(DragPanel(from.PerParts, to.PerParts));
    for (int part = 1; part <= model::PartCount; ++part)
        EXPECT_EQ(PartBytes(other, part), PartBytes(performance, part)) << part;
    EXPECT_EQ(CommonBytes(other), commonBefore);
    EXPECT_EQ(Sent().size(), 17u);
}

struct RefusedPerformanceDrag {
    std::string name;
    TPageKind from;
    // Onto the other window's panel of this kind; none: onto the same window.
    TPageKind to;
    bool sameWindow;
};

const RefusedPerformanceDrag refusedDrags[] = {
    {"EffectsOntoCommon", model::PEREFF, model::PERCOM, false},
    {"CommonOntoItsOwnWindowsParts", model::PERCOM, model::PERPARTS, true},
    {"PartsOntoTheirOwnPanel", model::PERPARTS, model::PERPARTS, true},
};

class RefusedPerformanceDragTest : public PerformanceWindowTest,
                                   public ::testing::WithParamInterface<RefusedPerformanceDrag> {};

TEST_P(RefusedPerformanceDragTest, CopiesNothingAndSendsNothing) {
    Fill(performance, 0);
    Fill(other, 50);
    auto [from, to] = OpenTwo();
    const Bytes common = CommonBytes(GetParam().sameWindow ? performance : other);
    Mark();
    EXPECT_FALSE(DragPanel(Panel(from, GetParam().from),
                           Panel(GetParam().sameWindow ? from : to, GetParam().to)));
    EXPECT_EQ(CommonBytes(GetParam().sameWindow ? performance : other), common);
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(state.DragRunning);
}

INSTANTIATE_TEST_SUITE_P(Drags, RefusedPerformanceDragTest, ::testing::ValuesIn(refusedDrags),
                         [](const auto& info) { return info.param.name; });

TEST_F(PerformanceWindowTest, DropsOnTheBackgroundOrTheGroupAreRefused) {
    auto [from, to] = OpenTwo();
    Mark();
    EXPECT_FALSE(DragPanel(from.PerCom, to.PanelPerComm));
    EXPECT_FALSE(DragPanel(from.PerCom, to.Panel1));
    EXPECT_TRUE(Sent().empty());
    // A drag that is refused brings the source window back to the front.
    EXPECT_EQ(Active(), &from);
}

} // namespace
} // namespace editors::test
