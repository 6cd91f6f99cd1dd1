#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_design_copy.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_storage.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/model/dx_bar_unit.h"

#include "platform/core/loading_bracket.h"
#include "platform/core/mem_ini_file.h"
#include "platform/core/message_loop.h"
#include "platform/core/registry.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace toolkit::bars {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

// The design: a sub-item with two buttons and two bars, "Tools" with three links. Built by the
// routine a copy runs again.
void BuildDesign(pf::TForm& Form) {
    TdxBarManager& Manager = Form.Own<TdxBarManager>();
    Manager.Name = "Bars";
    Manager.SetStyle(bmsOffice11);
    const char* Names[] = {"NewItem", "OpenItem", "SaveItem"};
    std::vector<TdxBarButton*> Buttons;
    for (const char* Name : Names) {
        TdxBarButton& Button = Form.Own<TdxBarButton>();
        Button.Name = Name;
        Button.SetCaption(Name);
        Manager.AddItem(&Button);
        Buttons.push_back(&Button);
    }
    TdxBarSubItem& File = Form.Own<TdxBarSubItem>();
    File.Name = "FileMenu";
    File.SetCaption("&File");
    Manager.AddItem(&File);
    File.ItemLinks().Add(Buttons[0]);
    File.ItemLinks().Add(Buttons[1]);
    TdxBar& Menu = *Manager.Bars()->Add();
    Menu.SetCaption("Menu");
    Menu.ItemLinks().Add(&File);
    TdxBar& Tools = *Manager.Bars()->Add();
    Tools.SetCaption("Tools");
    for (TdxBarButton* Button : Buttons)
        Tools.ItemLinks().Add(Button);
    Tools.ItemLinks().Items(2)->SetBeginGroup(true);
    Tools.SetDockingStyle(dsTop);
    Tools.SetRow(1);
}

class BarStorageTest : public ::testing::Test {
protected:
    BarStorageTest()
        : Folder("quintaron-bar-storage-"), Env("QUINTARON_CONFIG_DIR", Folder.Path()),
          FRoot(std::make_unique<pc::TComponent>(nullptr)) {}
    ~BarStorageTest() override {
        FRoot.reset();
        pc::ProcessMessages();
    }
    // A form with the design loaded, as the program makes it.
    TdxBarManager& NewDesignedForm(const std::string& FormName = "MainForm") {
        pf::TForm& Form = FRoot->Own<pf::TForm>();
        Form.Name = FormName;
        pc::TLoadingBracket Bracket;
        BuildDesign(Form);
        Bracket.End();
        TdxBarManager* Manager = FindManagerCopy(Form, "Bars");
        Manager->DesignRoutine = BuildDesign;
        return *Manager;
    }
    std::string IniPath() const { return Folder.Path() + "/layout.ini"; }
    static std::vector<std::string> LinkNames(const TdxBarItemLinks& Links) {
        std::vector<std::string> Names;
        for (int I = 0; I < Links.Count(); ++I)
            Names.push_back(Links.Items(I)->Item()->Caption());
        return Names;
    }
    // Changes a person makes: a caption and width on a link, a link gone, a bar moved and one
    // added.
    static void Customise(TdxBarManager& Manager) {
        TdxBar& Tools = *Manager.Bars()->Items(1);
        Tools.ItemLinks().Delete(0);
        Tools.ItemLinks().Items(0)->SetUserCaption("Open it");
        Tools.ItemLinks().Items(1)->SetUserWidth(77);
        Tools.SetDockingStyle(dsLeft);
        Tools.SetFloatClientWidth(140);
        Manager.SetShowShortCutInHint(true);
        Manager.SetMenuAnimations(maFade);
        TdxBar& Mine = *Manager.Bars()->Add();
        Mine.SetCaption("Mine");
        Mine.ItemLinks().Add(Manager.GetItemByName("SaveItem"));
        auto* File = dynamic_cast<TdxBarSubItem*>(Manager.GetItemByName("FileMenu"));
        File->ItemLinks().Delete(1);
    }
    static void ExpectCustomised(TdxBarManager& Manager) {
        ASSERT_EQ(Manager.Bars()->Count(), 3);
        TdxBar& Tools = *Manager.Bars()->Items(1);
        EXPECT_EQ(LinkNames(Tools.ItemLinks()), (std::vector<std::string>{"OpenItem", "SaveItem"}));
        EXPECT_EQ(Tools.ItemLinks().Items(0)->UserCaption(), "Open it");
        EXPECT_EQ(Tools.ItemLinks().Items(1)->UserWidth(), 77);
        EXPECT_TRUE(Tools.ItemLinks().Items(1)->BeginGroup());
        EXPECT_EQ(Tools.DockingStyle(), dsLeft);
        EXPECT_EQ(Tools.FloatClientWidth(), 140);
        EXPECT_EQ(Manager.Bars()->Items(2)->Caption(), "Mine");
        EXPECT_EQ(LinkNames(Manager.Bars()->Items(2)->ItemLinks()),
                  (std::vector<std::string>{"SaveItem"}));
        EXPECT_TRUE(Manager.ShowShortCutInHint());
        EXPECT_EQ(Manager.MenuAnimations(), maFade);
        auto* File = dynamic_cast<TdxBarSubItem*>(Manager.GetItemByName("FileMenu"));
        EXPECT_EQ(LinkNames(File->ItemLinks()), (std::vector<std::string>{"NewItem"}));
    }

