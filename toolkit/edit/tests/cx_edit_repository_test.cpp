#include "toolkit/edit/cx_edit_repository.h"

#include "toolkit/edit/editor_registrations.h"

#include <gtest/gtest.h>

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

TEST(EditFrameworkRoutines, SmallRoutines) {
    for (char C : std::string(" \t\n\f\r", 5))
        EXPECT_TRUE(cxIsBlank(C));
    EXPECT_TRUE(cxIsBlank('\0'));
    EXPECT_FALSE(cxIsBlank('a'));
    EXPECT_EQ(cxMouseButtonToShift(cxmbNone), 0u);
    EXPECT_EQ(cxMouseButtonToShift(cxmbMiddle), platform::forms::ssMiddle);
    EXPECT_EQ(cxMouseButtonToShift(platform::forms::mbRight), platform::forms::ssRight);
    EXPECT_FALSE(cxVarEqualsExact(Variant::Integer(1), Variant::Double(1.0)));
    EXPECT_TRUE(cxVarEqualsExactNumeric(Variant::Integer(1), Variant::Double(1.0)));
    using toolkit::base::lfFlat;
    using toolkit::base::lfStandard;
    using toolkit::base::lfUltraFlat;
    EXPECT_EQ(cxGetEditButtonsLookAndFeelKind(true, lfUltraFlat, 1, bts3D), lfUltraFlat);
    EXPECT_EQ(cxGetEditButtonsLookAndFeelKind(false, lfUltraFlat, 0, btsFlat), lfStandard);
    EXPECT_EQ(cxGetEditButtonsLookAndFeelKind(false, lfStandard, 1, btsHotFlat), lfFlat);
    TcxEditButtons Buttons(nullptr);
    EXPECT_EQ(cxGetOwnerComponent(&Buttons), nullptr);
    TcxEditRepositoryItem Item(nullptr);
    EXPECT_EQ(cxGetOwnerComponent(&Item.Properties().Buttons()), &Item);
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
