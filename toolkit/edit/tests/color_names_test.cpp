#include "toolkit/edit/color_names.h"

#include "platform/core/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace toolkit::edit {
namespace {

using platform::gdi::TColor;

template <class Names> std::vector<std::string> Sorted(const Names& List) {
    std::vector<std::string> Result(List.begin(), List.end());
    std::sort(Result.begin(), Result.end());
    return Result;
}

std::vector<std::string> WebNames() {
    std::vector<std::string> Names;
    for (const TcxNamedColor& Entry : cxWebColors)
        Names.push_back(Entry.Name);
    return Names;
}

TEST(ColorNames, CountsAndOrders) {
    EXPECT_EQ(cxColorIdents.size(), 52u);
    EXPECT_EQ(cxBasicColorNames.size(), 16u);
    EXPECT_EQ(cxWebColors.size(), 140u);
    EXPECT_EQ(cxColorIdents.front().Name, std::string("clBlack"));
    EXPECT_EQ(cxColorIdents.back().Name, std::string("clWindowText"));

    const std::vector<std::string> Web = WebNames();
    EXPECT_EQ(std::set<std::string>(Web.begin(), Web.end()).size(), Web.size()) << "unique";
    EXPECT_TRUE(std::is_sorted(Web.begin(), Web.end(), [](const auto& A, const auto& B) {
        return platform::core::CompareText(A, B) < 0;
    }));
    EXPECT_EQ(Sorted(cxWebColorNamesByHue), Sorted(Web)) << "the same names by hue";
    EXPECT_EQ(cxWebColorNamesByHue.front(), std::string("LightPink"));
    EXPECT_EQ(cxWebColorNamesByHue.back(), std::string("Black"));
    for (const char* Spelled : {"LightGrey", "DarkGray", "DimGray", "Gray", "LightSlateGray",
                                "SlateGray", "DarkSlateGray"})
        EXPECT_NE(std::find(Web.begin(), Web.end(), Spelled), Web.end()) << Spelled;

    std::set<std::string> Idents;
    for (const TcxNamedColor& Entry : cxColorIdents)
        EXPECT_TRUE(Idents.insert(Entry.Name).second) << Entry.Name;
}

TEST(ColorNames, EveryNameGoesToItsColourAndBack) {
    for (const TcxNamedColor& Entry : cxColorIdents) {
        TColor Color = 0;
        std::string Name;
        ASSERT_TRUE(cxIdentToColor(Entry.Name, Color)) << Entry.Name;
        ASSERT_TRUE(cxColorToIdent(Color, Name)) << Entry.Name;
        EXPECT_EQ(Name, Entry.Name);
    }
    for (const TcxNamedColor& Entry : cxWebColors) {
        TColor Color = 0;
        std::string Name;
        ASSERT_TRUE(cxWebColorNameToColor(Entry.Name, Color)) << Entry.Name;
        ASSERT_TRUE(cxColorToWebColorName(Color, Name)) << Entry.Name;
        // The two names that share a colour with an earlier one come back as that one.
        const std::string Expected = Entry.Name == std::string("Cyan")      ? "Aqua"
                                     : Entry.Name == std::string("Magenta") ? "Fuchsia"
                                                                            : Entry.Name;
        EXPECT_EQ(Name, Expected);
    }
    // Every basic colour is a web colour of the class library's value of that name.
    for (const char* Basic : cxBasicColorNames) {
        TColor Web = 0, Ident = 0;
        ASSERT_TRUE(cxWebColorNameToColor(Basic, Web)) << Basic;
        ASSERT_TRUE(cxIdentToColor(std::string("cl") + Basic, Ident)) << Basic;
        EXPECT_EQ(Web, Ident) << Basic;
    }
}

TEST(ColorNames, LookupsIgnoreCaseAndRefuseStrangers) {
    struct Case {
        const char* Name;
        bool Ident;
        bool Found;
        TColor Color;
    };
    const Case Cases[] = {
        {"clbtnface", true, true, platform::gdi::clBtnFace},
        {"CLMONEYGREEN", true, true, 0xC0DCC0},
        {"clNone", true, true, platform::gdi::clNone},
        {"clPink", true, false, 0},
        {"cornflowerblue", false, true, 0xED9564},
        {"LightGray", false, false, 0},
        {"", false, false, 0},
    };
    for (const Case& C : Cases) {
        TColor Color = 0;
        EXPECT_EQ(C.Ident ? cxIdentToColor(C.Name, Color) : cxWebColorNameToColor(C.Name, Color),
                  C.Found)
            << C.Name;
        EXPECT_EQ(Color, C.Color) << C.Name;
    }
    std::string Name = "kept";
    EXPECT_FALSE(cxColorToWebColorName(0x123456, Name));
    EXPECT_FALSE(cxColorToIdent(0x123456, Name));
    EXPECT_EQ(Name, "kept");
}

} // namespace
} // namespace toolkit::edit
