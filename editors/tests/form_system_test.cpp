// The system window: its page panels, opening the pages by double-click, the page drag that
// copies pages between systems (and sends the target whole, once), and its life with the
// system's pages.

#include "editors/form_scale_tune.h"
#include "editors/form_system.h"
#include "editors/tests/system_fixture.h"
#include "model/print/print_routines.h"
#include "platform/gdi/colors.h"

#include <gtest/gtest.h>

#include <string>

namespace pw = platform::win;

namespace editors::test {
namespace {

class SystemWindowTest : public SystemTest {
protected:
    TFormSystem& OpenWindow(model::TSystem& shown, int left, int top) {
        TFormSystem& window = MakeForm<TFormSystem>(shown, dragInfo, clipboard);
        window.Show();
        shown.Editor = &window.View();
        window.SetBounds(left, top, window.Width(), window.Height());
        testsupport::PumpUntilIdle();
        return window;
    }
    forms::TPanel& Panel(TFormSystem& window, model::TPageKind kind) {
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
        Run(1000);
    }
    static void Fill(model::TSystem& filled, int seed) {
        const auto common = filled.Common->Data();
        for (std::size_t n = 0; n < common.size(); ++n)
            common[n] = static_cast<std::uint8_t>((seed + 7 * n) % 100);
        for (int s = 1; s <= model::ScaleTuneCount; ++s)
            for (std::uint8_t& byte : filled.ScaleTune(s).Data())
                byte = static_cast<std::uint8_t>(seed + s);
    }

    model::TDragInfo dragInfo;
    model::TSystem other{nullptr};
};

TEST_F(SystemWindowTest, ShowsTheSystemAsFourPagePanels) {
    system.SetName("Studio", false);
    system.FileName = "/home/user/setups/studio.syx";
    TFormSystem& window = OpenWindow(system, 0, 0);
    EXPECT_EQ(window.Caption(),
              "Studio [Filename : studio.syx]   [Loc : " + model::ElemPath(system) + "]");
    EXPECT_EQ(window.HelpContext, 58);
    EXPECT_EQ(window.Width(), 400);
    EXPECT_EQ(window.Height(), 138);
    EXPECT_TRUE(system.EditorOpen);
    EXPECT_EQ(window.PagePanels().size(), 4u);
    EXPECT_EQ(Panel(window, model::SYSSETUP).Caption(), "Setup");
    EXPECT_EQ(Panel(window, model::SYSSCALETUNE).Caption(), "Scale Tune");
    EXPECT_EQ(Panel(window, model::SYSPREVIEW).Name, "SysPreview");
    EXPECT_EQ(Panel(window, model::SYSMIDI).Name, "SysMidi");
    EXPECT_EQ(window.SpeedButton3.Hint, "Send ");
    window.SetBounds(window.Left(), window.Top(), 600, 300);
    EXPECT_EQ(window.Width(), 400);
    EXPECT_EQ(window.Height(), 138);
    SavePagePng(window, "system_window.png");
}

TEST_F(SystemWindowTest, EachPanelOpensItsPageOnceAndClosingTheWindowClosesThem) {
    TFormSystem& window = OpenWindow(system, 500, 0);
    const struct {
        model::TPageKind kind;
        model::TEditorSlot* slot;
    } pages[] = {{model::SYSSETUP, &system.SetupWindow},
                 {model::SYSMIDI, &system.MidiWindow},
                 {model::SYSPREVIEW, &system.PreviewWindow},
                 {model::SYSSCALETUNE, &system.ScaleTuneWindow}};
    for (const auto& page : pages) {
        DoubleClick(Panel(window, page.kind));
        EXPECT_TRUE(page.slot->Open) << int{page.kind};
    }
    const int children = platform::forms::Application().MainForm()->MDIChildCount();
    EXPECT_EQ(children, 5);
    DoubleClick(Panel(window, model::SYSSETUP));
    EXPECT_EQ(platform::forms::Application().MainForm()->MDIChildCount(), children);

    window.SetBounds(40, 30, window.Width(), window.Height());
    window.Close();
    testsupport::PumpUntilIdle();
    EXPECT_FALSE(system.EditorOpen);
    EXPECT_EQ(system.Editor, nullptr);
    for (const auto& page : pages)
        EXPECT_FALSE(page.slot->Open) << int{page.kind};
    EXPECT_EQ(system.EditorLeft, 40);
    EXPECT_EQ(system.EditorTop, 30);
    EXPECT_EQ(platform::forms::Application().MainForm()->MDIChildCount(), 0);
}

TEST_F(SystemWindowTest, SetupAndMidiDraggedOntoAnotherSystemCopyTheirBytesAndSendItOnce) {
    Fill(system, 1);
    Fill(other, 50);
    const Bytes preview(other.Common->Data().begin() + 31, other.Common->Data().begin() + 40);
    const std::uint8_t tune = other.ScaleTune(4).GetParam(0);
    TFormSystem& source = OpenWindow(system, 0, 0);
    TFormSystem& target = OpenWindow(other, 0, 200);
    Click(Panel(source, model::SYSSETUP));
    Run(1000);
    driver.HoldKey(pw::VK_CONTROL);
    Click(Panel(source, model::SYSMIDI));
    driver.ReleaseKey(pw::VK_CONTROL);
    Run(1000);
    Mark();
    EXPECT_TRUE(DragPanel(Panel(source, model::SYSMIDI), Panel(target, model::SYSSETUP)));

    const model::TSystem& from = system;
    const model::TSystem& to = other;
    for (std::size_t n = 0; n <= 81; ++n) {
        if (n >= 31 && n <= 39)
            EXPECT_EQ(to.Common->GetParam(n), preview[n - 31]) << n;
        else
            EXPECT_EQ(to.Common->GetParam(n), from.Common->GetParam(n)) << n;
    }
    EXPECT_EQ(other.ScaleTune(4).GetParam(0), tune);
    std::vector<Bytes> sent = Sent();
    ASSERT_EQ(sent.size(), 1u + model::ScaleTuneCount);
    const auto common = to.Common->Data();
    EXPECT_TRUE(std::equal(common.begin(), common.end(), sent[0].begin() + 9));
    EXPECT_EQ(Panel(target, model::SYSSETUP).Color(), platform::gdi::clAqua);
    EXPECT_EQ(Panel(target, model::SYSMIDI).Color(), platform::gdi::clAqua);
    EXPECT_FALSE(state.DragRunning);
}

TEST_F(SystemWindowTest, ADropOnItsOwnWindowIsRefused) {
    Fill(system, 1);
    TFormSystem& window = OpenWindow(system, 0, 0);
    const Bytes before(system.Common->Data().begin(), system.Common->Data().end());
    Mark();
    EXPECT_FALSE(DragPanel(Panel(window, model::SYSSETUP), Panel(window, model::SYSMIDI)));
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), system.Common->Data().begin()));
}

TEST_F(SystemWindowTest, RevertAllOfTheScaleTunePageSendsTheSystemOnce) {
    TFormSystem& window = OpenWindow(system, 500, 0);
    DoubleClick(Panel(window, model::SYSSCALETUNE));
    ASSERT_TRUE(system.ScaleTuneWindow.Open);
    auto* view = dynamic_cast<TPageView*>(system.ScaleTuneWindow.Window);
    ASSERT_NE(view, nullptr);
    auto& page = static_cast<TFormScaleTune&>(view->Page());
    Enter(*page.Tune[0], 3);
    Mark();
    Click(page.BtnReverAll);
    ExpectWholeSystem(Sent());
}

} // namespace
} // namespace editors::test
