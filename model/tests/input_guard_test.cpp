// The input handler owned by an operation that waits for replies: installed while the guard
// lives, the default handler back when it is restored or goes, and only once.

#include "midi/midi_input.h"
#include "model/tests/send_fixture.h"
#include "model/transfer/input_guard.h"

#include <gtest/gtest.h>

#include <optional>

namespace model::fixtures {
namespace {

class InputGuardTest : public SendFixture {
protected:
    void SetUp() override {
        SendFixture::SetUp();
        state.Midi.DefaultHandler = [this] { ++defaults; };
    }
    // What the input does with an event: its handler runs.
    void Input() {
        if (auto handler = state.Midi.Input()->OnMidiInput) handler(nullptr);
    }
    int defaults = 0;
    int waits = 0;
};

TEST_F(InputGuardTest, OwnsTheInputUntilRestoredAndThenLeavesItAlone) {
    std::optional<TInputGuard> guard;
    guard.emplace([this] { ++waits; });
    Input();
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(defaults, 0);
    guard->Restore();
    EXPECT_FALSE(guard->Installed());
    Input();
    EXPECT_EQ(defaults, 1);
    // Another handler installed since is not the guard's to take away.
    state.Midi.Input()->OnMidiInput = [this](platform::core::TObject*) { waits += 10; };
    guard.reset();
    Input();
    EXPECT_EQ(waits, 11);
    EXPECT_EQ(defaults, 1);
}

TEST_F(InputGuardTest, GoingWhileInstalledPutsTheDefaultHandlerBack) {
    {
        TInputGuard guard([this] { ++waits; });
        EXPECT_TRUE(guard.Installed());
    }
    Input();
    EXPECT_EQ(waits, 0);
    EXPECT_EQ(defaults, 1);
}

} // namespace
} // namespace model::fixtures
