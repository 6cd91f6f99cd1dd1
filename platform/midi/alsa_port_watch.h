#pragma once
// The ALSA sequencer's ports as they come and go: a client of its own listens at the system's
// announce port and tells, on a thread of its own, whenever a port starts or exits, so that a
// connection to a port of a chosen name can be made again when that port comes back (the
// sequencer drops a subscription whose port exits, and a port that starts again is a new one).

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform::midi {

struct AlsaAddress {
    int Client = 0;
    // -1 for every port of the client.
    int Port = 0;
    bool operator==(const AlsaAddress&) const = default;
};

class AlsaPortWatch {
public:
    // A port started, or exited (with its client, when Port is -1).
    using Change = std::function<void(AlsaAddress port, bool started)>;

    // Null when the sequencer cannot be opened. changed runs on the watch's thread, in the order
    // the sequencer announced.
    static std::unique_ptr<AlsaPortWatch> Start(Change changed);
    // Once it returns, changed is not running and will not be called again.
    ~AlsaPortWatch();
    AlsaPortWatch(const AlsaPortWatch&) = delete;
    AlsaPortWatch& operator=(const AlsaPortWatch&) = delete;

    // The port whose client and port names, as "client:port", are name; none when there is none.
    std::optional<AlsaAddress> Find(const std::string& name) const;

    struct Parts;
    explicit AlsaPortWatch(std::unique_ptr<Parts> parts);

private:
    std::unique_ptr<Parts> parts_;
};

} // namespace platform::midi
