#include "toolkit/bars/windows/dx_bar_quick_control.h"

#include "toolkit/bars/model/dx_bar_painter_classes.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"
#include "toolkit/bars/windows/dx_bar_shadow.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"
#include "toolkit/base/office11.h"

#include "platform/core/window_handle.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/visual_styles.h"
#include "platform/win/layered_windows.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

// The desktop here offers no visual styles, so that a manager of the XP style draws with the
// Enhanced painter; this one draws with the XP painter, as a desktop with them would give it.
class TXPThemedBarManager : public TdxBarManager {
public:
    using TdxBarManager::TdxBarManager;
    TdxBarItemControlPainterClass GetPainterClass() const override {
        return &TdxBarItemControlXPPainterClassRef();
    }
};

// The main menu and a toolbar of nine buttons, each with a glyph of its own colour and counting
// its clicks, in a form narrow enough for the toolbar to cut off its last three; the manager's
// style as given, XP with the XP painter.
class QuickControlTest : public MenuFormFixture {
protected:
    explicit QuickControlTest(TdxBarManagerStyle Style = bmsOffice11) {
        pw::SetLayeredAlphaComposited(false);
        pg::SetVisualStyleScheme(pg::VisualStyleScheme::Blue);
        toolkit::base::dxOffice11RefreshColors();
        Manager = Style == bmsXP ? &Form->Own<TXPThemedBarManager>() : &Form->Own<TdxBarManager>();
        Manager->SetStyle(Style);
        Bar = Manager->Bars()->Add();
        Bar->SetCaption("Main Menu");
        Bar->SetIsMainMenu(true);
        Bar->SetDockingStyle(dsTop);
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        for (int I = 0; I < 9; ++I) {
            TdxBarButton& B = Button(Tools->ItemLinks(), "Command" + std::to_string(I + 1));
            B.OnClick = [this, I](pc::TObject*) { Clicked.push_back(I + 1); };
            // The bottom-left pixel is the glyph's transparent colour.
            B.Glyph().SetSize(16, 16);
            B.Glyph().Canvas().Brush().SetColor(GlyphColor(I));
            B.Glyph().Canvas().FillRect({0, 0, 16, 16});
            B.Glyph().Canvas().SetPixel(0, 15, pg::clWhite);
        }
        ShowBars();
        // Room for six buttons and the mark.
        const int Needed = Tools->ItemLinks().VisibleItems(5)->ItemRect.Right;
        const int Site = Toolbar().Left() + Toolbar().Width() - Toolbar().ClientWidth() + Needed;
        // Away from the screen's left edge, which would push the quick bar right.
        Form->SetBounds(300, 0, Site + 14 + Form->Width() - Form->ClientWidth(), 300);
        testsupport::PumpUntilIdle();
    }
    ~QuickControlTest() override { pw::SetLayeredAlphaComposited(std::nullopt); }

    static pg::TColor GlyphColor(int Index) {
        static const pg::TColor Colors[] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC000C0,
                                            0xC0C000, 0x4080F0, 0xF08040, 0x8040F0};
        return Colors[Index];
    }
    TdxBarControl& Toolbar() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    TdxBarCustomizePopups& Popups() { return TdxBarCustomizePopups::Of(*Manager); }
    // A press on the mark; the Standard painter's mark takes no press (it only shows that
    // buttons are cut off), and its bar opens as a press would open it.
    TdxBarQuickControl* OpenQuickBar() {
        const pg::TRect Mark = Toolbar().GetMarkScreenRect();
        if (Manager->Painter().HasHotMark())
            Input.Click({(Mark.Left + Mark.Right) / 2, (Mark.Top + Mark.Bottom) / 2});
        else
            Toolbar().SetMarkState(2);
        testsupport::PumpUntilIdle();
        return Popups().QuickControl();
    }
    // A pixel of the window as the screen shows it, in window coordinates.
    static pg::COLORREF WindowPixel(pw::HWND Wnd, int X, int Y) {
        const auto Surface = pw::WindowSurface(Wnd);
        return pg::PixelToColor(Surface->Pixel(X, Y) & 0xFFFFFF);
    }
    static pw::TRect ScreenRect(pw::HWND Wnd) {
        pw::TRect R{};
        pw::GetWindowRect(Wnd, &R);
        return R;
    }
    void Keep(pw::HWND Wnd, const std::string& Name) {
        testsupport::TempFolder Temp("quick_control_");
        EXPECT_TRUE(testsupport::SaveWindowPng(Wnd, Temp.PathOf(Name)));
    }

    std::vector<int> Clicked;
};

