#include "toolkit/base/registered_class_list.h"
#include "toolkit/base/registered_classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolkit::base {
namespace {

using platform::core::TClass;
using platform::core::TObject;

// TA <- TB <- TC, and TU beside them.
const TClass TA("TA", &TObject::ClassRef());
const TClass TB("TB", &TA);
const TClass TC("TC", &TB);
const TClass TU("TU", &TObject::ClassRef());
// The classes that serve them.
const TClass HA("HA", &TObject::ClassRef());
const TClass HB("HB", &TObject::ClassRef());
const TClass HC("HC", &TObject::ClassRef());
const TClass HU("HU", &TObject::ClassRef());

const TClass* HelperOf(const TClass* Item) {
    if (Item == &TA) return &HA;
    if (Item == &TB) return &HB;
    if (Item == &TC) return &HC;
    return &HU;
}

std::string Order(const TcxRegisteredClassList& List) {
    std::string Result;
    for (int I = 0; I < List.Count(); ++I)
        Result += (I ? " " : "") + List.Items(I).ItemClass->ClassName();
    return Result;
}

struct RegistrationCase {
    std::vector<const TClass*> Registered;
    std::string ExpectedOrder;
    // The class that serves a TC item.
    const TClass* ServesTC;
};

class RegisteredClassListOrder : public testing::TestWithParam<RegistrationCase> {};

TEST_P(RegisteredClassListOrder, KeepsEveryClassAfterItsAncestors) {
    TcxRegisteredClassList List;
    for (const TClass* Item : GetParam().Registered)
        List.Register(Item, HelperOf(Item));
    EXPECT_EQ(Order(List), GetParam().ExpectedOrder);

    // Whatever the order of registration, the most derived registered match is found.
    int Index = -1;
    ASSERT_TRUE(List.Find(&TC, Index));
    EXPECT_EQ(List.Items(Index).RegisteredClass, GetParam().ServesTC);
}

INSTANTIATE_TEST_SUITE_P(Orders, RegisteredClassListOrder,
                         testing::Values(RegistrationCase{{&TA, &TB}, "TA TB", &HB},
                                         RegistrationCase{{&TB, &TA}, "TA TB", &HB},
                                         RegistrationCase{{&TA, &TU}, "TA TU", &HA},
                                         RegistrationCase{{&TC, &TU, &TA}, "TA TC TU", &HC},
                                         RegistrationCase{{&TA, &TC, &TB}, "TA TB TC", &HC},
                                         RegistrationCase{{&TC, &TB, &TA}, "TA TB TC", &HC},
                                         RegistrationCase{
                                             {&TU, &TC, &TA, &TB}, "TU TA TB TC", &HC}),
                         // The order of registration: TA_TB.
                         [](const auto& info) {
                             std::string Name;
                             for (const TClass* Item : info.param.Registered)
                                 Name += (Name.empty() ? "" : "_") + Item->ClassName();
                             return Name;
                         });

TEST(RegisteredClassList, FindReportsTheLowestDescendantWhenNoAncestorIsRegistered) {
    TcxRegisteredClassList List;
    List.Register(&TU, &HU);
    List.Register(&TC, &HC);
    List.Register(&TB, &HB);
    ASSERT_EQ(Order(List), "TU TB TC");
    int Index = -1;
    EXPECT_FALSE(List.Find(&TA, Index));
    EXPECT_EQ(Index, 1);
    Index = -1;
    EXPECT_FALSE(List.Find(&HA, Index));
    EXPECT_EQ(Index, -1);
    EXPECT_TRUE(List.Find(&TC, Index));
    EXPECT_EQ(Index, 2);
    EXPECT_FALSE(List.Find(nullptr, Index));
}

TEST(RegisteredClassList, UnregisterRemovesOnlyPairsMatchingBothClasses) {
    TcxRegisteredClassList List;
    List.Register(&TA, &HA);
    List.Register(&TB, &HB);
    List.Register(&TB, &HC);
    List.Register(&TB, &HB);
    List.Unregister(&TB, &HB);
    ASSERT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Items(1).RegisteredClass, &HC);
    List.Unregister(&TA, &HB);
    EXPECT_EQ(List.Count(), 2);

    // TB's own entry now goes to HC; a TC item is served by it as well.
    int Index = -1;
    ASSERT_TRUE(List.Find(&TC, Index));
    EXPECT_EQ(List.Items(Index).RegisteredClass, &HC);
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
}

TEST(RegisteredClasses, ADescriptionReadsUpToTheBar) {
    TcxRegisteredClasses Classes;
    Classes.Register(&TA, "Text|A hint for the designer");
    Classes.Register(&TB, "Plain");
    Classes.Register(&TC, "|Hint only");
    Classes.Register(&TA, "Again");
    ASSERT_EQ(Classes.Count(), 3);
    EXPECT_EQ(Classes.Descriptions(0), "Text");
    EXPECT_EQ(Classes.Descriptions(1), "Plain");
    EXPECT_EQ(Classes.Descriptions(2), "");
    EXPECT_EQ(Classes.IndexOf(&TB), 1);
    EXPECT_EQ(Classes.IndexOf(&TU), -1);
    EXPECT_EQ(Classes.Items(2), &TC);
}

TEST(RegisteredClasses, SortedKeepsTheDescriptionsInOrderWithoutCase) {
    TcxRegisteredClasses Classes;
    Classes.Register(&TA, "mask");
    Classes.Register(&TB, "Combo");
    Classes.Register(&TC, "button|b");
    Classes.SetSorted(true);
    EXPECT_EQ(Classes.Items(0), &TC);
    EXPECT_EQ(Classes.Items(1), &TB);
    EXPECT_EQ(Classes.Items(2), &TA);
    Classes.Register(&TU, "Date");
    EXPECT_EQ(Classes.IndexOf(&TU), 2);
    Classes.Clear();
    EXPECT_EQ(Classes.Count(), 0);
}

TEST(RegisteredClasses, CanRegisterItsClassesWithTheStreamingSystem) {
    const TClass Streamed("TcxStreamedForTest", &TObject::ClassRef());
    {
        TcxRegisteredClasses Quiet;
        Quiet.Register(&Streamed, "Streamed");
        EXPECT_EQ(platform::core::GetClass("TcxStreamedForTest"), nullptr);
    }
    TcxRegisteredClasses Classes(true);
    Classes.Register(&Streamed, "Streamed");
    EXPECT_EQ(platform::core::GetClass("TcxStreamedForTest"), &Streamed);
    platform::core::UnRegisterClass(Streamed);
}

} // namespace
} // namespace toolkit::base
