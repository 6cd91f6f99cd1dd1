#include "toolkit/edit/cx_edit_view_info.h"

#include "toolkit/base/tests/cx_test_surface.h"

#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

namespace toolkit::edit {
namespace {

namespace pg = platform::gdi;
namespace tb = toolkit::base;
using tb::testing_support::TestSurface;

struct BackgroundCase {
    const char* Name;
    bool Inplace;
    bool OwnerHandles;
    bool Transparent;
    bool NativeStyle;
    TcxEditBackgroundKind Kind;
    bool Drawn;
};

// Each case's view info, without an editor: what the kind depends on is set by hand.
void Prepare(TcxCustomEditViewInfo& V, const BackgroundCase& C, bool& Asked) {
    V.IsInplace = C.Inplace;
    V.TransparentBackground = C.Transparent;
    V.NativeStyle = C.NativeStyle;
    if (C.OwnerHandles)
        V.OnDrawBackground = [&Asked](TcxCustomEditViewInfo*, TcxCanvas* Canvas, bool& Handled) {
            if (Canvas)
                Canvas->FillRect({0, 0, 1000, 1000}, pg::clLime);
            else
                Asked = true;
            Handled = true;
        };
}

const BackgroundCase Cases[] = {
    {"in place, drawn by its owner", true, true, false, false, ebkOwnerDrawn, true},
    {"in place, transparent", true, false, true, false, ebkNone, true},
    {"in place", true, false, false, false, ebkFill, false},
    // The owner's handler only counts in place.
    {"own window, an owner's handler", false, true, false, false, ebkWithEditor, false},
    {"own window, transparent", false, false, true, false, ebkParentImage, true},
    {"own window, native", false, false, false, true, ebkFill, false},
    {"own window", false, false, false, false, ebkWithEditor, false},
};

TEST(EditBackgroundKind, FollowsInPlaceTransparencyAndTheNativeStyle) {
    for (const BackgroundCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TcxCustomEditViewInfo V;
        bool Asked = false;
        Prepare(V, C, Asked);
        EXPECT_EQ(V.GetBackgroundKind(), C.Kind);
        EXPECT_EQ(V.IsEditBackgroundDrawn(), C.Drawn);
        EXPECT_EQ(Asked, C.Inplace && C.OwnerHandles) << "asked without a canvas";
    }
}

// Each case paints into its own 40 x 20 panel: the outer rectangle is the panel's left 30
// pixels, the inner one (5, 5)-(35, 15) reaches past it.
TEST(EditBackgroundKind, DrawEditBackgroundPaintsByTheKindWithinTheClip) {
    tb::testing_support::ClassicColors Classic;
    constexpr int W = 40, H = 20;
    const int N = static_cast<int>(std::size(Cases));
    const pg::COLORREF Untouched = pg::RGB(1, 2, 3);
    TestSurface S(W * N, H, Untouched);
    tb::TcxCanvas Canvas(&S.Canvas());
    const pg::COLORREF Red = pg::RGB(255, 0, 0);
    for (int I = 0; I < N; ++I) {
        const BackgroundCase& C = Cases[I];
        TcxCustomEditViewInfo V;
        bool Asked = false;
        Prepare(V, C, Asked);
        const int X = I * W;
        V.SetBackgroundColor(Red);
        V.Bounds = {X, 0, X + 30, H};
        V.BorderRect = V.BackgroundRect = V.ClientRect = {X + 2, 2, X + 28, H - 2};
        V.DrawEditBackground(Canvas, {X + 5, 5, X + 35, 15}, false, {X, 0, X + 30, H});
    }
    testsupport::TempFolder Folder("quintaron-edit-background-");
    EXPECT_TRUE(S.Pixels().SavePng(Folder.PathOf("edit-background.png")));

    const pg::COLORREF Lime = pg::RGB(0, 255, 0);
    for (int I = 0; I < N; ++I) {
        const BackgroundCase& C = Cases[I];
        SCOPED_TRACE(C.Name);
        const int X = I * W;
        // Inside both rectangles: the owner's drawing, the fill, or (drawn with the editor)
        // its background rectangle filled.
        const pg::COLORREF Inside = C.Kind == ebkOwnerDrawn                        ? Lime
                                    : C.Kind == ebkFill || C.Kind == ebkWithEditor ? Red
                                                                                   : Untouched;
        EXPECT_EQ(S.At(X + 10, 10), Inside);
        // Past the outer rectangle, nothing.
        EXPECT_EQ(S.At(X + 32, 10), Untouched);
        // Outside the inner rectangle only the editor's own painting reaches its background.
        EXPECT_EQ(S.At(X + 3, 3), C.Kind == ebkWithEditor ? Red : Untouched);
    }
    // The clip is restored: a fill afterwards covers the whole surface.
    Canvas.FillRect({0, 0, W * N, H}, pg::clBlue);
    EXPECT_EQ(S.At(32, 10), pg::RGB(0, 0, 255));
}

TEST(EditBackgroundKind, KeepingTheClipLetsTheFillReachTheInnerRectangle) {
    TestSurface S(40, 20, pg::RGB(1, 2, 3));
    tb::TcxCanvas Canvas(&S.Canvas());
    TcxCustomEditViewInfo V;
    V.IsInplace = true;
    V.SetBackgroundColor(pg::RGB(255, 0, 0));
    V.DrawEditBackground(Canvas, {5, 5, 35, 15}, true, {0, 0, 30, 20});
    EXPECT_EQ(S.At(32, 10), pg::RGB(255, 0, 0));
    EXPECT_EQ(S.At(3, 3), pg::RGB(1, 2, 3));
}

} // namespace
} // namespace toolkit::edit
