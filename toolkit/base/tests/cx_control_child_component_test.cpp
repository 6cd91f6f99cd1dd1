#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_control_child_component.h"
#include "toolkit/base/cx_control_cursors.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/forms/screen.h"
#include "platform/win/cursors.h"

#include <memory>
#include <vector>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// Remembers who joined and left.
class TLoggingControl : public TcxControl {
public:
    using TcxControl::TcxControl;
    std::vector<TcxControlChildComponent*> Added, Removed;
    void AddChildComponent(TcxControlChildComponent* C) override {
        Added.push_back(C);
        TcxControl::AddChildComponent(C);
    }
    void RemoveChildComponent(TcxControlChildComponent* C) override {
        Removed.push_back(C);
        TcxControl::RemoveChildComponent(C);
    }
};

class TInitialized : public TcxControlChildComponent {
public:
    using TcxControlChildComponent::TcxControlChildComponent;
    bool Initialized = false;

protected:
    void InitializeComponent() override { Initialized = true; }
};

class CxControlChildComponentTest : public ControlsUnitTest {};

TEST_F(CxControlChildComponentTest, SettingTheParentJoinsTheControlAndFreeingLeavesIt) {
    pc::TComponent Owner(nullptr);
    auto& Control = Owner.Own<TLoggingControl>();
    auto Child = std::make_unique<TcxControlChildComponent>(nullptr);
    EXPECT_EQ(Child->Control(), nullptr);
    Child->SetParentComponent(&Control);
    EXPECT_EQ(Child->Control(), &Control);
    EXPECT_EQ(Child->GetParentComponent(), &Control);
    ASSERT_EQ(Control.Added.size(), 1u);
    TcxControlChildComponent* Raw = Child.get();
    Child.reset();
    EXPECT_EQ(Control.Removed, std::vector<TcxControlChildComponent*>{Raw});
}

TEST_F(CxControlChildComponentTest, CreateExIsKeptByTheControlsOwnerOnlyWhenAsked) {
    pc::TComponent Owner(nullptr);
    auto& Control = Owner.Own<TLoggingControl>();
    const int Before = Owner.ComponentCount();
    TInitialized* Kept = nullptr;
    EXPECT_EQ(TcxControlChildComponent::CreateEx<TInitialized>(Control, true, &Kept), nullptr);
    ASSERT_NE(Kept, nullptr);
    EXPECT_EQ(Owner.ComponentCount(), Before + 1);
    EXPECT_EQ(Kept->Owner(), &Owner);
    EXPECT_EQ(Kept->Control(), &Control);
    EXPECT_TRUE(Kept->Initialized);

    TInitialized* Loose = nullptr;
    auto Held = TcxControlChildComponent::CreateEx<TInitialized>(Control, false, &Loose);
    ASSERT_EQ(Held.get(), Loose);
    EXPECT_EQ(Loose->Owner(), nullptr);
    EXPECT_EQ(Loose->Control(), &Control);
    EXPECT_EQ(Owner.ComponentCount(), Before + 1);
}

TEST_F(CxControlChildComponentTest, AComponentOutlivingItsControlIsLeftWithout) {
    auto Control = std::make_unique<TLoggingControl>(nullptr);
    TcxControlChildComponent Child(nullptr);
    Child.SetParentComponent(Control.get());
    Control.reset();
    EXPECT_EQ(Child.Control(), nullptr);
    EXPECT_EQ(Child.GetParentComponent(), nullptr);
}

TEST_F(CxControlChildComponentTest, AControlRegistersTheLibraryCursors) {
    TLoggingControl Control(nullptr);
    const pw::HCURSOR Arrow = pf::Screen().Cursors(pf::crArrow);
    for (pf::TCursor N : {crcxDragCopy, crcxRemove, crcxVertSize, crcxHorzSize, crcxMultiDrag,
                          crcxNoDrop, crcxDrag, crcxColorPicker, 2101, 2107}) {
        EXPECT_NE(pf::Screen().Cursors(N), Arrow) << N;
        EXPECT_NE(pf::Screen().Cursors(N), pw::NullCursor) << N;
    }
    EXPECT_EQ(pf::Screen().Cursors(crcxHandPoint), pw::LoadCursor(pw::IDC_HAND));
    EXPECT_NE(pf::Screen().Cursors(crcxDragCopy), pf::Screen().Cursors(crcxDrag));
}

} // namespace
} // namespace toolkit::base::test
