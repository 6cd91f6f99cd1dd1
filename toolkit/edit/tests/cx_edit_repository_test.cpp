#include "toolkit/edit/cx_edit_repository.h"

#include "toolkit/edit/editor_registrations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace toolkit::edit {
namespace {

struct Listener : IcxEditRepositoryItemListener {
    void ItemRemoved(TcxEditRepositoryItem* Sender) override {
        // The properties still exist when the listeners hear of the removal.
        Log += "removed:" + std::to_string(Sender->Properties().AutoSelect()) + ";";
    }
    void PropertiesChanged(TcxEditRepositoryItem*) override { Log += "changed;"; }
    std::string Log;
};

class TcxEditRepositoryTextItem : public TcxEditRepositoryItem {
public:
    using TcxEditRepositoryItem::TcxEditRepositoryItem;
    static const TcxEditRepositoryItemClass& ClassRef() {
        static const TcxEditRepositoryItemClass Class(
            "TcxEditRepositoryTextItem", &TcxEditRepositoryItem::ClassRef(),
            platform::core::ConstructorOf<TcxEditRepositoryTextItem, TcxEditRepositoryItem,
                                          platform::core::TComponent*>());
        return Class;
    }
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
};

TEST(EditRepository, ListenersHearChangesAndTheRemovalBeforeThePropertiesGo) {
    TcxEditRepository Repository(nullptr);
    TcxEditRepositoryItem& Item = Repository.CreateItem(TcxEditRepositoryItem::ClassRef());
    Listener A;
    Item.AddListener(&A);
    Item.AddListener(&A);
    EXPECT_EQ(Item.Listeners().size(), 1u);
    Item.Properties().SetAutoSelect(false);
    EXPECT_EQ(A.Log, "changed;");
    EXPECT_EQ(Repository.Count(), 1);
    Repository.FreeComponent(Item);
    EXPECT_EQ(A.Log, "changed;removed:0;");
    EXPECT_EQ(Repository.Count(), 0);
}

TEST(EditRepository, BaseNameIsTheRepositoryNameAndTheClassSuffix) {
    TcxEditRepository Repository(nullptr);
    Repository.Name = "Repo";
    EXPECT_EQ(Repository.CreateItem(TcxEditRepositoryTextItem::ClassRef()).GetBaseName(),
              "RepoTextItem");
    EXPECT_EQ(Repository.CreateItem(TcxEditRepositoryItem::ClassRef()).GetBaseName(), "RepoItem");
    TcxEditRepositoryItem Loose(nullptr);
    EXPECT_FALSE(Loose.HasParent());
    Loose.SetParentComponent(&Repository);
    EXPECT_EQ(Loose.GetParentComponent(), &Repository);
    EXPECT_EQ(Repository.Count(), 3);
    Loose.SetRepository(nullptr);
    EXPECT_EQ(Repository.Count(), 2);
}

TEST(EditRepository, TheRegistryOfPropertiesClassesIsSortedAndServesTheRegistrations) {
    toolkit::base::TcxRegisteredClasses& Registry = GetRegisteredEditProperties();
    EXPECT_TRUE(Registry.Sorted());
    const platform::core::TClass Spin("TcxSpinEditProperties",
                                      &TcxCustomEditProperties::ClassRef());
    EXPECT_TRUE(cxRegisterEditProperties(Spin));
    EXPECT_GE(Registry.IndexOf(&Spin), 0);
    Registry.Clear();
}

// The framework's small routines, one answer a row: a failing row says what no longer holds.
TEST(EditFrameworkRoutines, SmallRoutines) {
    using toolkit::base::lfFlat;
    using toolkit::base::lfStandard;
    using toolkit::base::lfUltraFlat;
    struct Row {
        const char* what;
        std::function<bool()> holds;
    };
    const Row Rows[] = {
        {"space, tab, line feed, form feed, carriage return and NUL are blanks",
         [] {
             return std::ranges::all_of(std::string(" \t\n\f\r\0", 6),
                                        [](char C) { return cxIsBlank(C); });
         }},
        {"a letter is no blank", [] { return !cxIsBlank('a'); }},
        {"no mouse button holds no shift state",
         [] { return cxMouseButtonToShift(cxmbNone) == 0u; }},
        {"the middle button is the middle shift state",
         [] { return cxMouseButtonToShift(cxmbMiddle) == platform::forms::ssMiddle; }},
        {"the class library's right button is the right shift state",
         [] { return cxMouseButtonToShift(platform::forms::mbRight) == platform::forms::ssRight; }},
        {"an integer and a double of one value differ when compared exactly",
         [] { return !cxVarEqualsExact(Variant::Integer(1), Variant::Double(1.0)); }},
        {"an integer and a double of one value are equal as numbers",
         [] { return cxVarEqualsExactNumeric(Variant::Integer(1), Variant::Double(1.0)); }},
        {"buttons of the edit's own look take the edit's look and feel",
         [] {
             return cxGetEditButtonsLookAndFeelKind(true, lfUltraFlat, 1, bts3D) == lfUltraFlat;
         }},
        {"flat buttons of an edit without its own look are standard",
         [] {
             return cxGetEditButtonsLookAndFeelKind(false, lfUltraFlat, 0, btsFlat) == lfStandard;
         }},
        {"hot-flat buttons of an edit without its own look are flat",
         [] {
             return cxGetEditButtonsLookAndFeelKind(false, lfStandard, 1, btsHotFlat) == lfFlat;
         }},
        {"buttons that belong to no properties have no owner component",
         [] {
             TcxEditButtons Buttons(nullptr);
             return cxGetOwnerComponent(&Buttons) == nullptr;
         }},
        {"a repository item's buttons are owned by the item",
         [] {
             TcxEditRepositoryItem Item(nullptr);
             return cxGetOwnerComponent(&Item.Properties().Buttons()) == &Item;
         }},
    };
    for (const Row& R : Rows)
        EXPECT_TRUE(R.holds()) << R.what;
}

TEST(EditFrameworkRoutines, InplacePoolsBindAndForgetProperties) {
    TcxEditRepositoryItem Editor(nullptr);
    TcxInplaceEditorPool Pool = {{&Editor, nullptr}};
    std::vector<TcxInplaceEditorPool*> Pools = {&Pool};
    cxSetInplaceEditorPools(&Pools);
    {
        TcxCustomEditProperties P(nullptr);
        EXPECT_EQ(cxFindInplaceEditorEntry(Pool, &P, &TcxEditRepositoryItem::ClassRef(), false),
                  -1);
        EXPECT_EQ(cxFindInplaceEditorEntry(Pool, &P, &TcxEditRepositoryItem::ClassRef(), true), 0);
        EXPECT_EQ(Pool[0].Properties, &P);
    }
    EXPECT_EQ(Pool[0].Properties, nullptr);
    cxSetInplaceEditorPools(nullptr);
}

} // namespace
} // namespace toolkit::edit
