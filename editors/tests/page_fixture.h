#pragma once
// A patch's pages on the simulated instrument (device id 17, ports online, no wire time) inside
// a multiple-document main window: opening a page as the patch window does, what the instrument
// received since a mark, the data sets a page must send, and a user's drag of a slider to a
// value.

#include "controls/pan_slider.h"
#include "editors/editor_page.h"
#include "editors/tone_page.h"
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
    // Page's window of tone opened as the patch window opens it, its first messages handled.
    template <class Page> Page& OpenTone(int tone) {
        Page& page = OpenTonePage<Page>(patch, tone, *owner);
        testsupport::PumpUntilIdle();
        return page;
    }
    // The data set of data at address 03 00 block offset (device id 17), as the instrument must
    // receive it.
    static Bytes DataSet(std::uint8_t block, std::uint8_t offset, const Bytes& data);
    // The data set of one byte of tone's block (offset below 128).
    static Bytes ToneByte(int tone, std::uint8_t offset, std::uint8_t value);

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
