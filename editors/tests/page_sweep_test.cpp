// Every control of every page driven to both ends of its range: whatever the user leaves a
// control at, every data byte that reaches the instrument is below 80H. A page joins the sweep
// with one line: how to open it.

#include "editors/form_common.h"
#include "editors/form_control.h"
#include "editors/form_effect.h"
#include "editors/form_lfo.h"
#include "editors/form_part.h"
#include "editors/form_per_comm.h"
#include "editors/form_pitch.h"
#include "editors/form_rhy_main.h"
#include "editors/form_rhy_pitch.h"
#include "editors/form_rhy_tva.h"
#include "editors/form_rhy_tvf.h"
#include "editors/form_scale_tune.h"
#include "editors/form_sys_midi.h"
#include "editors/form_sys_preview.h"
#include "editors/form_sys_setup.h"
#include "editors/form_tva.h"
#include "editors/form_tvf.h"
#include "editors/form_wave.h"
#include "editors/tests/page_fixture.h"
#include "editors/tests/rhythm_fixture.h"
#include "editors/tests/system_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace editors::test {
namespace {

// A performance that lives as long as the test's windows: made before the page, it goes after it.
struct PerformanceHolder : platform::forms::TComponent {
    using TComponent::TComponent;
    model::TPerformance performance{nullptr};
};

struct SweptPage {
    std::string name;
    std::function<TEditorPage&(model::TPatch&, platform::forms::TComponent&)> open;
    // For a page of a performance, in place of open.
    std::function<TEditorPage&(model::TPerformance&, platform::forms::TComponent&)>
        openPerformance = {};
};

const SweptPage sweptPages[] = {
    {"Pitch",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenTonePage<TFormPitch>(patch, 2, owner);
     }},
    {"Amplifier",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenTonePage<TFormTVA>(patch, 2, owner);
     }},
    {"Lfo2",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenLfoPage(patch, 2, 2, owner);
     }},
    {"Wave",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenTonePage<TFormWave>(patch, 2, owner);
     }},
    {"TVF",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenTonePage<TFormTVF>(patch, 2, owner);
     }},
    {"Control",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenTonePage<TFormControl>(patch, 2, owner);
     }},
    {"Common",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenCommonPage(patch, owner);
     }},
    {"RhythmMain",
     [](model::TPatch&, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenOwnRhythmPage<TFormRhyMain>(owner);
     }},
    {"RhythmPitch",
     [](model::TPatch&, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenOwnRhythmPage<TFormRhyPitch>(owner);
     }},
    {"RhythmTVF",
     [](model::TPatch&, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenOwnRhythmPage<TFormRhyTVF>(owner);
     }},
    {"RhythmTVA",
     [](model::TPatch&, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenOwnRhythmPage<TFormrhyTva>(owner);
     }},
    {"PerformanceCommon", nullptr,
     [](model::TPerformance& performance, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenPerCommPage(performance, owner);
     }},
    {"Effects",
     [](model::TPatch& patch, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenEffectPatch(patch, owner);
     }},
    {"Part",
     [](model::TPatch&, platform::forms::TComponent& owner) -> TEditorPage& {
         return OpenPartPage(owner.Own<PerformanceHolder>().performance, owner);
     }},
};

class SweepTest : public SystemTest {
protected:
    void Sweep(TEditorPage& page) {
        ASSERT_FALSE(page.Rows().empty());
        for (const auto& row : page.Rows()) {
            Mark();
            row->Drive(row->Lowest());
            row->Drive(row->Highest());
            row->Drive(row->Lowest());
            const std::vector<Bytes> sent = Sent();
            EXPECT_FALSE(sent.empty()) << row->Name() << ": its two ends store the same bytes";
            for (const Bytes& message : sent) {
                // A universal message (General MIDI off before a panel mode) is no data set.
                if (message.size() > 1 && message[1] != 0x7E) {
                    ASSERT_GE(message.size(), 12u) << row->Name();
                }
                EXPECT_EQ(message.front(), 0xF0);
                EXPECT_EQ(message.back(), 0xF7);
                for (std::size_t i = 1; i + 1 < message.size(); ++i)
                    EXPECT_LT(message[i], 0x80) << row->Name() << ", message byte " << i;
            }
        }
        for (std::uint8_t byte : page.Record().Data())
            EXPECT_LT(byte, 0x80);
    }
};

