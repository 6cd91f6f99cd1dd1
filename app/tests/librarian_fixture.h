#pragma once
// The main window with a library window and the bank and global windows its elements open, on
// the world of AppTest; drags between them made with the mouse as a user makes them.

#include "app/elem_list_form.h"
#include "app/form_library.h"
#include "app/tests/main_window_fixture.h"
#include "model/editing/drag_info.h"
#include "model/elements/element_factory.h"
#include "model/elements/library.h"
#include "testsupport/win/input_driver.h"

#include <functional>
#include <string>
#include <vector>

namespace app::test {

class LibrarianTest : public MainWindowTest {
protected:
    using TPoint = forms::TPoint;

    struct TEntry {
        std::int16_t type;
        const char* name;
    };

    // A library window opened by File New at the left of the main window, holding the entries.
    TFormLibrary& OpenLibrary(const std::vector<TEntry>& entries) {
        main.FileNew();
        auto* window = dynamic_cast<TFormLibrary*>(main.ActiveMDIChild());
        EXPECT_NE(window, nullptr);
        window->SetBounds(0, 0, window->Width(), window->Height());
        for (const TEntry& entry : entries)
            window->Library()
                .Add(model::CreateElemByType(entry.type, &window->Library()))
                .SetName(entry.name, false);
        window->Library().Saved = true;
        window->RefreshList(false, true);
        testsupport::PumpUntilIdle();
        return *window;
    }
    // The window elem's open-editor operation opened, moved to (left, top).
    template <class T> T& OpenWindow(model::TLibElem& elem, int left, int top) {
        elem.OpenEditor();
        testsupport::PumpUntilIdle();
        T* found = nullptr;
        for (int i = 0; i < main.MDIChildCount() && found == nullptr; ++i) {
            auto* window = dynamic_cast<T*>(main.MDIChildren(i));
            if (window != nullptr && elem.Editor == &window->View()) found = window;
        }
        EXPECT_NE(found, nullptr);
        found->SetBounds(left, top, found->Width(), found->Height());
        found->BringToFront();
        testsupport::PumpUntilIdle();
        return *found;
    }
    // A screen point inside a row of the grid as it is scrolled now.
    static TPoint RowPoint(forms::TDrawGrid& grid, int row) {
        return grid.ClientToScreen({120, (row - grid.TopRow()) * TElemListForm::RowHeight + 9});
    }
    // A press on from, moved past the drag threshold, released at to.
    void Drag(TPoint from, TPoint to) {
        driver.Press(from);
        driver.MoveTo({from.X + 10, from.Y + 10});
        driver.MoveTo(to);
        accepted = main.DragInfo().Accept;
        driver.Release(to);
        Run(1000);
    }
    // Drags the library's rows to a screen point as a user does: selected, pressed on the first,
    // released at to; where the target asks Copy or Move, the popup's choice is clicked.
    void DragFromLibrary(TFormLibrary& library, const std::vector<int>& rows, TPoint to,
                         bool move = false) {
        for (const auto& elem : library.Library().Elems)
            elem->Selected = false;
        for (int row : rows)
            library.Library().Elem(library.CalcIndex(row)).Selected = true;
        library.DrawGrid.Invalidate();
        const TPoint from = RowPoint(library.DrawGrid, rows.front());
        After(100, [this, move] {
            if (main.PopupCopyMove.WindowHandle() == platform::win::HWND{}) return;
            ClickPopupItem(main.PopupCopyMove, move ? 0 : 1);
        });
        Drag(from, to);
    }
    static std::string Trimmed(const model::TLibElem& elem) {
        const std::string name = elem.GetName();
        return name.substr(0, name.find_last_not_of(' ') + 1);
    }
    std::string Png(const char* name) { return (folder / name).string(); }

    // Whether the target accepted the last drag when it was released.
    bool accepted = false;
};

} // namespace app::test