    TdxBarUnit Unit;
    testsupport::TempFolder Folder;
    testsupport::EnvironmentOverride Env;
    std::unique_ptr<pc::TComponent> FRoot;
};

TEST_F(BarStorageTest, ALayoutRoundTripsThroughTheSettingsFile) {
    TdxBarManager& First = NewDesignedForm();
    Customise(First);
    First.SaveToIniFile(IniPath());
    pc::TMemIniFile Ini(IniPath());
    EXPECT_EQ(Ini.ReadInteger("MainForm.Bars.Main", "BarCount", 0), 3);
    EXPECT_EQ(Ini.ReadString("MainForm.Bars.Bar1.ItemLink0", "ItemName", ""), "OpenItem");
    EXPECT_EQ(Ini.ReadInteger("MainForm.Bars.Bar1.ItemLink0", "UserDefine", 0), 1);

    TdxBarManager& Second = NewDesignedForm("MainForm");
    Second.LoadFromIniFile(IniPath());
    ExpectCustomised(Second);
}

TEST_F(BarStorageTest, ALayoutRoundTripsThroughTheRegistryStandIn) {
    TdxBarManager& First = NewDesignedForm();
    Customise(First);
    First.SaveToRegistry("Software\\Test\\Bars\\");
    {
        pc::TRegistry Registry;
        ASSERT_TRUE(Registry.OpenKey("\\Software\\Test\\Bars\\Bar1\\ItemLink0", false));
        EXPECT_EQ(Registry.ReadString("ItemName"), "OpenItem");
        EXPECT_EQ(Registry.ReadBinaryData("UserDefine"), std::vector<std::uint8_t>{1});
    }
    TdxBarManager& Second = NewDesignedForm("Other");
    Second.LoadFromRegistry("\\Software\\Test\\Bars");
    ExpectCustomised(Second);
}

