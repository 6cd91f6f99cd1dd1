#include "toolkit/edit/cx_edit_view_data.h"
#include "toolkit/edit/tests/edit_test_fixture.h"

#include "toolkit/edit/cx_combo_box.h"
#include "toolkit/edit/cx_edit_style.h"
#include "toolkit/edit/cx_mask_edit.h"
#include "toolkit/edit/cx_popup_edit.h"
#include "toolkit/edit/cx_spin_edit.h"
#include "toolkit/edit/cx_text_edit.h"
#include "toolkit/edit/cx_text_edit_properties.h"
#include "toolkit/edit/cx_text_edit_view.h"

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

TEST(EditConstantPartSize, AGlyphOrAnInPlaceCaptionAsksItsHeightWithinItsButtonsBorder) {
    struct Case {
        const char* Name;
        TcxEditButtonKind Kind;
        bool Inplace;
        TcxEditButtonStyle ButtonStyle;
        // Content margins 1 + 1, then the border the button style draws above and below.
        int Frame;
    };
    const Case Cases[] = {
        {"3D glyph", bkGlyph, false, bts3D, 2 + 4},
        {"flat glyph", bkGlyph, false, btsFlat, 2 + 2},
        {"ultra-flat glyph", bkGlyph, false, btsUltraFlat, 2 + 2},
        {"in-place glyph", bkGlyph, true, btsHotFlat, 2 + 2},
        {"in-place caption", bkText, true, bts3D, 2 + 4},
        // An editor with its own window sizes its text buttons by the text row alone.
        {"caption", bkText, false, bts3D, 0},
    };
    toolkit::base::TcxCanvas& Canvas = toolkit::base::cxScreenCanvas();
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TcxEditStyle Style(nullptr, cssNormal, nullptr, false);
        Style.SetBorderStyle(cbs3D);
        Style.SetButtonStyle(C.ButtonStyle);
        TcxTextEditProperties Properties(nullptr);
        TcxEditButton& Button = Properties.Buttons().Add();
        Button.SetKind(C.Kind);
        Button.Glyph().SetSize(10, 30);
        Button.SetCaption("Go");
        const auto Data = Properties.CreateViewData(Style, C.Inplace);
        TSize MinContent{-1, -1};
        const TSize Constant = Data->GetEditConstantPartSize(Canvas, {}, MinContent);
        const int Border = C.Inplace ? 0 : 2 * 2;
        EXPECT_EQ(Constant.cy, Border);
        Canvas.SetFont(Style.GetVisibleFont());
        const int Content = C.Kind == bkGlyph ? 30 : Canvas.TextHeight("Go");
        EXPECT_EQ(MinContent.cx, 0);
        EXPECT_EQ(MinContent.cy, C.Frame == 0 ? 0 : Content + C.Frame - Border);
    }
}

TEST_F(EditSizeTest, ATallGlyphSetsTheEditorsHeight) {
    TcxTextEdit& E = Form->Own<TcxTextEdit>();
    E.SetParent(Form);
    static_cast<TcxCustomEditStyle&>(E.Style()).SetButtonStyle(bts3D);
    TcxEditButton& Button = E.Properties().Buttons().Add();
    Button.SetKind(bkGlyph);
    Button.Glyph().SetSize(10, 30);
    E.SetAutoSize(false);
    E.SetAutoSize(true);
    // The glyph, 1 above and below it, and the two 3D frames of the button on either side.
    EXPECT_EQ(E.Height(), 30 + 2 + 4);
}

TEST_F(EditSizeTest, ABorderlessEditorsPopupBorderFollowsItsButtonsLookAndFeel) {
    struct Case {
        TcxEditButtonStyle ButtonStyle;
        TcxEditPopupBorderStyle Expected;
    };
    // The style's own look-and-feel is standard (a 3D frame); the buttons' kind decides.
    const Case Cases[] = {
        {btsDefault, epbsFrame3D}, {bts3D, epbsFrame3D},       {btsFlat, epbsFlat},
        {btsHotFlat, epbsFlat},    {btsUltraFlat, epbsSingle}, {btsOffice11, epbsSingle},
    };
    TcxTextEdit& E = Form->Own<TcxTextEdit>();
    E.SetParent(Form);
    E.Properties().Buttons().Add();
    auto& Style = static_cast<TcxCustomEditStyle&>(E.Style());
    Style.LookAndFeel().SetKind(toolkit::base::lfStandard);
    Style.SetBorderStyle(cbsNone);
    for (const Case& C : Cases) {
        Style.SetButtonStyle(C.ButtonStyle);
        const auto Data = E.CreateViewData();
        EXPECT_EQ(Data->GetPopupBorderStyle(), C.Expected) << "button style " << C.ButtonStyle;
    }
}

// ---- display text ----

TEST(EditDisplayText, TheDrawTextIsTheDisplayTextThenTheOwnersHandler) {
    struct Case {
        const char* Name;
        bool TextEditor;
        bool Password;
        bool Handler;
        const char* Expected;
    };
    const Case Cases[] = {
        {"base", false, false, false, ""},
        {"base with handler", false, false, true, "[]"},
        {"text", true, false, false, "alpha"},
        {"text with handler", true, false, true, "[alpha]"},
        {"password with handler", true, true, true, "[*****]"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TcxEditStyle Style(nullptr, cssNormal, nullptr, false);
        TcxCustomEditProperties Base(nullptr);
        TcxTextEditProperties Text(nullptr);
        if (C.Password) Text.SetEchoMode(eemPassword);
        std::unique_ptr<TcxCustomEditViewData> Data =
            C.TextEditor ? Text.CreateViewData(Style, true)
                         : std::make_unique<TcxCustomEditViewData>(Base, Style, true);
        int Calls = 0;
        if (C.Handler)
            Data->OnGetDisplayText = [&](TcxCustomEditViewData* Sender, std::string& S) {
                EXPECT_EQ(Sender, Data.get());
                ++Calls;
                S = "[" + S + "]";
            };
        std::string Drawn = "stale";
        Data->DisplayValueToDrawValue(Variant::String("alpha"), Drawn);
        EXPECT_EQ(Drawn, C.Expected);
        EXPECT_EQ(Calls, C.Handler ? 1 : 0);
        if (C.TextEditor) {
            TcxCustomTextEditViewInfo V;
            static_cast<TcxCustomTextEditViewData&>(*Data).DisplayValueToDrawValue(
                Variant::String("alpha"), V);
            EXPECT_EQ(V.Text, C.Expected) << "the text view info's draw text";
        }
    }
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