// What is cut off comes as toolbar buttons with their glyphs, in a toolbar window of its own
// under the mark that no list of the manager's bars knows; a click runs the command once and
// the bar goes.
TEST_F(QuickControlTest, TheCutOffButtonsComeAsGlyphButtonsOfAToolbarWindowUnderTheMark) {
    ASSERT_TRUE(Toolbar().Truncated());
    TdxBarQuickControl* Quick = OpenQuickBar();
    ASSERT_NE(Quick, nullptr);
    const pw::HWND Wnd = Quick->Handle();
    ASSERT_TRUE(pw::IsWindowVisible(Wnd));
    // A toolbar window, floating as a tool window, not a menu.
    pf::TWinControl* Window = pf::FindControl(Wnd);
    EXPECT_NE(dynamic_cast<TdxBarControl*>(Window), nullptr);
    EXPECT_EQ(dynamic_cast<TdxBarSubMenuControl*>(Window), nullptr);
    EXPECT_EQ(Quick->ItemPaintType(), ptHorz);
    EXPECT_NE(pw::GetWindowLong(Wnd, pw::GWL_STYLE) & pw::WS_POPUP, 0);
    EXPECT_NE(pw::GetWindowLong(Wnd, pw::GWL_EXSTYLE) & pw::WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(pw::GetClassName(Wnd), pw::GetClassName(Toolbar().Handle()));

    TdxBarItemLinks& Links = *Quick->ItemLinks();
    EXPECT_EQ(ShownCaptions(Links), (std::vector<std::string>{"Command7", "Command8", "Command9",
                                                              "&Add or Remove Buttons"}));
    for (int I = 0; I < 3; ++I)
        EXPECT_EQ(Links.VisibleItems(I)->GetOriginalLink(), Tools->ItemLinks().Items(6 + I));
    // The glyph of each at its button's centre.
    for (int I = 0; I < 3; ++I) {
        const pg::TRect R = Links.VisibleItems(I)->ItemRect;
        EXPECT_EQ(ClientPixel(*Quick, {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}),
                  pg::ColorToRGB(GlyphColor(6 + I)))
            << I;
    }
    // Under the mark, ending where it ends.
    const pg::TRect Mark = Toolbar().GetMarkScreenRect();
    EXPECT_EQ(ScreenRect(Wnd).Top, Mark.Bottom);
    EXPECT_EQ(ScreenRect(Wnd).Right, Mark.Right);
    // Not one of the manager's bars: the toolbars list still names only "ToolBar".
    EXPECT_EQ(Manager->Bars()->Count(), 2);
    EXPECT_EQ(Manager->Bars()->IndexOf(Quick->Bar()), -1);
    TdxBarItemLinks Listed(Manager, nullptr);
    Manager->AddToolbarsListItems(Listed);
    EXPECT_EQ(ShownCaptions(Listed), (std::vector<std::string>{"ToolBar", "&Customize..."}));
    Keep(Wnd, "cut_off.png");

    Input.Click(CentreOf(Links, 1));
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicked, (std::vector<int>{8}));
    EXPECT_EQ(Popups().QuickControl(), nullptr);
    EXPECT_FALSE(pc::IsWindow(Wnd));
    EXPECT_EQ(Toolbar().MarkState(), 0);
}

// The keys reach the bar once it has the mouse's press ("&Add or Remove Buttons" opened):
// Enter on a cut-off button runs it once, and the bar goes as after a click.
TEST_F(QuickControlTest, EnterOnACutOffButtonRunsItOnce) {
    TdxBarQuickControl* Quick = OpenQuickBar();
    ASSERT_NE(Quick, nullptr);
    TdxBarItemLinks& Links = *Quick->ItemLinks();
    Input.Click(CentreOf(Links, 3));
    ASSERT_NE(Quick->SubMenuControl(), nullptr);
    // Out of the sub-menu and back along the bar.
    Input.Key(Qt::Key_Left);
    Input.Key(Qt::Key_Left);
    ASSERT_EQ(Quick->SubMenuControl(), nullptr);
    ASSERT_NE(Quick->SelectedControl(), nullptr);
    ASSERT_EQ(Quick->SelectedControl()->ItemLink(), Links.VisibleItems(1));
    Input.Key(Qt::Key_Return);
    testsupport::PumpUntilIdle();
    EXPECT_EQ(Clicked, (std::vector<int>{8}));
    EXPECT_EQ(Popups().QuickControl(), nullptr);
    EXPECT_EQ(Toolbar().MarkState(), 0);
}

// Hidden (through its own call, or by the window system, as when its form hides), or a press
// anywhere but on it or on its mark: the bar closes and the mark is normal again.
TEST_F(QuickControlTest, HiddenOrPressedOutsideTheBarCloses) {
    enum { SetShownFalse, WindowHidden, PressOnForm };
    const struct {
        const char* Name;
        int Way;
    } Cases[] = {{"SetShown(false)", SetShownFalse},
                 {"SW_HIDE", WindowHidden},
                 {"a press on the form", PressOnForm}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TdxBarQuickControl* Quick = OpenQuickBar();
        ASSERT_NE(Quick, nullptr);
        const pw::HWND Wnd = Quick->Handle();
        ASSERT_TRUE(Quick->Shown());
        if (C.Way == SetShownFalse)
            Quick->SetShown(false);
        else if (C.Way == WindowHidden)
            pw::ShowWindow(Wnd, pw::SW_HIDE);
        else
            Input.Click(Form->ClientToScreen({20, Form->ClientHeight() - 20}));
        testsupport::PumpUntilIdle();
        EXPECT_EQ(Popups().QuickControl(), nullptr);
        EXPECT_FALSE(pc::IsWindow(Wnd));
        EXPECT_EQ(Toolbar().MarkState(), 0);
        EXPECT_TRUE(Clicked.empty());
    }
}

