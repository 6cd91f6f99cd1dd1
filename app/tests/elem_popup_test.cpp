// Where the popups of the librarian windows open: the element popup of a right click on a
// library, bank or global row, and the Copy/Move popup of a drop from a library onto another
// library, a bank or a global. Each opens with its top left at the pointer.

#include "app/elem_popup.h"
#include "app/form_bank.h"
#include "app/form_global.h"
#include "app/tests/librarian_fixture.h"
#include "model/elements/global.h"

#include <cstdlib>
#include <string>

namespace pw = platform::win;

namespace app::test {

namespace {

class ElemPopupTest : public LibrarianTest {
protected:
    ElemPopupTest() {
        main.PopupCopyMove.OnPopup = [this](forms::TObject*) { ++copyMovePopups; };
    }
    // A right click at the point; the popup is closed by Escape once it is up.
    forms::TPoint RightClick(TElemPopup& popup, TPoint point) {
        After(100, [this] { driver.TypeKey(pw::VK_ESCAPE, "\x1b"); });
        driver.Click(point, Qt::RightButton);
        Run(1000);
        return popup.PopupPoint();
    }
    int copyMovePopups = 0;
};

// Within a few pixels: the offsets are fixed and reckoned from the window's client origin, the
// grids lie about that far inside their windows. The element popup goes 15 right, the Copy/Move
// popup not at all, and a drop on a bank or a global is taken 40 higher: each lands within 12
// pixels of the pointer.
void ExpectAtThePointer(forms::TPoint popup, forms::TPoint pointer, const std::string& what,
                        int within) {
    SCOPED_TRACE(what);
    EXPECT_LE(std::abs(popup.X - pointer.X), within) << popup.X << " for " << pointer.X;
    EXPECT_LE(std::abs(popup.Y - pointer.Y), within) << popup.Y << " for " << pointer.Y;
}

TEST_F(ElemPopupTest, TheElementPopupsOpenAtThePointer) {
    TFormLibrary& library =
        OpenLibrary({{model::etPatchBank, "Leads"}, {model::etGlobal, "Everything"}});
    const TPoint onLibrary = RowPoint(library.DrawGrid, 1);
    ExpectAtThePointer(RightClick(library.PopupMenu, onLibrary), onLibrary, "library", 6);

    TFormBank& bank = OpenWindow<TFormBank>(library.Library().Elem(0), 600, 0);
    const TPoint onBank = RowPoint(bank.DrawGrid, 3);
    ExpectAtThePointer(RightClick(bank.PopupMenu, onBank), onBank, "bank", 6);

    TFormGlobal& global = OpenWindow<TFormGlobal>(library.Library().Elem(1), 600, 420);
    const TPoint onGlobal = global.DrawGrid.ClientToScreen({120, 50});
    ExpectAtThePointer(RightClick(global.PopupMenu, onGlobal), onGlobal, "global", 6);
}

TEST_F(ElemPopupTest, TheCopyMovePopupOpensAtTheDrop) {
    TFormLibrary& source = OpenLibrary({{model::etPatch, "One"},
                                        {model::etPatchBank, "Leads"},
                                        {model::etGlobal, "Everything"},
                                        {model::etPatchBank, "Pads"}});
    TFormBank& bank = OpenWindow<TFormBank>(source.Library().Elem(1), 600, 0);
    TFormGlobal& global = OpenWindow<TFormGlobal>(source.Library().Elem(2), 600, 420);
    main.FileNew();
    auto* target = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
    ASSERT_NE(target, nullptr);
    target->SetBounds(0, 420, target->Width(), 300);
    testsupport::PumpUntilIdle();

    const struct {
        const char* what;
        int row;
        TPoint drop;
    } cases[] = {
        {"onto a library", 0, target->DrawGrid.ClientToScreen({120, 40})},
        {"onto a bank", 0, RowPoint(bank.DrawGrid, 5)},
        {"onto a global", 3, global.DrawGrid.ClientToScreen({120, 20})},
    };
    for (const auto& c : cases) {
        copyMovePopups = 0;
        DragFromLibrary(source, {c.row}, c.drop);
        ASSERT_EQ(copyMovePopups, 1) << c.what;
        ExpectAtThePointer(main.PopupCopyMove.PopupPoint(), c.drop, c.what, 12);
    }
}

} // namespace
} // namespace app::test