class PageSweepTest : public SweepTest, public ::testing::WithParamInterface<SweptPage> {};

TEST_P(PageSweepTest, EveryControlAtBothEndsSendsOnlySevenBitBytes) {
    Sweep(GetParam().open ? GetParam().open(patch, *owner)
                          : GetParam().openPerformance(performance, *owner));
}

// Every shown control lies wholly inside its parent: nothing is cut off at a panel's or the
// page's edge (the envelope group holds all four of its time and level boxes).
void ExpectInsideItsParent(platform::forms::TWinControl& parent, const std::string& path) {
    const platform::forms::TRect room = parent.ClientRect();
    for (int i = 0; i < parent.ControlCount(); ++i) {
        platform::forms::TControl& control = *parent.Controls(i);
        if (!control.Visible()) continue;
        const platform::forms::TRect r = control.BoundsRect();
        const std::string name =
            path + "/" + (control.Name.empty() ? "#" + std::to_string(i) : control.Name);
        EXPECT_TRUE(r.Left >= room.Left && r.Top >= room.Top && r.Right <= room.Right &&
                    r.Bottom <= room.Bottom)
            << name << " at " << r.Left << "," << r.Top << "-" << r.Right << "," << r.Bottom
            << " in " << room.Right << " x " << room.Bottom;
        if (auto* inner = dynamic_cast<platform::forms::TWinControl*>(&control))
            ExpectInsideItsParent(*inner, name);
    }
}

TEST_P(PageSweepTest, EveryControlLiesInsideItsParent) {
    TEditorPage& page = GetParam().open ? GetParam().open(patch, *owner)
                                        : GetParam().openPerformance(performance, *owner);
    testsupport::PumpUntilIdle();
    ExpectInsideItsParent(page, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageSweepTest, ::testing::ValuesIn(sweptPages),
                         [](const auto& info) { return info.param.name; });

struct SweptSystemPage {
    std::string name;
    std::function<TEditorPage&(model::TSystem&, model::TClipboard&, platform::forms::TComponent&)>
        open;
};

const SweptSystemPage sweptSystemPages[] = {
    {"Setup",
     [](model::TSystem& system, model::TClipboard&, platform::forms::TComponent& owner)
         -> TEditorPage& { return OpenSystemPage<TFormSysSetup>(system, owner); }},
    {"Midi",
     [](model::TSystem& system, model::TClipboard&, platform::forms::TComponent& owner)
         -> TEditorPage& { return OpenSystemPage<TFormSysMidi>(system, owner); }},
    {"Preview",
     [](model::TSystem& system, model::TClipboard&, platform::forms::TComponent& owner)
         -> TEditorPage& { return OpenSystemPage<TFormSysPreview>(system, owner); }},
    {"ScaleTune",
     [](model::TSystem& system, model::TClipboard& clipboard, platform::forms::TComponent& owner)
         -> TEditorPage& { return OpenSystemPage<TFormScaleTune>(system, owner, clipboard); }},
};

class SystemPageSweepTest : public SweepTest,
                            public ::testing::WithParamInterface<SweptSystemPage> {};

TEST_P(SystemPageSweepTest, EveryControlAtBothEndsSendsOnlySevenBitBytes) {
    Sweep(GetParam().open(system, clipboard, *owner));
}

INSTANTIATE_TEST_SUITE_P(SystemPages, SystemPageSweepTest, ::testing::ValuesIn(sweptSystemPages),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace editors::test
