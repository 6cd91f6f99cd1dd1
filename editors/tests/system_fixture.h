#pragma once
// A system's pages on the simulated instrument: opening a page as the system window does (the
// system then in the edit buffer, so that from there on the instrument receives only what the
// page sends), a data set at a system address, and a user's entry in a stepped field.

#include "controls/my_edit.h"
#include "editors/system_page.h"
#include "editors/tests/page_fixture.h"
#include "model/editing/clipboard.h"
#include "model/elements/system.h"
#include "model/print/print_routines.h"
#include "model/sysex/sysex.h"

#include <cstdint>
#include <utility>

namespace editors::test {

class SystemTest : public PageTest {
protected:
    template <class Page, class... Args> Page& OpenPage(Args&&... args) {
        Page& page = OpenSystemPage<Page>(system, *owner, std::forward<Args>(args)...);
        testsupport::PumpUntilIdle();
        Mark();
        return page;
    }
    // The data set of data at system address (00 00 hi lo).
    static Bytes DataSet(std::uint16_t address, Bytes data) {
        Bytes message{0xF0,
                      0x41,
                      0x10,
                      0x6A,
                      0x12,
                      0x00,
                      0x00,
                      static_cast<std::uint8_t>(address >> 8),
                      static_cast<std::uint8_t>(address & 0xFF)};
        message.insert(message.end(), data.begin(), data.end());
        message.push_back(0);
        message.push_back(0xF7);
        message[message.size() - 2] = model::SysExChecksum(message);
        return message;
    }
    // The whole system as it stands: the common block, then the 17 scale tunes.
    void ExpectWholeSystem(const std::vector<Bytes>& sent) {
        ASSERT_EQ(sent.size(), 1u + model::ScaleTuneCount);
        const auto common = std::as_const(*system.Common).Data();
        EXPECT_TRUE(std::equal(common.begin(), common.end(), sent[0].begin() + 9));
        for (int s = 1; s <= model::ScaleTuneCount; ++s) {
            const auto tune = std::as_const(system.ScaleTune(s)).Data();
            EXPECT_TRUE(
                std::equal(tune.begin(), tune.end(), sent[static_cast<std::size_t>(s)].begin() + 9))
                << "scale tune " << s;
        }
    }
    // Leaves the field at code, as a user's typing and leaving it does.
    static void Enter(controls::TMyEdit& edit, int code) {
        edit.SetCode(code);
        if (edit.OnEndChange) edit.OnEndChange(&edit);
    }

    model::TSystem system{nullptr};
    model::TClipboard clipboard;
};

} // namespace editors::test