// What each painter gives the quick-customise window: its background brush, its frame (the
// outer ring and the one inside it, at the right edge) and whether a shadow falls (solid strips
// of the button-shadow colour here).
struct PaintCase {
    const char* Name;
    TdxBarManagerStyle Style;
    pg::COLORREF (*Back)(const TdxBarManager&);
    pg::COLORREF (*Outer)(const TdxBarManager&);
    pg::COLORREF (*Ring)(const TdxBarManager&);
    bool Shadow;
};

void PrintTo(const PaintCase& C, std::ostream* Os) {
    *Os << C.Name;
}

pg::COLORREF Sys(int Index) {
    return pg::ColorToRGB(pg::GetSysColor(Index));
}
pg::COLORREF ButtonFace(const TdxBarManager&) {
    return Sys(pg::COLOR_BTNFACE);
}
pg::COLORREF DarkEdge(const TdxBarManager&) {
    return Sys(pg::COLOR_3DDKSHADOW);
}
pg::COLORREF ShadowEdge(const TdxBarManager&) {
    return Sys(pg::COLOR_BTNSHADOW);
}
pg::COLORREF WindowColor(const TdxBarManager&) {
    return Sys(pg::COLOR_WINDOW);
}
pg::COLORREF FlatBorder(const TdxBarManager& M) {
    return pg::ColorToRGB(M.GetDarkShadowColor());
}
pg::COLORREF Highlight(const TdxBarManager&) {
    return Sys(pg::COLOR_BTNHIGHLIGHT);
}
pg::COLORREF Office11Menu(const TdxBarManager&) {
    return pg::ColorToRGB(toolkit::base::dxOffice11MenuColor());
}
pg::COLORREF Office11MenuBorder(const TdxBarManager&) {
    return pg::ColorToRGB(toolkit::base::dxOffice11MenuBorderColor());
}

const PaintCase kPaintCases[] = {
    {"Standard", bmsStandard, ButtonFace, DarkEdge, ShadowEdge, false},
    {"Enhanced", bmsEnhanced, ButtonFace, DarkEdge, ShadowEdge, false},
    {"Flat", bmsFlat, WindowColor, FlatBorder, Highlight, true},
    {"XP", bmsXP, ButtonFace, FlatBorder, Highlight, true},
    {"Office11", bmsOffice11, Office11Menu, Office11MenuBorder, Office11Menu, true},
};

class QuickControlPaintTest : public QuickControlTest,
                              public ::testing::WithParamInterface<PaintCase> {
protected:
    QuickControlPaintTest() : QuickControlTest(GetParam().Style) {}
};

TEST_P(QuickControlPaintTest, TheQuickBarHasThePaintersQuickCustomiseBackgroundFrameAndShadow) {
    const PaintCase& C = GetParam();
    TdxBarQuickControl* Quick = OpenQuickBar();
    ASSERT_NE(Quick, nullptr);
    const pw::HWND Wnd = Quick->Handle();
    const pw::TRect W = ScreenRect(Wnd);
    const pg::TRect First = Quick->ItemLinks()->VisibleItems(0)->ItemRect;
    EXPECT_EQ(ClientPixel(*Quick, {First.Left + 1, First.Top + 1}), C.Back(*Manager));
    EXPECT_EQ(WindowPixel(Wnd, W.Width() - 1, W.Height() / 2), C.Outer(*Manager));
    EXPECT_EQ(WindowPixel(Wnd, W.Width() - 2, W.Height() / 2), C.Ring(*Manager));
    TdxBarShadow& Shadow = Quick->Shadow();
    EXPECT_EQ(Shadow.Visible(), C.Shadow);
    int Shown = 0;
    for (int I = 0; I < Shadow.PartCount(); ++I) {
        const pw::HWND Part = Shadow.Parts(I)->Handle();
        if (!pw::IsWindowVisible(Part)) continue;
        ++Shown;
        const pw::TRect R = ScreenRect(Part);
        EXPECT_EQ(WindowPixel(Part, R.Width() / 2, R.Height() / 2), Sys(pg::COLOR_BTNSHADOW));
    }
    EXPECT_EQ(Shown > 0, C.Shadow);
    Keep(Wnd, std::string(C.Name) + ".png");
}

INSTANTIATE_TEST_SUITE_P(Styles, QuickControlPaintTest, ::testing::ValuesIn(kPaintCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
} // namespace toolkit::bars