// A glyph the user gave a link comes back from the registry with its pixels, and the link knows
// it for the user's own; the settings file keeps no pictures, so the link there shows its item's.
TEST_F(BarStorageTest, AUserGlyphRoundTripsThroughTheRegistryButNotTheSettingsFile) {
    TdxBarManager& First = NewDesignedForm();
    pf::TBitmap Glyph;
    Glyph.SetSize(5, 3);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 5; ++X)
            platform::gdi::SetPixelV(Glyph.Canvas().Handle(), X, Y,
                                     platform::gdi::RGB(40 * X, 80 * Y, 200));
    First.Bars()->Items(1)->ItemLinks().Items(1)->SetUserGlyph(Glyph);
    First.SaveToRegistry("Software\\Test\\Glyphs");
    First.SaveToIniFile(IniPath());

    const auto Pixels = [](const pf::TBitmap& B) {
        std::vector<platform::gdi::COLORREF> Result;
        for (int Y = 0; Y < B.Height(); ++Y)
            for (int X = 0; X < B.Width(); ++X)
                Result.push_back(
                    platform::gdi::GetPixel(const_cast<pf::TBitmap&>(B).Canvas().Handle(), X, Y));
        return Result;
    };
    TdxBarManager& Second = NewDesignedForm("Other");
    Second.LoadFromRegistry("\\Software\\Test\\Glyphs");
    TdxBarItemLink& Loaded = *Second.Bars()->Items(1)->ItemLinks().Items(1);
    EXPECT_TRUE(Loaded.UserDefine() & dxUserDefineBit(udGlyph));
    ASSERT_NE(Loaded.GetGlyph(), nullptr);
    EXPECT_EQ(Loaded.GetGlyph()->Width(), 5);
    EXPECT_EQ(Loaded.GetGlyph()->Height(), 3);
    EXPECT_EQ(Pixels(*Loaded.GetGlyph()), Pixels(Glyph));

    TdxBarManager& Third = NewDesignedForm("MainForm");
    Third.LoadFromIniFile(IniPath());
    TdxBarItemLink& FromIni = *Third.Bars()->Items(1)->ItemLinks().Items(1);
    EXPECT_FALSE(FromIni.UserDefine() & dxUserDefineBit(udGlyph));
    EXPECT_EQ(FromIni.GetGlyph(), &FromIni.Item()->Glyph());
}

TEST_F(BarStorageTest, AManagerLoadsItsStoredLayoutWhenItFinishesLoading) {
    TdxBarManager& First = NewDesignedForm();
    Customise(First);
    First.SaveToIniFile(IniPath());
    pf::TForm& Form = FRoot->Own<pf::TForm>();
    Form.Name = "MainForm";
    pc::TLoadingBracket Bracket;
    BuildDesign(Form);
    TdxBarManager* Second = FindManagerCopy(Form, "Bars");
    Second->StoreInIniFile = true;
    Second->IniFileName = IniPath();
    Bracket.End();
    ExpectCustomised(*Second);
}

TEST_F(BarStorageTest, CorruptInputLoadsWithoutACrashInBoundedTime) {
    struct Case {
        const char* name;
        const char* section;
        const char* key;
        const char* value;
    };
    const Case Cases[] = {
        {"set byte 255", "MainForm.Bars.Bar1.ItemLink0", "UserDefine", "255"},
        {"docking style 9", "MainForm.Bars.Bar1", "DockingStyle", "9"},
        {"docked docking style 9", "MainForm.Bars.Bar1", "DockedDockingStyle", "9"},
        {"recent index -5", "MainForm.Bars.Bar1.ItemLink0", "RecentIndex", "-5"},
        {"bar count 10^9", "MainForm.Bars.Main", "BarCount", "1000000000"},
        {"link count 10^9", "MainForm.Bars.Bar1", "ItemLinkCount", "1000000000"},
        {"row 10^9", "MainForm.Bars.Bar1", "Row", "1000000000"},
        {"width -7", "MainForm.Bars.Bar1", "FloatClientWidth", "-7"},
        {"animations 77", "MainForm.Bars.Main", "MenuAnimations", "77"},
        {"paint style 200", "MainForm.Bars.Bar1.ItemLink0", "UserPaintStyle", "200"},
        {"dock site of another class", "MainForm.Bars.Bar1", "DockControl", "Bars"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        TdxBarManager& First = NewDesignedForm();
        First.SaveToIniFile(IniPath());
        {
            pc::TMemIniFile Ini(IniPath());
            Ini.WriteString(C.section, C.key, C.value);
            Ini.WriteString("MainForm.Bars.Bar1.ItemLink0", "UserPaintStyle", "1");
            Ini.UpdateFile();
        }
        TdxBarManager& Second = NewDesignedForm();
        const auto Start = std::chrono::steady_clock::now();
        Second.LoadFromIniFile(IniPath());
        EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(5));
        ASSERT_EQ(Second.Bars()->Count(), 2);
        TdxBar& Tools = *Second.Bars()->Items(1);
        EXPECT_LE(Tools.DockingStyle(), dsBottom);
        EXPECT_LE(Tools.DockedDockingStyle, dsBottom);
        EXPECT_LE(Tools.Row(), 2);
        EXPECT_GE(Tools.FloatClientWidth(), 0);
        EXPECT_LE(Second.MenuAnimations(), maFade);
        EXPECT_TRUE(Tools.Visible() || !First.Bars()->Items(1)->Visible());
        for (int I = 0; I < Tools.ItemLinks().Count(); ++I) {
            EXPECT_EQ(Tools.ItemLinks().Items(I)->UserDefine() & ~0x0F, 0);
            EXPECT_LE(Tools.ItemLinks().Items(I)->UserPaintStyle(), psCaptionGlyph);
        }
    }
}

