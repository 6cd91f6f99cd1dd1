#pragma once
// A JACK server of the run's own on the dummy driver, testsupport's JackServer (so that it takes
// one of the slots the test suite's servers share and never meets a run of the tests) with the
// period and rate chosen, so that the real-time figures can be set against the server's period.
// Put in force for this process and its children while it lives.

#include "testsupport/jack_server.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

namespace bench {

class DummyJack {
public:
    static constexpr int SampleRate = 48000;

    // Null, with the reason in whyNot, when no server took clients within a few seconds.
    static std::unique_ptr<DummyJack> Start(int periodFrames, std::string& whyNot) {
        testsupport::JackServerOptions options;
        options.PeriodFrames = periodFrames;
        options.SampleRate = SampleRate;
        // The benchmark measures the server as a user runs it.
        options.Synchronous = false;
        auto server = testsupport::JackServer::Start(whyNot, options);
        if (!server) return nullptr;
        return std::unique_ptr<DummyJack>(new DummyJack(std::move(server), periodFrames));
    }
    DummyJack(const DummyJack&) = delete;
    DummyJack& operator=(const DummyJack&) = delete;

    const std::string& Name() const { return server_->Name(); }
    double PeriodMs() const { return 1000.0 * period_ / SampleRate; }
    // A copy of the server's log that stays behind for a look at what went wrong; its path.
    std::string KeepLog() const {
        const std::string kept =
            (std::filesystem::temp_directory_path() / (Name() + ".log")).string();
        std::error_code error;
        std::filesystem::copy_file(server_->LogFile(), kept,
                                   std::filesystem::copy_options::overwrite_existing, error);
        return kept;
    }
    // Cycles that some client did not finish in time, as the server logged them so far; MIDI of
    // such a cycle may be lost.
    int Xruns() const {
        std::ifstream in(server_->LogFile());
        int count = 0;
        for (std::string line; std::getline(in, line);)
            count += line.find("JackEngine::XRun") != std::string::npos;
        return count;
    }

private:
    DummyJack(std::unique_ptr<testsupport::JackServer> server, int period)
        : server_(std::move(server)), period_(period) {}

    std::unique_ptr<testsupport::JackServer> server_;
    int period_;
};

} // namespace bench
