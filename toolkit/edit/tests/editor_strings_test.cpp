#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/library_strings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace toolkit::edit {
namespace {

using toolkit::base::cxGetResourceString;
using toolkit::base::dxResourceStringsRepository;
using toolkit::base::TdxProductResourceStrings;

// A group as its registration callback lists it, in a repository of the test's own.
struct ListedGroup {
    explicit ListedGroup(void (*AddNames)(TdxProductResourceStrings&))
        : Product("Listed", AddNames) {}
    int IndexOf(const std::string& Name) const {
        for (int I = 0; I < Product.Count(); ++I)
            if (Product.Names(I) == Name) return I;
        return -1;
    }
    TdxProductResourceStrings Product;
};

TEST(EditorStrings, EveryEntryIsListedOnceUnderItsOwnRecord) {
    for (auto* AddNames : {&AddEditorResourceStringNames, &AddLibraryResourceStringNames}) {
        const ListedGroup Group(AddNames);
        std::set<std::string> Names;
        std::set<const toolkit::base::TResStringRec*> Records;
        for (int I = 0; I < Group.Product.Count(); ++I) {
            EXPECT_TRUE(Names.insert(Group.Product.Names(I)).second) << Group.Product.Names(I);
            EXPECT_TRUE(Records.insert(Group.Product.Values(I)).second) << Group.Product.Names(I);
        }
    }
}

// A translator meets the texts in the order they are listed: the mask engine's texts all
// together, after the repository items' and before the masked edit's own.
TEST(EditorStrings, TheMaskEnginesTextsStandBetweenTheRepositoryItemsAndTheMaskedEdits) {
    const ListedGroup Group(AddEditorResourceStringNames);
    const auto IsEngines = [&](int I) { return Group.Product.Names(I).starts_with("scxRegExpr"); };
    int First = -1, Last = -1, Engines = 0;
    for (int I = 0; I < Group.Product.Count(); ++I) {
        if (!IsEngines(I)) continue;
        if (First < 0) First = I;
        Last = I;
        ++Engines;
    }
    ASSERT_GE(First, 0);
    EXPECT_EQ(Last - First + 1, Engines) << "the engine's texts stand together";
    EXPECT_EQ(Group.IndexOf("scxRegExprLine"), First);
    EXPECT_EQ(Group.IndexOf("scxRegExprCantUseParameterQuantifier"), Last);
    int LastRepositoryItem = -1;
    for (int I = 0; I < Group.Product.Count(); ++I)
        if (Group.Product.Names(I).starts_with("scxSEditRepository")) LastRepositoryItem = I;
    EXPECT_EQ(Group.IndexOf("scxSEditRepositoryTimeItem"), LastRepositoryItem);
    EXPECT_EQ(LastRepositoryItem + 1, First);
    EXPECT_EQ(Group.IndexOf("scxMaskEditRegExprError"), Last + 1);
}

struct TextCase {
    const char* Name;
    const char* Text;
};

class EditorStringTexts : public testing::TestWithParam<TextCase> {};

TEST_P(EditorStringTexts, TheEntryNamedReadsAsShown) {
    const ListedGroup Editors(AddEditorResourceStringNames);
    const ListedGroup Library(AddLibraryResourceStringNames);
    const TextCase& C = GetParam();
    const ListedGroup& Group = Editors.IndexOf(C.Name) >= 0 ? Editors : Library;
    const int Index = Group.IndexOf(C.Name);
    ASSERT_GE(Index, 0) << C.Name;
    EXPECT_EQ(cxGetResourceString(*Group.Product.Values(Index)), C.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EditorStringTexts,
    testing::Values(
        TextCase{"cxSEditCheckBoxGrayed", ""}, TextCase{"cxSRadioGroupDefaultCaption", ""},
        TextCase{"cxSEditValidateErrorText",
                 "Invalid input value. Use escape key to abandon changes"},
        TextCase{"cxSEditPostError", "An error occured during posting edit value"},
        TextCase{"scxSHyperLinkPrefix", "http://"},
        TextCase{"cxSMenuItemCaptionSave", "Save &As..."},
        TextCase{"cxNavigator_DeleteRecordQuestion", "Delete record?"},
        TextCase{"scxSEditRepositoryMaskItem",
                 "MaskEdit|Represents a generic masked edit control."},
        TextCase{"scxRegExprIncorrectSpace", "The space character is not allowed after '\\'"},
        TextCase{"scxMaskEditNoMask", "None"},
        TextCase{"scxCantCreateRegistryKey", "Can't create the registry key: \\%s"},
        TextCase{"scxConverterCantCreateStyleRepository", "Can't create the Style Repository"},
        TextCase{"cxSDateBOM", "bom"}));

TEST(LibraryStrings, TheDateWordsFollowTheFourMessagesAndNowIsNotAmongThem) {
    const ListedGroup Group(AddLibraryResourceStringNames);
    ASSERT_EQ(Group.Product.Count(), 4 + 19);
    for (int I = 0; I < 19; ++I)
        EXPECT_EQ(Group.Product.Values(4 + I), cxDateWords[static_cast<std::size_t>(I)]) << I;
    for (int I = 0; I < Group.Product.Count(); ++I)
        EXPECT_NE(Group.Product.Values(I), &cxSDateNow);
}

TEST(EditorStrings, AReplacedTextWinsWhileTheGroupIsRegistered) {
    auto& Repository = dxResourceStringsRepository();
    Repository.SetReplacement("cxSEditCheckBoxChecked", "Yes");
    Repository.SetReplacement("cxSDateToday", "");
    InitializeEditorStrings();
    InitializeLibraryStrings();
    EXPECT_EQ(cxGetResourceString(cxSEditCheckBoxChecked), "Yes");
    EXPECT_EQ(cxGetResourceString(cxSDateToday), "");
    EXPECT_EQ(cxGetResourceString(cxSEditCheckBoxUnchecked), "False");
    FinalizeLibraryStrings();
    FinalizeEditorStrings();
    EXPECT_EQ(cxGetResourceString(cxSEditCheckBoxChecked), "True");
    EXPECT_EQ(cxGetResourceString(cxSDateToday), "today");
    Repository.ClearReplacements();
}

} // namespace
} // namespace toolkit::edit