TEST_F(BarStorageTest, AStoredRowIsClampedToTheBarsThatLoad) {
    // The stored count names far more bars than have a section; a hidden bar keeps its row as
    // loaded, so nothing but the clamp stands between the file and the bar.
    struct Case {
        const char* name;
        const char* extraSection; // a bar section written besides the designed two, or nil
        int bars;
    };
    const Case Cases[] = {
        {"only the designed bars", nullptr, 2},
        {"one more bar at index 4", "MainForm.Bars.Bar4", 5},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.name);
        TdxBarManager& First = NewDesignedForm();
        First.Bars()->Items(1)->SetVisible(false);
        First.SaveToIniFile(IniPath());
        {
            pc::TMemIniFile Ini(IniPath());
            Ini.WriteString("MainForm.Bars.Main", "BarCount", "500");
            Ini.WriteString("MainForm.Bars.Bar1", "Row", "1000000000");
            if (C.extraSection) {
                Ini.WriteString(C.extraSection, "Row", "0");
                Ini.WriteString(C.extraSection, "Caption", "Extra");
                Ini.WriteString(C.extraSection, "Visible", "0");
            }
            Ini.UpdateFile();
        }
        TdxBarManager& Second = NewDesignedForm();
        Second.LoadFromIniFile(IniPath());
        ASSERT_EQ(Second.Bars()->Count(), C.bars);
        EXPECT_FALSE(Second.Bars()->Items(1)->Visible());
        EXPECT_EQ(Second.Bars()->Items(1)->Row(), C.bars);
    }
}

TEST_F(BarStorageTest, AnOrdinalOutOfItsEnumerationShowsTheBarAndKeepsTheRest) {
    TdxBarManager& First = NewDesignedForm();
    First.Bars()->Items(1)->SetVisible(false);
    First.SaveToIniFile(IniPath());
    {
        pc::TMemIniFile Ini(IniPath());
        Ini.WriteString("MainForm.Bars.Bar1", "DockingStyle", "9");
        Ini.UpdateFile();
    }
    TdxBarManager& Second = NewDesignedForm();
    Second.LoadFromIniFile(IniPath());
    EXPECT_TRUE(Second.Bars()->Items(1)->Visible());
    EXPECT_EQ(Second.Bars()->Items(1)->DockingStyle(), dsTop);
}

TEST_F(BarStorageTest, TheDesignTimeCopyHasTheDesignAndStoresNothing) {
    TdxBarManager& Manager = NewDesignedForm();
    Manager.StoreInIniFile = true;
    Manager.IniFileName = IniPath();
    Customise(Manager);
    std::unique_ptr<pf::TForm> Copy = CreateDesignTimeCopy(Manager);
    ASSERT_NE(Copy, nullptr);
    TdxBarManager* Designed = FindManagerCopy(*Copy, "Bars");
    ASSERT_NE(Designed, nullptr);
    EXPECT_FALSE(Designed->StoreInIniFile);
    ASSERT_EQ(Designed->Bars()->Count(), 2);
    EXPECT_EQ(LinkNames(Designed->Bars()->Items(1)->ItemLinks()),
              (std::vector<std::string>{"NewItem", "OpenItem", "SaveItem"}));
    EXPECT_TRUE(Designed->Bars()->Items(1)->Predefined());
    Manager.DesignRoutine = nullptr;
    EXPECT_EQ(CreateDesignTimeCopy(Manager), nullptr);
}

