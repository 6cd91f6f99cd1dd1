#include "platform/midi/alsa_port_watch.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace platform::midi {

struct AlsaPortWatch::Parts {
    snd_seq_t* seq = nullptr;
    // Written to stop the thread.
    int stop = -1;
    Change changed;
    std::thread thread;
    // The sequencer handle is not for two threads at once.
    mutable std::mutex asking;

    ~Parts() {
        if (thread.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t written = write(stop, &one, sizeof one);
            thread.join();
        }
        if (stop >= 0) close(stop);
        if (seq) snd_seq_close(seq);
    }

    void Listen() {
        std::vector<pollfd> fds;
        {
            std::lock_guard lock(asking);
            const int count = snd_seq_poll_descriptors_count(seq, POLLIN);
            fds.resize(static_cast<std::size_t>(count) + 1);
            snd_seq_poll_descriptors(seq, fds.data() + 1, static_cast<unsigned>(count), POLLIN);
        }
        fds[0] = pollfd{stop, POLLIN, 0};
        for (;;) {
            if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
            if (fds[0].revents & POLLIN) return;
            std::vector<std::pair<AlsaAddress, bool>> changes;
            {
                std::lock_guard lock(asking);
                snd_seq_event_t* event = nullptr;
                while (snd_seq_event_input(seq, &event) >= 0 && event) {
                    const snd_seq_addr_t& at = event->data.addr;
                    if (event->type == SND_SEQ_EVENT_PORT_START)
                        changes.emplace_back(AlsaAddress{at.client, at.port}, true);
                    else if (event->type == SND_SEQ_EVENT_PORT_EXIT)
                        changes.emplace_back(AlsaAddress{at.client, at.port}, false);
                    else if (event->type == SND_SEQ_EVENT_CLIENT_EXIT)
                        changes.emplace_back(AlsaAddress{at.client, -1}, false);
                    if (snd_seq_event_input_pending(seq, 0) == 0) break;
                }
            }
            // Told outside the lock: the one told may ask Find.
            for (const auto& [port, started] : changes)
                changed(port, started);
        }
    }
};

AlsaPortWatch::AlsaPortWatch(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

AlsaPortWatch::~AlsaPortWatch() = default;

std::unique_ptr<AlsaPortWatch> AlsaPortWatch::Start(Change changed) {
    auto parts = std::make_unique<Parts>();
    parts->changed = std::move(changed);
    if (snd_seq_open(&parts->seq, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0) {
        parts->seq = nullptr;
        return nullptr;
    }
    // Named as the program's own ports are, so that the lists leave it out; it offers nothing to
    // subscribe to.
    snd_seq_set_client_name(parts->seq, "Quintaron");
    const int port = snd_seq_create_simple_port(parts->seq, "Watch",
                                                SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                                SND_SEQ_PORT_TYPE_APPLICATION);
    parts->stop = eventfd(0, EFD_CLOEXEC);
    if (port < 0 || parts->stop < 0 ||
        snd_seq_connect_from(parts->seq, port, SND_SEQ_CLIENT_SYSTEM,
                             SND_SEQ_PORT_SYSTEM_ANNOUNCE) < 0)
        return nullptr;
    Parts* listening = parts.get();
    parts->thread = std::thread([listening] { listening->Listen(); });
    return std::make_unique<AlsaPortWatch>(std::move(parts));
}

std::optional<AlsaAddress> AlsaPortWatch::Find(const std::string& name) const {
    std::lock_guard lock(parts_->asking);
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(parts_->seq, client) >= 0) {
        const int number = snd_seq_client_info_get_client(client);
        const std::string clientName = snd_seq_client_info_get_name(client);
        snd_seq_port_info_set_client(port, number);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(parts_->seq, port) >= 0) {
            if (clientName + ":" + snd_seq_port_info_get_name(port) == name)
                return AlsaAddress{number, snd_seq_port_info_get_port(port)};
        }
    }
    return std::nullopt;
}

} // namespace platform::midi
