// Every control of every page driven to both ends of its range: whatever the user leaves a
// control at, every data byte that reaches the instrument is below 80H. Every page reads clear:
// each control lies inside its parent, and no label's text runs into another's, under a control
// or past its own bounds, whatever the controls are left at. A page joins the sweep with one
// line: how to open it.

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
#include "platform/forms/tab_notebook.h"
#include "platform/gdi/geometry.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

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

namespace forms = platform::forms;

// A shown label's text as the page draws it, on the screen: laid out as the label paints it, cut
// at the label's bounds and at each parent's client area.
struct DrawnLabel {
    std::string name;
    std::string text;
    forms::TRect ink;
    bool cut;
};

// A shown control that is no label, on the screen, as much of it as its parents show.
struct ShownControl {
    std::string name;
    forms::TRect bounds;
};

forms::TRect OnScreen(const forms::TControl& control, forms::TRect r) {
    const forms::TPoint origin = control.ClientToScreen({0, 0});
    platform::gdi::OffsetRect(r, origin.X, origin.Y);
    return r;
}

void CollectShown(forms::TWinControl& parent, const std::string& path, forms::TRect clip,
                  std::vector<DrawnLabel>& labels, std::vector<ShownControl>& controls) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        forms::TControl& control = *parent.Controls(i);
        if (!control.Visible()) continue;
        const std::string name =
            path + "/" + (control.Name.empty() ? "#" + std::to_string(i) : control.Name);
        forms::TRect shown;
        if (!platform::gdi::IntersectRect(shown, clip, OnScreen(control, control.ClientRect())))
            continue;
        if (auto* label = dynamic_cast<forms::TLabel*>(&control)) {
            if (label->Caption().empty()) continue;
            const forms::TRect text = OnScreen(control, label->TextRect());
            forms::TRect ink;
            platform::gdi::IntersectRect(ink, text, shown);
            labels.push_back({name, label->Caption(), ink, ink != text});
            continue;
        }
        controls.push_back({name, shown});
        if (auto* inner = dynamic_cast<forms::TWinControl*>(&control))
            CollectShown(*inner, name, shown, labels, controls);
    }
}

std::string Show(const forms::TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

// What keeps a label of the page as it stands from reading clear, a line each.
std::vector<std::string> LabelFaults(forms::TWinControl& page, const std::string& name) {
    std::vector<DrawnLabel> labels;
    std::vector<ShownControl> controls;
    CollectShown(page, name, OnScreen(page, page.ClientRect()), labels, controls);
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const DrawnLabel& label = labels[i];
        const std::string said = "\"" + label.text + "\" at " + Show(label.ink);
        if (label.cut) faults.push_back(said + " is cut off (" + label.name + ")");
        forms::TRect both;
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            if (platform::gdi::IntersectRect(both, label.ink, labels[j].ink))
                faults.push_back(said + " runs into \"" + labels[j].text + "\" at " +
                                 Show(labels[j].ink) + " (" + label.name + ", " + labels[j].name +
                                 ")");
        for (const ShownControl& control : controls) {
            // The label's parents hold it.
            if (label.name.starts_with(control.name + "/")) continue;
            if (platform::gdi::IntersectRect(both, label.ink, control.bounds))
                faults.push_back(said + " lies under " + control.name + " at " +
                                 Show(control.bounds));
        }
    }
    return faults;
}

void FindNotebooks(forms::TWinControl& parent, std::vector<forms::TTabbedNotebook*>& found) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        auto* inner = dynamic_cast<forms::TWinControl*>(parent.Controls(i));
        if (!inner) continue;
        if (auto* notebook = dynamic_cast<forms::TTabbedNotebook*>(inner))
            found.push_back(notebook);
        FindNotebooks(*inner, found);
    }
}

// The page's labels checked in each state it is put in, on every page of its notebooks; a fault
// is reported once, with the state it first shows in.
class LabelSweep {
public:
    // The page as opened, laid out.
    LabelSweep(forms::TWinControl& page, std::string name) : page_(page), name_(std::move(name)) {
        testsupport::PumpUntilIdle();
    }

    // Only the layout counts: nothing needs painting.
    void Check(const std::string& state) {
        Report(state);
        std::vector<forms::TTabbedNotebook*> notebooks;
        FindNotebooks(page_, notebooks);
        for (forms::TTabbedNotebook* notebook : notebooks) {
            const int shown = notebook->PageIndex();
            for (int i = 0; i < notebook->PageCount(); ++i) {
                if (i == shown) continue;
                notebook->SetPageIndex(i);
                Report(state + ", notebook page " + notebook->Pages(i).Caption());
            }
            notebook->SetPageIndex(shown);
        }
    }

    // Each row left at each of its values where it has a few (a choice, which may rename a
    // label), at both ends otherwise.
    void DriveRows(TEditorPage& page) {
        for (const auto& row : page.Rows()) {
            const int span = row->Highest() - row->Lowest();
            const int step = span <= 16 ? 1 : span;
            for (int value = row->Lowest(); value <= row->Highest(); value += step) {
                row->Drive(value);
                Check(row->Name() + " at " + std::to_string(value));
            }
        }
    }

private:
    void Report(const std::string& state) {
        for (const std::string& fault : LabelFaults(page_, name_))
            if (reported_.insert(fault).second) ADD_FAILURE() << fault << "; " << state;
    }

    forms::TWinControl& page_;
    const std::string name_;
    std::set<std::string> reported_;
};

TEST_P(PageSweepTest, EveryLabelReadsClear) {
    TEditorPage& page = GetParam().open ? GetParam().open(patch, *owner)
                                        : GetParam().openPerformance(performance, *owner);
    LabelSweep sweep(page, GetParam().name);
    sweep.Check("as opened");
    sweep.DriveRows(page);
}

// The effects window's labels with each EFX type, whose controls and names the window makes.
TEST_F(SweepTest, EveryEfxTypesLabelsReadClear) {
    TFormEffect& window = OpenEffectPatch(patch, *owner);
    LabelSweep sweep(window, "Effects");
    // With the ports closed a type's controls are made at once.
    state.Midi.SetOnline(false);
    for (int type = 1; type <= window.EFXType.Items().Count(); ++type) {
        window.EFXType.SetItemIndex(type - 1);
        window.EFXType.OnChange(&window.EFXType);
        ASSERT_EQ(window.EFXNumber(), type);
        sweep.Check("EFX type " + std::to_string(type));
    }
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

TEST_P(SystemPageSweepTest, EveryControlLiesInsideItsParent) {
    TEditorPage& page = GetParam().open(system, clipboard, *owner);
    testsupport::PumpUntilIdle();
    ExpectInsideItsParent(page, GetParam().name);
}

TEST_P(SystemPageSweepTest, EveryLabelReadsClear) {
    TEditorPage& page = GetParam().open(system, clipboard, *owner);
    LabelSweep sweep(page, GetParam().name);
    sweep.Check("as opened");
    sweep.DriveRows(page);
}

INSTANTIATE_TEST_SUITE_P(SystemPages, SystemPageSweepTest, ::testing::ValuesIn(sweptSystemPages),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace editors::test