TEST_F(BarStorageTest, ResetFindsTheBarsDesignAfterABarAtALowerIndexWentAway) {
    TdxBarManager& Manager = NewDesignedForm();
    // A user bar in front of the predefined one, then deleted: the predefined bar's index
    // changes twice.
    Manager.Bars()->Add()->SetCaption("Mine");
    Manager.Bars()->Delete(0); // the designed menu bar goes
    TdxBar& Tools = *Manager.Bars()->Items(0);
    ASSERT_EQ(Tools.Caption(), "Tools");
    Tools.ItemLinks().Delete(0);
    Tools.ItemLinks().Delete(0);
    EXPECT_EQ(Tools.DesignIdentity(), 1);
    Tools.Reset();
    EXPECT_EQ(LinkNames(Tools.ItemLinks()),
              (std::vector<std::string>{"NewItem", "OpenItem", "SaveItem"}));
    EXPECT_TRUE(Tools.ItemLinks().Items(2)->BeginGroup());
    EXPECT_EQ(Tools.ItemLinks().Items(0)->Item(), Manager.GetItemByName("NewItem"));
    // A user bar has no design to go back to.
    TdxBar& Mine = *Manager.Bars()->Items(1);
    EXPECT_FALSE(Mine.IsResetAllowed());
    Mine.ItemLinks().Add(Manager.GetItemByName("SaveItem"));
    Mine.Reset();
    EXPECT_EQ(Mine.ItemLinks().Count(), 1);
}

TEST_F(BarStorageTest, ResetRestoresTheSubItemsItReaches) {
    TdxBarManager& Manager = NewDesignedForm();
    auto* File = dynamic_cast<TdxBarSubItem*>(Manager.GetItemByName("FileMenu"));
    File->ItemLinks().Clear();
    Manager.Bars()->Items(0)->Reset();
    EXPECT_EQ(LinkNames(File->ItemLinks()), (std::vector<std::string>{"NewItem", "OpenItem"}));
}

TEST_F(BarStorageTest, ResetBringsBackTheDesignedGlyphAndDataOfALink) {
    TdxBarManager& Manager = NewDesignedForm();
    // The design gives the second Tools link a glyph of its own and a data value.
    Manager.DesignRoutine = [](pf::TForm& Form) {
        BuildDesign(Form);
        TdxBarManager* Designed = FindManagerCopy(Form, "Bars");
        TdxBarItemLink& Link = *Designed->Bars()->Items(1)->ItemLinks().Items(1);
        pf::TBitmap Glyph;
        Glyph.SetSize(7, 4);
        Link.SetUserGlyph(Glyph);
        Link.Data = 42;
    };
    TdxBar& Tools = *Manager.Bars()->Items(1);
    Tools.ItemLinks().Delete(1);
    Tools.Reset();
    ASSERT_EQ(LinkNames(Tools.ItemLinks()),
              (std::vector<std::string>{"NewItem", "OpenItem", "SaveItem"}));
    TdxBarItemLink& Open = *Tools.ItemLinks().Items(1);
    EXPECT_TRUE(Open.UserDefine() & dxUserDefineBit(udGlyph));
    ASSERT_NE(Open.GetGlyph(), nullptr);
    EXPECT_EQ(Open.GetGlyph()->Width(), 7);
    EXPECT_EQ(Open.GetGlyph()->Height(), 4);
    EXPECT_EQ(Open.Data, 42);
}

} // namespace
} // namespace toolkit::bars
