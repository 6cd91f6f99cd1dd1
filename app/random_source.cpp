#include "app/random_source.h"

#include "platform/core/clock.h"

namespace app {

int TClockRandom::Random(int Range) {
    if (Range <= 1) return 0;
    return std::uniform_int_distribution<int>(0, Range - 1)(engine_);
}

void TClockRandom::Randomize() {
    const platform::core::Millis now = platform::core::CurrentClock().Now();
    engine_.seed(static_cast<std::uint32_t>(now ^ (now >> 32)));
}

} // namespace app
