#pragma once
// A JACK server of the run's own on the dummy driver, as testsupport's JackServer starts one but
// with the period chosen, so that the real-time figures can be set against the server's period.
// Put in force for this process and its children while it lives.

#include "testsupport/child_process.h"

#include <jack/jack.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace bench {

class DummyJack {
public:
    static constexpr int SampleRate = 48000;

    // Null, with the reason in whyNot, when no server took clients within a few seconds.
    static std::unique_ptr<DummyJack> Start(int periodFrames, std::string& whyNot) {
        jack_set_error_function(&Quiet);
        jack_set_info_function(&Quiet);
        static int serial = 0;
        std::string name =
            "quintaron-bench-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        auto server = std::unique_ptr<DummyJack>(new DummyJack(name, periodFrames));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            if (!server->process_.Running()) {
                whyNot = "jackd -d dummy did not start (is jackd2 installed?)";
                return nullptr;
            }
            if (TakesClients(name)) {
                ::setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
                return server;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        whyNot = "jackd -d dummy took no clients within 5 s";
        return nullptr;
    }
    ~DummyJack() {
        process_.Stop();
        ::unsetenv("JACK_DEFAULT_SERVER");
        if (!keepLog_) std::remove(log_.c_str());
    }
    DummyJack(const DummyJack&) = delete;
    DummyJack& operator=(const DummyJack&) = delete;

    const std::string& Name() const { return name_; }
    double PeriodMs() const { return 1000.0 * period_ / SampleRate; }
    // The server's log stays behind for a look at what went wrong; returns its path.
    const std::string& KeepLog() {
        keepLog_ = true;
        return log_;
    }
    // Cycles that some client did not finish in time, as the server logged them so far; MIDI of
    // such a cycle may be lost.
    int Xruns() const {
        std::ifstream in(log_);
        int count = 0;
        for (std::string line; std::getline(in, line);)
            count += line.find("JackEngine::XRun") != std::string::npos;
        return count;
    }

private:
    DummyJack(std::string name, int period)
        : name_(std::move(name)), period_(period), log_("/tmp/" + name_ + ".log"),
          process_({"jackd", "--no-realtime", "--name", name_, "-d", "dummy", "-r",
                    std::to_string(SampleRate), "-p", std::to_string(period)},
                   log_) {}

    static void Quiet(const char*) {}
    static bool TakesClients(const std::string& name) {
        jack_status_t status{};
        jack_client_t* client = jack_client_open(
            "quintaron-bench-probe",
            static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status, name.c_str());
        if (!client) return false;
        jack_client_close(client);
        return true;
    }

    std::string name_;
    int period_;
    std::string log_;
    bool keepLog_ = false;
    testsupport::ChildProcess process_;
};

} // namespace bench
