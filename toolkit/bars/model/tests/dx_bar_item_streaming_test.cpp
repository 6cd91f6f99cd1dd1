// Bar items in the form stream: what a button and a sub-item hold comes back whole from the
// stream, at their defaults nothing is written, and what an action supplies is left out while
// the action supplies it.
#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/core/byte_file.h"
#include "platform/core/message_loop.h"
#include "platform/core/streams.h"
#include "platform/forms/actions.h"
#include "platform/forms/forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

class ItemStreamingTest : public ::testing::Test {
protected:
    ItemStreamingTest() : FRoot(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &FRoot->Own<pf::TForm>();
        Manager = &Form->Own<TdxBarManager>();
    }
    ~ItemStreamingTest() override {
        FRoot.reset();
        pc::ProcessMessages();
    }

    static std::vector<std::uint8_t> Write(const pc::TComponent& Item) {
        pc::TMemoryStream Stream;
        Stream.WriteComponent(Item);
        return Stream.Bytes();
    }
    static void Read(const std::vector<std::uint8_t>& Bytes, pc::TComponent& Into) {
        pc::TMemoryStream Stream(Bytes);
        Stream.ReadComponent(Into);
    }
    // Whether a property of that name was written: its name as a short string.
    static bool Holds(const std::vector<std::uint8_t>& Bytes, const std::string& Name) {
        std::string Key(1, static_cast<char>(Name.size()));
        Key += Name;
        return std::string(Bytes.begin(), Bytes.end()).find(Key) != std::string::npos;
    }

    TdxBarUnit Unit;
    std::unique_ptr<pc::TComponent> FRoot;
    pf::TForm* Form = nullptr;
    TdxBarManager* Manager = nullptr;
};

TEST_F(ItemStreamingTest, AButtonComesBackWholeAndAtItsDefaultsWritesNothing) {
    auto& Fresh = Form->Own<TdxBarButton>();
    const std::vector<std::uint8_t> Plain = Write(Fresh);
    for (const char* Name :
         {"Align", "Caption", "Description", "Enabled", "HelpContext", "Hint", "AllowAllUp",
          "ButtonStyle", "CloseSubMenuOnClick", "DropDownEnabled", "GroupIndex", "Down",
          "ImageIndex", "Lowered", "PaintStyle", "ShortCut", "UnclickAfterDoing"})
        EXPECT_FALSE(Holds(Plain, Name)) << Name;
    // Neither has a default.
    EXPECT_TRUE(Holds(Plain, "Category"));
    EXPECT_TRUE(Holds(Plain, "Visible"));

    auto& B = Form->Own<TdxBarButton>();
    B.Name = "Send";
    B.SetAlign(iaRight);
    B.SetCaption("Se&nd");
    B.SetDescription("Sends the bank");
    B.SetEnabled(false);
    B.HelpContext = 12;
    B.Hint = "Send|Sends the bank to the instrument";
    B.SetVisible(ivInCustomizing);
    B.SetAllowAllUp(true);
    B.SetButtonStyle(bsChecked);
    B.CloseSubMenuOnClick = false;
    B.SetDropDownEnabled(false);
    B.SetGroupIndex(3);
    B.SetDown(true);
    B.SetImageIndex(4);
    B.SetLowered(true);
    B.SetPaintStyle(psCaptionGlyph);
    B.SetShortCut(0x4053);
    B.UnclickAfterDoing = false;

    auto& Copy = Form->Own<TdxBarButton>();
    Read(Write(B), Copy);
    EXPECT_EQ(Copy.Name, "Send");
    EXPECT_EQ(Copy.Align(), iaRight);
    EXPECT_EQ(Copy.Caption(), "Se&nd");
    EXPECT_EQ(Copy.Description(), "Sends the bank");
    EXPECT_EQ(Copy.HelpContext, 12);
    EXPECT_EQ(Copy.Hint, "Send|Sends the bank to the instrument");
    EXPECT_EQ(Copy.VisibleToCome(), ivInCustomizing);
    EXPECT_TRUE(Copy.AllowAllUp());
    EXPECT_EQ(Copy.ButtonStyle(), bsChecked);
    EXPECT_FALSE(Copy.CloseSubMenuOnClick);
    EXPECT_FALSE(Copy.DropDownEnabled());
    EXPECT_EQ(Copy.GroupIndex(), 3);
    // The style and the group were read before the state, so the check button is down.
    EXPECT_TRUE(Copy.Down());
    EXPECT_EQ(Copy.ImageIndex(), 4);
    EXPECT_TRUE(Copy.Lowered());
    EXPECT_EQ(Copy.PaintStyle(), psCaptionGlyph);
    EXPECT_EQ(Copy.ShortCut(), 0x4053);
    EXPECT_FALSE(Copy.UnclickAfterDoing);
    EXPECT_FALSE(Copy.Enabled());
}

