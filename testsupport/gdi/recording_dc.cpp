#include "testsupport/gdi/recording_dc.h"

#include "platform/gdi/call_trace.h"

#include <memory>
#include <utility>

namespace testsupport {

namespace gdi = platform::gdi;

namespace {

// The context's sink; its list lives as long as the context keeps the sink.
struct Recorder {
    std::shared_ptr<std::vector<std::string>> calls = std::make_shared<std::vector<std::string>>();
    void operator()(const std::string& call) const { calls->push_back(call); }
};

std::shared_ptr<std::vector<std::string>> CallsOf(gdi::HDC dc) {
    gdi::DCCallSink sink = gdi::GetDCCallSink(dc);
    const Recorder* recorder = sink.target<Recorder>();
    return recorder ? recorder->calls : nullptr;
}

} // namespace

gdi::HDC CreateRecordingDC() {
    gdi::HDC dc = gdi::CreateCompatibleDC(gdi::NullDC);
    gdi::SetDCCallSink(dc, Recorder{});
    return dc;
}

std::vector<std::string> RecordedCalls(gdi::HDC dc) {
    auto calls = CallsOf(dc);
    return calls ? *calls : std::vector<std::string>{};
}

void ClearRecordedCalls(gdi::HDC dc) {
    if (auto calls = CallsOf(dc)) calls->clear();
}

} // namespace testsupport
