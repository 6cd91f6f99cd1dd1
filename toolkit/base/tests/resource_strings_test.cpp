#include "toolkit/base/char_set.h"
#include "toolkit/base/resource_strings.h"

#include <gtest/gtest.h>

namespace toolkit::base {
namespace {

const TResStringRec sHello{"Hello"};
const TResStringRec sEmpty{""};

TEST(ResourceStrings, ReadsTheBuiltInText) {
    EXPECT_EQ(cxGetResourceString(sHello), "Hello");
    EXPECT_EQ(cxGetResourceString(sEmpty), "");
}

TEST(ResourceStrings, RegisteringAProductRunsItsCallbackAtOnce) {
    TdxResourceStringsRepository Repository;
    Repository.RegisterProduct("First", [](TdxProductResourceStrings& P) {
        P.Add("sHello", &sHello);
        P.Add("sEmpty", &sEmpty);
    });
    Repository.RegisterProduct("Second", nullptr);
    ASSERT_EQ(Repository.Count(), 2);
    EXPECT_EQ(Repository.IndexOf("Second"), 1);
    const TdxProductResourceStrings& First = Repository.Items(0);
    ASSERT_EQ(First.Count(), 2);
    EXPECT_EQ(First.Names(1), "sEmpty");
    EXPECT_EQ(First.Values(0), &sHello);
}

TEST(ResourceStrings, UnregisterFindsTheExactNameOnly) {
    TdxResourceStringsRepository Repository;
    Repository.RegisterProduct("Editors", nullptr);
    Repository.UnregisterProduct("editors");
    EXPECT_EQ(Repository.Count(), 1);
    Repository.UnregisterProduct("Editors");
    EXPECT_EQ(Repository.Count(), 0);
    EXPECT_EQ(Repository.IndexOf("Editors"), -1);
}

TEST(ResourceStrings, ARegisteredStringKeepsItsBuiltInText) {
    // Registering lists a string for localisers; no translation stage is switched on, so the
    // text shown stays the built-in one even when another record is listed under its name.
    static const TResStringRec sReplacement{"Replaced"};
    dxResourceStringsRepository().RegisterProduct("Pinned", [](TdxProductResourceStrings& P) {
        P.Add("sHello", &sHello);
        P.Add("sHello", &sReplacement);
    });
    EXPECT_EQ(cxGetResourceString(sHello), "Hello");
    dxResourceStringsRepository().UnregisterProduct("Pinned");
    EXPECT_EQ(cxGetResourceString(sHello), "Hello");
}

TEST(ResourceStrings, AReplacedStringWinsWhileItIsRegistered) {
    static const TResStringRec sGreeting{"Hello"};
    static const TResStringRec sUnlisted{"Hello"};
    TdxResourceStringsRepository& Repository = dxResourceStringsRepository();
    Repository.SetReplacement("sGreeting", "Bonjour");
    EXPECT_EQ(cxGetResourceString(sGreeting), "Hello") << "not registered yet";
    Repository.RegisterProduct(
        "Greetings", [](TdxProductResourceStrings& P) { P.Add("sGreeting", &sGreeting); });
    EXPECT_EQ(cxGetResourceString(sGreeting), "Bonjour");
    EXPECT_EQ(cxGetResourceString(sUnlisted), "Hello") << "same text, another record";
    Repository.SetReplacement("sGreeting", "");
    EXPECT_EQ(cxGetResourceString(sGreeting), "");
    Repository.RemoveReplacement("sGreeting");
    EXPECT_EQ(cxGetResourceString(sGreeting), "Hello");
    Repository.SetReplacement("sGreeting", "Hallo");
    Repository.UnregisterProduct("Greetings");
    EXPECT_EQ(cxGetResourceString(sGreeting), "Hello");
    Repository.ClearReplacements();
}

TEST(ResourceStrings, TheProcessRepositoryIsOne) {
    EXPECT_EQ(&dxResourceStringsRepository(), &dxResourceStringsRepository());
}

TEST(CharSet, UsesTheLowByteOfTheCharacter) {
    TSysCharSet Set;
    Set.set(0xE9);
    Set.set('a');
    EXPECT_TRUE(dxCharInSet('a', Set));
    EXPECT_TRUE(dxCharInSet(static_cast<char>(0xE9), Set));
    EXPECT_FALSE(dxCharInSet('b', Set));
}

} // namespace
} // namespace toolkit::base
