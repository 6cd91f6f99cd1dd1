#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_edit_style.h"
#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_popup_edit.h"
#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/cx_text_edit_properties.h"

#include "toolkit/base/cx_canvas.h"

#include "platform/core/message_loop.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;

// ---- sizes ----

class EditSizeTest : public ::testing::Test {
protected:
    EditSizeTest() : Owner(std::make_unique<pc::TComponent>(nullptr)) {
        Form = &test::MakeTestForm(*Owner);
    }
    ~EditSizeTest() override { test::FreeTestForm(Owner); }

    std::unique_ptr<pc::TComponent> Owner;
    pf::TForm* Form = nullptr;
};

TEST_F(EditSizeTest, AnAutoSizingTextEditorIsItsTextRowItsContentOffsetsAndItsBorder) {
    struct Case {
        const char* Name;
        std::function<TcxCustomEdit&(pf::TForm&)> Make;
    };
    const Case Cases[] = {
        {"text", [](pf::TForm& F) -> TcxCustomEdit& { return F.Own<TcxTextEdit>(); }},
        {"mask", [](pf::TForm& F) -> TcxCustomEdit& { return F.Own<TcxMaskEdit>(); }},
        {"spin", [](pf::TForm& F) -> TcxCustomEdit& { return F.Own<TcxSpinEdit>(); }},
        {"combo", [](pf::TForm& F) -> TcxCustomEdit& { return F.Own<TcxComboBox>(); }},
        {"popup", [](pf::TForm& F) -> TcxCustomEdit& { return F.Own<TcxPopupEdit>(); }},
    };
    for (const Case& C : Cases) {
        TcxCustomEdit& E = C.Make(*Form);
        E.SetParent(Form);
        EXPECT_EQ(E.Height(), 21) << C.Name << ": the size a new editor has";
        E.SetAutoSize(false);
        E.SetBounds(10, 10, 150, 40);
        E.SetAutoSize(true);
        // Text row, content offsets 1 above and 3 below, and the 3D border's 2 on either side:
        // the height a new editor already has.
        const int Row = toolkit::base::cxScreenCanvas().FontHeight(E.Style().GetVisibleFont());
        EXPECT_EQ(E.Height(), Row + 1 + 3 + 2 * 2) << C.Name;
        EXPECT_EQ(E.Height(), 21) << C.Name;
        EXPECT_EQ(E.Width(), 150) << C.Name;
    }
}

TEST_F(EditSizeTest, AnEditorOfButtonsAloneAsksOneTextRowWithinItsOffsets) {
    TcxEditStyle Style(nullptr, cssNormal, nullptr, false);
    TcxTextEditProperties Properties(nullptr);
    Properties.SetButtonsViewStyle(bvsButtonsOnly);
    const auto Data = Properties.CreateViewData(Style, false);
    toolkit::base::TcxCanvas& Canvas = toolkit::base::cxScreenCanvas();
    const int Row = Canvas.FontHeight(Style.GetVisibleFont());
    const TSize Offsets = Data->GetEditContentOffsetsSize();
    EXPECT_EQ(Offsets, (TSize{3, 4})) << "1 + 1 and the extra 1 across; 1 + 3 down";
    EXPECT_EQ(Data->GetEditContentSizeEx(Canvas, Variant::String("alpha"), {}),
              (TSize{0, Row + Offsets.cy}));
}

// ---- native frame state ----

TEST(EditNativeState, FollowsTheStateThenReadOnly) {
    struct Case {
        TcxContainerState State;
        bool ReadOnly;
        int Expected;
    };
    // Desktop composition is off here: a focused frame is state 5.
    const Case Cases[] = {
        {cstNormal, false, 1},  {cstNormal | cstHot, false, 2},
        {cstFocused, false, 5}, {cstFocused | cstHot, false, 5},
        {cstNormal, true, 6},   {cstFocused | cstHot, true, 6},
        {cstDisabled, true, 4}, {cstDisabled, false, 4},
    };
    TcxEditStyle Style(nullptr, cssNormal, nullptr, false);
    TcxTextEditProperties Properties(nullptr);
    for (const Case& C : Cases) {
        Properties.SetReadOnly(C.ReadOnly);
        const auto Data = Properties.CreateViewData(Style, false);
        Data->ContainerState = C.State;
        EXPECT_EQ(Data->GetEditNativeState(), C.Expected)
            << "state " << C.State << " read-only " << C.ReadOnly;
    }
}

} // namespace
} // namespace toolkit::edit
