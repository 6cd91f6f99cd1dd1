// Every entry of the customising popup, chosen by the user with the mouse on each kind of
// link a toolbar holds: a button with a glyph, a sub-item, an edit and a combo. The popup's own
// entry closes it before its command runs; the command then changes the toolbar the user sees.

#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/windows/tests/dx_bar_menu_form_fixture.h"

#include "platform/gdi/colors.h"
#include "testsupport/win/input_driver.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pg = platform::gdi;

// The popup's entries at run time, by position.
enum Entry { Reset, Delete, Name, DefaultStyle, TextOnly, TextInMenus, ImageAndText, BeginGroup };

// "First", then the link tried, then "Last": the toolbar while the user customizes.
struct Kind {
    const char* Name;
    int Index;
    bool Button;
};

class CustomizingPopupTest : public MenuFormFixture, public ::testing::WithParamInterface<Kind> {
protected:
    CustomizingPopupTest() {
        MakeMainMenu();
        Manager->SetStyle(bmsOffice11);
        Sub(Bar->ItemLinks(), "&File");
        MakeToolbar();
        Button(Tools->ItemLinks(), "First");
        TdxBarButton& Print = Button(Tools->ItemLinks(), "&Print");
        Print.Glyph().SetSize(16, 16);
        Print.Glyph().Canvas().Brush().SetColor(pg::clRed);
        Print.Glyph().Canvas().FillRect({0, 0, 16, 16});
        Sub(Tools->ItemLinks(), "&Tools");
        auto& Find = Form->Own<TdxBarEdit>();
        Find.SetCaption("Find");
        Find.SetText("text");
        Tools->ItemLinks().Add(&Find);
        auto& Zoom = Form->Own<TdxBarCombo>();
        Zoom.SetCaption("Zoom");
        for (const char* E : {"50%", "100%", "200%"})
            Zoom.Items().Add(E);
        Zoom.SetItemIndex(1);
        Tools->ItemLinks().Add(&Zoom);
        Button(Tools->ItemLinks(), "Last");
        ShowBars();
        Manager->Customizing(true);
        testsupport::PumpUntilIdle();
    }
    ~CustomizingPopupTest() override { EndCustomizing(); }

    TdxBarItemLinks& Links() { return Tools->ItemLinks(); }
    TdxBarItemLink& Tried() { return *Links().Items(GetParam().Index); }
    TdxBarControl& Toolbar() { return *dynamic_cast<TdxBarControl*>(Tools->Control()); }
    pg::TRect RectOf(int Index) { return Links().Items(Index)->ItemRect; }
    int LastIndex() { return Links().Count() - 1; }

    TdxBarCustomizingPopup* RightClickTried() {
        Input.Click(CentreOf(Links(), Tried().GetVisibleIndex()), Qt::RightButton);
        testsupport::PumpUntilIdle();
        return TdxBarCustomizingPopup::Current();
    }
    // The user right-clicks the link tried and clicks the entry.
    void Choose(Entry E) {
        TdxBarCustomizingPopup* Popup = RightClickTried();
        ASSERT_NE(Popup, nullptr);
        Input.MoveTo(CentreOf(Popup->Entries(), E));
        Input.Click(CentreOf(Popup->Entries(), E));
        testsupport::PumpUntilIdle();
    }
    // The user right-clicks the link tried, clicks into the name box, types Text and Enter.
    void Rename(const std::string& Text) {
        TdxBarCustomizingPopup* Popup = RightClickTried();
        ASSERT_NE(Popup, nullptr);
        const pg::TRect Row = Popup->Entries().Items(Name)->ItemRect;
        const pg::TPoint Box = Popup->ClientToScreen({Row.Right - 12, (Row.Top + Row.Bottom) / 2});
        Input.MoveTo(Box);
        Input.Click(Box);
        testsupport::PumpUntilIdle();
        for (char C : Text)
            Input.Key(Qt::Key_unknown, QString(QChar(C)));
        Input.Key(Qt::Key_Return);
        testsupport::PumpUntilIdle();
    }
};

