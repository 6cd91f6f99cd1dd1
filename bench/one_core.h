#pragma once
// Keeps the calling thread on the one core it runs on for the object's lifetime, so that a
// figure measured under it is a one-core figure whatever the machine has.

#include <sched.h>

namespace bench {

class OneCore {
public:
    OneCore() {
        pinned_ = sched_getaffinity(0, sizeof previous_, &previous_) == 0;
        const int cpu = sched_getcpu();
        cpu_set_t one;
        CPU_ZERO(&one);
        if (cpu >= 0) CPU_SET(cpu, &one);
        pinned_ = pinned_ && cpu >= 0 && sched_setaffinity(0, sizeof one, &one) == 0;
    }
    ~OneCore() {
        if (pinned_) sched_setaffinity(0, sizeof previous_, &previous_);
    }
    OneCore(const OneCore&) = delete;
    OneCore& operator=(const OneCore&) = delete;

    bool Pinned() const { return pinned_; }

private:
    cpu_set_t previous_{};
    bool pinned_ = false;
};

} // namespace bench
