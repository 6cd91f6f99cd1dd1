#include "platform/midi/midi_backend.h"

#include "platform/midi/rtmidi_backend.h"

#include <atomic>
#include <map>
#include <set>

namespace platform::midi {

namespace {

std::atomic<MidiBackend*> overridden{nullptr};

} // namespace

MidiBackend& CurrentBackend() {
    if (MidiBackend* backend = overridden.load()) return *backend;
    static RtMidiBackend system;
    return system;
}

BackendOverride::BackendOverride(MidiBackend& backend) : previous_(overridden.exchange(&backend)) {}

BackendOverride::~BackendOverride() {
    overridden.store(previous_);
}

std::vector<std::string> UniqueProductNames(const std::vector<std::string>& names) {
    std::set<std::string> taken(names.begin(), names.end());
    std::map<std::string, int> seen;
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const auto& name : names) {
        int& count = ++seen[name];
        if (count == 1) {
            result.push_back(name);
            continue;
        }
        // A port may itself be called "X #2"; skip numbers that are already someone's name.
        std::string candidate = name + " #" + std::to_string(count);
        while (taken.count(candidate))
            candidate = name + " #" + std::to_string(++count);
        taken.insert(candidate);
        result.push_back(candidate);
    }
    return result;
}

} // namespace platform::midi