TEST_P(CustomizingPopupTest, EveryEntryClickedByTheUserChangesTheToolbar) {
    const int Width = Toolbar().Width();
    const pg::TRect Own = RectOf(GetParam().Index);
    const pg::TRect Last = RectOf(LastIndex());
    // What the link takes of the toolbar's length.
    const int Room = RectOf(GetParam().Index + 1).Left - Own.Left;

    // Begin a group: a separator opens before the link, and goes again.
    Choose(BeginGroup);
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
    EXPECT_TRUE(Tried().BeginGroup());
    const int Separator = RectOf(GetParam().Index).Left - Own.Left;
    EXPECT_GT(Separator, 0);
    EXPECT_EQ(Toolbar().Width(), Width + Separator);
    Choose(BeginGroup);
    EXPECT_FALSE(Tried().BeginGroup());
    EXPECT_EQ(RectOf(GetParam().Index).Left, Own.Left);
    EXPECT_EQ(Toolbar().Width(), Width);

    // The paint styles: a button shows its caption always, never, or beside its glyph; the
    // entries of any other link are disabled and leave it as it is, the popup open.
    struct Style {
        Entry E;
        TdxBarPaintStyle Painted;
    };
    for (const Style S : {Style{TextOnly, psCaption}, Style{ImageAndText, psCaptionGlyph},
                          Style{TextInMenus, psCaptionInMenu}, Style{DefaultStyle, psStandard}}) {
        SCOPED_TRACE(S.E);
        Choose(S.E);
        if (GetParam().Button) {
            EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
            EXPECT_EQ(Tried().GetPaintStyle(), S.Painted);
        } else {
            ASSERT_NE(TdxBarCustomizingPopup::Current(), nullptr);
            Input.Key(Qt::Key_Escape);
            testsupport::PumpUntilIdle();
            EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
            EXPECT_EQ(Tried().UserDefine(), 0);
        }
        const int Grown = RectOf(GetParam().Index).Width() - Own.Width();
        EXPECT_EQ(RectOf(LastIndex()).Left, Last.Left + Grown);
        // On a toolbar the caption shows with the first two only.
        if (GetParam().Button && (S.E == TextOnly || S.E == ImageAndText)) {
            EXPECT_GT(Grown, 0);
        } else {
            EXPECT_EQ(Grown, 0);
        }
    }
    EXPECT_EQ(RectOf(GetParam().Index), Own);

    // The name box renames the link for this user; Reset gives it the item's caption back.
    const std::string Caption = Tried().Item()->Caption();
    Rename("Renamed");
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
    EXPECT_EQ(Tried().GetCaption(), "Renamed");
    EXPECT_EQ(Tried().Item()->Caption(), Caption);
    Choose(Reset);
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
    EXPECT_EQ(Tried().GetCaption(), Caption);
    EXPECT_EQ(Tried().UserDefine(), 0);
    EXPECT_EQ(RectOf(GetParam().Index), Own);

    // Delete: the link goes and the toolbar closes up.
    const int Count = Links().Count();
    Choose(Delete);
    EXPECT_EQ(TdxBarCustomizingPopup::Current(), nullptr);
    EXPECT_EQ(Links().Count(), Count - 1);
    EXPECT_EQ(RectOf(LastIndex()).Left, Last.Left - Room);
    EXPECT_EQ(Toolbar().Width(), Width - Room);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CustomizingPopupTest,
                         ::testing::Values(Kind{"Button", 1, true}, Kind{"SubItem", 2, false},
                                           Kind{"Edit", 3, false}, Kind{"Combo", 4, false}),
                         [](const ::testing::TestParamInfo<Kind>& Info) {
                             return std::string(Info.param.Name);
                         });

} // namespace
} // namespace toolkit::bars