TEST_F(ItemStreamingTest, ASubItemComesBackWhole) {
    TdxBar* Bar = Manager->Bars()->Add();
    auto& S = Form->Own<TdxBarSubItem>();
    S.SetCaption("&Tools");
    S.SetBarSize(20);
    S.Detachable = true;
    S.SetDetachingBar(Bar->Index());
    S.SetImageIndex(2);
    S.SetShowCaption(false);
    S.AllowCustomizing = false;
    auto& Copy = Form->Own<TdxBarSubItem>();
    Read(Write(S), Copy);
    EXPECT_EQ(Copy.Caption(), "&Tools");
    EXPECT_EQ(Copy.BarSize(), 20);
    EXPECT_TRUE(Copy.Detachable);
    EXPECT_EQ(Copy.GetDetachingToolbar(), Bar);
    EXPECT_EQ(Copy.ImageIndex(), 2);
    EXPECT_FALSE(Copy.ShowCaption());
    EXPECT_FALSE(Copy.AllowCustomizing);
}

// What the action supplies stays the action's: each property is written only once the item's
// value no longer follows the action.
TEST_F(ItemStreamingTest, WhatTheActionSuppliesIsNotWritten) {
    auto& Action = Form->Own<pf::TCustomAction>();
    Action.SetCaption("&Print");
    Action.SetEnabled(false);
    Action.SetHelpContext(7);
    Action.SetHint("Print|Prints the library");
    Action.SetImageIndex(5);
    Action.SetShortCut(0x4050);
    Action.SetVisible(false);
    Action.SetChecked(true);
    auto& B = Form->Own<TdxBarButton>();
    B.SetButtonStyle(bsChecked);
    B.SetAction(&Action);
    ASSERT_EQ(B.Caption(), "&Print");
    ASSERT_TRUE(B.Down());

    const std::vector<std::uint8_t> Linked = Write(B);
    for (const char* Name :
         {"Caption", "Enabled", "HelpContext", "Hint", "ImageIndex", "ShortCut", "Visible", "Down"})
        EXPECT_FALSE(Holds(Linked, Name)) << Name;
    EXPECT_TRUE(Holds(Linked, "ButtonStyle"));

    struct Case {
        const char* Name;
        std::function<void()> Change;
    };
    const Case Cases[] = {
        {"Caption", [&] { B.SetCaption("Print &Now"); }},
        {"Enabled", [&] { Action.SetEnabled(true), B.SetEnabled(false); }},
        {"HelpContext", [&] { B.HelpContext = 8; }},
        {"Hint", [&] { B.Hint = "Print|Now"; }},
        {"ImageIndex", [&] { B.SetImageIndex(6); }},
        {"ShortCut", [&] { B.SetShortCut(0x4051); }},
        {"Visible", [&] { B.SetVisible(ivInCustomizing); }},
        {"Down", [&] { Action.SetChecked(false), B.SetDown(true); }},
    };
    for (const Case& C : Cases) {
        C.Change();
        EXPECT_TRUE(Holds(Write(B), C.Name)) << C.Name;
    }
}

TEST_F(ItemStreamingTest, AnUnknownStyleIsARefusedStream) {
    auto& B = Form->Own<TdxBarButton>();
    B.SetButtonStyle(bsDropDown);
    std::vector<std::uint8_t> Bytes = Write(B);
    const std::string Text(Bytes.begin(), Bytes.end());
    const std::size_t At = Text.find("bsDropDown");
    ASSERT_NE(At, std::string::npos);
    Bytes[At + 2] = 'X';
    auto& Copy = Form->Own<TdxBarButton>();
    EXPECT_THROW(Read(Bytes, Copy), pc::EReadError);
}

} // namespace
} // namespace toolkit::bars
