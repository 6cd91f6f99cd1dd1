// The expansion set-up dialog: opened by Settings > Expansion, it shows and stores the boards,
// the PCM card and the data card, saves the settings file, and re-lays the open global windows
// only when the data card changed.

#include "app/form_expansion.h"
#include "app/form_global.h"
#include "app/tests/librarian_fixture.h"
#include "model/elements/global.h"
#include "platform/core/ini_file.h"

#include <functional>
#include <string>
#include <vector>

namespace app::test {

namespace {

namespace pc = platform::core;

class FormExpansionTest : public LibrarianTest {
protected:
    // Settings > Expansion; the steps run inside the dialog 100 ms apart, and then OK.
    void WithDialog(std::vector<std::function<void()>> steps) {
        pc::Millis at = 100;
        for (auto& step : steps) {
            After(at, std::move(step));
            at += 100;
        }
        After(at, [this] { Click(expansion.BitBtn2); });
        main.SetExpansionItem.Click();
    }
    static std::vector<std::string> Items(forms::TComboBox& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.Items().Count(); ++i)
            items.push_back(list.Items()[i]);
        return items;
    }

    TFormExpansion& expansion = MakeForm<TFormExpansion>();
};

TEST_F(FormExpansionTest, TheListsHoldTheBoardsAndCardsAsTheyAreWritten) {
    const std::vector<std::string> boards = {"( None )",
                                             "Pop        ",
                                             "Orchestral     ",
                                             "Piano        ",
                                             "Vintage      ",
                                             "World        ",
                                             "Dance       ",
                                             "Super Sound      ",
                                             "Key S60S70S     ",
                                             "Session ",
                                             "Bass & Drum",
                                             "Techno",
                                             "Hip Hop",
                                             "Vocal",
                                             "Asia",
                                             "Special EFX",
                                             "Orchestral II",
                                             "Country"};
    for (forms::TComboBox* list :
         {&expansion.ExpA, &expansion.ExpB, &expansion.ExpC, &expansion.ExpD}) {
        EXPECT_EQ(Items(*list), boards);
        EXPECT_EQ(list->Style, forms::csDropDownList);
    }
    EXPECT_EQ(Items(expansion.PcmCard),
              (std::vector<std::string>{"( None )", "Piano Selection", "Guitar & Brass",
                                        "Rock Drums", "Gand Piano", "Accordition", "Baroque",
                                        "Orchestral FX", "Country, Blue Grass, Folk"}));
    EXPECT_EQ(expansion.Caption(), "Expansion Setup");
    EXPECT_EQ(expansion.HelpContext, 8);
    EXPECT_EQ(expansion.Position, forms::poScreenCenter);
    EXPECT_EQ(expansion.DataCard.Caption(), " Data Card Installed");
}

TEST_F(FormExpansionTest, OkStoresTheChoicesAndSavesTheSettingsFile) {
    state.Config.ExpB = 3;
    state.Config.PCMCard = 8;
    std::vector<int> shown;
    WithDialog({[&] {
        for (forms::TComboBox* list : {&expansion.ExpA, &expansion.ExpB, &expansion.ExpC,
                                       &expansion.ExpD, &expansion.PcmCard})
            shown.push_back(list->ItemIndex());
        EXPECT_TRUE(testsupport::SaveWindowPng(expansion.Handle(), Png("expansion.png")));
        expansion.ExpA.SetItemIndex(17);
        expansion.ExpD.SetItemIndex(9);
        expansion.PcmCard.SetItemIndex(4);
        Click(expansion.DataCard);
    }});
    EXPECT_EQ(shown, (std::vector<int>{0, 3, 0, 0, 8}));
    EXPECT_EQ(expansion.ModalResult(), forms::mrOk);
    const model::TConfig& c = state.Config;
    EXPECT_EQ((std::vector<int>{c.ExpA, c.ExpB, c.ExpC, c.ExpD, c.PCMCard}),
              (std::vector<int>{17, 3, 0, 9, 4}));
    EXPECT_TRUE(c.DataCardInstalled);
    const pc::TIniFile ini(model::SettingsFileName);
    EXPECT_EQ(ini.ReadInteger("Expansion", "ExpA", -1), 17);
    EXPECT_EQ(ini.ReadInteger("Expansion", "ExpD", -1), 9);
    EXPECT_EQ(ini.ReadInteger("Expansion", "PCMCard", -1), 4);
    EXPECT_EQ(ini.ReadInteger("Data Card", "Installed", -1), 1);
}

TEST_F(FormExpansionTest, TogglingTheDataCardReLaysOpenGlobalWindowsAndTheListsAloneDoNot) {
    TFormLibrary& library = OpenLibrary({{model::etGlobal, "Studio"}, {model::etGlobal, "Live"}});
    std::vector<TFormGlobal*> windows;
    for (int i = 0; i < 2; ++i)
        windows.push_back(&OpenWindow<TFormGlobal>(library.Library().Elem(i), 450, 100 * i));
    const auto rows = [&] {
        std::vector<int> counts;
        for (TFormGlobal* window : windows)
            counts.push_back(window->DrawGrid.RowCount());
        return counts;
    };
    ASSERT_EQ(rows(), (std::vector<int>{4, 4}));
    const int fourRowHeight = windows[0]->Height();

    WithDialog({[&] { Click(expansion.DataCard); }});
    EXPECT_EQ(rows(), (std::vector<int>{7, 7}));
    EXPECT_GT(windows[0]->Height(), fourRowHeight);

    // The setting alone, with the dialog not telling: the windows stay as they were laid.
    state.Config.DataCardInstalled = false;
    WithDialog({[&] { expansion.ExpC.SetItemIndex(2); }});
    EXPECT_EQ(rows(), (std::vector<int>{7, 7}));
    EXPECT_EQ(state.Config.ExpC, 2);

    WithDialog({[&] { Click(expansion.DataCard); }});
    EXPECT_TRUE(state.Config.DataCardInstalled);
    WithDialog({[&] { Click(expansion.DataCard); }});
    EXPECT_FALSE(state.Config.DataCardInstalled);
    EXPECT_EQ(rows(), (std::vector<int>{4, 4}));
    EXPECT_EQ(windows[0]->Height(), fourRowHeight);
}

} // namespace

} // namespace app::test
