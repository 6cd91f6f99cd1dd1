// The input handler guard: what waited before is dropped, its handler takes the input while it
// is installed, and the default handler is back once it ends, by End or by going out of scope,
// but never over a handler it did not install.

#include "model/tests/transfer_window_fake.h"
#include "model/transfer/input_guard.h"
#include "model/transfer/transfer.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace model {
namespace {

using Bytes = std::vector<std::uint8_t>;

class InputGuardTest : public fakes::InstrumentFixture {
protected:
    void FromInstrument(const Bytes& message) {
        instrument().Transmit(message);
        Run(5);
    }
    const Bytes note{0x90, 0x3C, 0x40};
    int guarded = 0;
};

TEST_F(InputGuardTest, InstallDropsWhatWaitedAndTakesTheInputUntilEnd) {
    TInputHandlerGuard guard;
    RemoveInputHandler();
    instrument().Transmit(note);
    Run(5);
    guard.Install([this] {
        ++guarded;
        DrainInput();
    });
    EXPECT_TRUE(guard.Installed());
    Run(5);
    EXPECT_EQ(guarded, 0) << "what waited before the guard was dropped";
    FromInstrument(note);
    EXPECT_EQ(guarded, 1);
    EXPECT_TRUE(defaultInput.empty());

    guard.End();
    EXPECT_FALSE(guard.Installed());
    FromInstrument(note);
    EXPECT_EQ(guarded, 1);
    EXPECT_EQ(defaultInput, std::vector<Bytes>{note});
}

TEST_F(InputGuardTest, GoingOutOfScopeGivesTheInputBack) {
    {
        std::optional<TInputHandlerGuard> guard;
        guard.emplace();
        guard->Install([this] {
            ++guarded;
            DrainInput();
        });
    }
    FromInstrument(note);
    EXPECT_EQ(guarded, 0);
    EXPECT_EQ(defaultInput, std::vector<Bytes>{note});
}

TEST_F(InputGuardTest, AGuardThatEndedLeavesAnotherHandlerAlone) {
    TInputHandlerGuard guard;
    guard.Install([] { DrainInput(); });
    guard.End();
    InstallInputHandler([this] {
        ++guarded;
        DrainInput();
    });
    guard.End();
    FromInstrument(note);
    EXPECT_EQ(guarded, 1);
    EXPECT_TRUE(defaultInput.empty());
}

} // namespace
} // namespace model
