#pragma once
// The element windows (patch, performance, rhythm set, system) as the librarian opens them: the
// world of LibrarianTest with the program's MIDI connection online, a library row's double
// click as a user makes it, the data sets the instrument received, and what a second double
// click and closing the window do.

#include "app/tests/librarian_fixture.h"
#include "model/elements/lib_elem.h"
#include "platform/forms/forms.h"

#include <cstddef>

namespace app::test {

class ElementWindowOpenTest : public LibrarianTest {
protected:
    ElementWindowOpenTest() {
        state.Midi.Create();
        EXPECT_TRUE(state.Midi.Online());
    }
    void DoubleClickRow(TFormLibrary& library, int row) {
        Run(1000);
        driver.Click(RowPoint(library.DrawGrid, row));
        driver.Click(RowPoint(library.DrawGrid, row));
        testsupport::PumpUntilIdle();
    }
    // The data sets the instrument received so far (the preview note aside), once the clock
    // ran settle milliseconds more.
    std::size_t DataSets(platform::core::Millis settle = 0) {
        testsupport::PumpUntilIdle();
        Run(settle);
        std::size_t count = 0;
        for (const auto& message : instrument().Received())
            count += !message.empty() && message.front() == 0xF0 ? 1 : 0;
        return count;
    }
    // A second double click on row brings window, elem's, back instead of opening another;
    // closed, it leaves elem with no window.
    void ExpectBroughtBackThenClosed(TFormLibrary& library, int row, platform::forms::TForm& window,
                                     model::TLibElem& elem) {
        const int children = main.MDIChildCount();
        window.SetBounds(500, 0, window.Width(), window.Height());
        DoubleClickRow(library, row);
        EXPECT_EQ(main.ActiveMDIChild(), &window);
        EXPECT_EQ(main.MDIChildCount(), children);

        window.Close();
        testsupport::PumpUntilIdle();
        EXPECT_FALSE(elem.EditorOpen);
        EXPECT_EQ(elem.Editor, nullptr);
    }
};

} // namespace app::test
