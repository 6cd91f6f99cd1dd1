#pragma once
// Uniform random integers for the random generation of patches. The window draws from one
// source; tests put in a seeded or scripted one so that a bank comes out the same every run.

#include <cstdint>
#include <random>

namespace app {

class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    // A uniform integer 0..Range-1; Range is at least 1.
    virtual int Random(int Range) = 0;
    // Starts a fresh sequence, as the window does before each bank.
    virtual void Randomize() = 0;
};

// The program's source: a fixed seed's sequence until Randomize reseeds it from the platform
// clock.
class TClockRandom final : public TRandomSource {
public:
    explicit TClockRandom(std::uint32_t Seed = 0) : engine_(Seed) {}

    int Random(int Range) override;
    void Randomize() override;

private:
    std::mt19937 engine_;
};

} // namespace app
