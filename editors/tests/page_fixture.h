#pragma once
// A patch's pages on the simulated instrument (device id 17, ports online, no wire time) inside
// a multiple-document main window: opening a page as the patch window does, what the instrument
// received since a mark, and a user's drag of a slider to a value.

#include "controls/pan_slider.h"
#include "editors/editor_page.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "testsupport/desktop/desktop_fixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace editors::test {

using Bytes = std::vector<std::uint8_t>;

class PageTest : public testsupport::DesktopTest {
protected:
    PageTest() {
        state.Midi.Create();
        EXPECT_TRUE(state.Midi.Online());
        MakeMainWindow();
    }

    // Everything the instrument received from now on counts.
    void Mark() {
        testsupport::PumpUntilIdle();
        Run(0);
        mark_ = instrument().Received().size();
    }
    std::vector<Bytes> Sent() {
        testsupport::PumpUntilIdle();
        Run(0);
        const std::vector<Bytes> all = instrument().Received();
        return {all.begin() + static_cast<std::ptrdiff_t>(mark_), all.end()};
    }
    // The page's window as a PNG in the test's folder (kept with QUINTARON_KEEP_TEST_FILES); the
    // path.
    std::string SavePagePng(platform::forms::TCustomForm& page, const std::string& name);
    // Presses the slider's thumb, moves it until the panel shows value and releases it there.
    void DragSlider(controls::TPanSlider& panel, int value);

    // Whole patch, its pages owned by the test's windows.
    model::TPatch patch{nullptr};
    // Whole performance, its pages owned by the test's windows.
    model::TPerformance performance{nullptr};

private:
    std::size_t mark_ = 0;
};

} // namespace editors::test
