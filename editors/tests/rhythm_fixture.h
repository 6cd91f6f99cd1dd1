#pragma once
// A rhythm set's note pages on the simulated instrument: a rhythm set and the part clipboard
// that live with the test's windows, opening a page as the rhythm window does, and a user's
// pick of a key on a page's key selector.

#include "editors/rhythm_note_page.h"
#include "editors/tests/page_fixture.h"
#include "model/editing/clipboard.h"
#include "model/elements/rhythm.h"
#include "platform/core/component.h"

namespace editors::test {

// Owned by a test's window owner, made before the pages it opens: it outlives them or, freed
// first, closes them.
class RhythmHolder : public platform::core::TComponent {
public:
    using TComponent::TComponent;
    model::TRhythm rhythm{nullptr};
    model::TClipboard clipboard;
};

// Page opened on a rhythm set of its own, held by owner.
template <class Page> Page& OpenOwnRhythmPage(platform::core::TComponent& owner) {
    RhythmHolder& holder = owner.Own<RhythmHolder>();
    return OpenRhythmNotePage<Page>(holder.rhythm, holder.clipboard, owner);
}

class RhythmTest : public PageTest {
protected:
    template <class Page> Page& Open() {
        Page& page = OpenRhythmNotePage<Page>(rhythm, clipboard, *owner);
        testsupport::PumpUntilIdle();
        Run(10000); // the rhythm set's way to the edit buffer as the page became active
        return page;
    }
    // Presses and releases key (35..98, a white key) on the page's key selector.
    void SelectKey(TRhythmNotePage& page, int key) {
        controls::TKeySelector& keys = page.KeySelector;
        const int index = key - 36;
        driver.Click(
            keys.ClientToScreen({keys.KeyX(index) + keys.KeyWidth() / 2, keys.Height() - 4}));
        testsupport::PumpUntilIdle();
    }
    Bytes NoteBytes(const model::TRhythm& of, int key, std::size_t first, std::size_t last) {
        const auto data = of.Notes[static_cast<std::size_t>(key - model::FirstRhythmKey)]->Data();
        return Bytes(data.begin() + static_cast<std::ptrdiff_t>(first),
                     data.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    }
    // Every note byte of the rhythm set set to a pattern of its own, below 80H.
    static void Fill(model::TRhythm& filled, int seed) {
        for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key) {
            auto data = filled.Note(key).Data();
            for (std::size_t n = 0; n < data.size(); ++n)
                data[n] = static_cast<std::uint8_t>((seed + 3 * key + 7 * n) % 100);
        }
    }

    model::TRhythm rhythm{nullptr};
    model::TClipboard clipboard;
};

} // namespace editors::test
