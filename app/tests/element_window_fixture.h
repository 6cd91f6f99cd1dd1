#pragma once
// The element windows (patch, performance, rhythm set, system) as the librarian opens them: the
// world of LibrarianTest with the program's MIDI connection online, a library row's double
// click as a user makes it, and the data sets the instrument received.

#include "app/tests/librarian_fixture.h"

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
};

} // namespace app::test
