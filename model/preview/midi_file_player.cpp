#include "model/preview/midi_file_player.h"

#include "midi/midi_output.h"
#include "model/program/quintaron.h"
#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/core/timer.h"

#include <algorithm>
#include <limits>

namespace model {

namespace {

constexpr std::uint8_t SustainController = 64;

// A name without a folder is the program folder's, which was the working folder of the
// program this one replaces.
std::string ResolvedPath(const std::string& fileName) {
    if (platform::core::IsAbsolutePath(fileName)) return fileName;
    return platform::core::IncludeTrailingPathDelimiter(platform::core::ProgramFolder()) + fileName;
}

} // namespace

TMidiFilePlayer::TMidiFilePlayer() : timer_(std::make_unique<platform::core::TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetOnTimer([this](platform::core::TObject*) { SendDue(); });
}

TMidiFilePlayer::~TMidiFilePlayer() {
    Close();
}

bool TMidiFilePlayer::Open() {
    Close();
    if (!file_.LoadFromFile(ResolvedPath(FileName))) return false;
    const int device = AppState() != nullptr ? AppState()->Config.OutPort : 0;
    try {
        auto output = std::make_unique<midi::TMidiOutput>(nullptr);
        output->SetDeviceID(device);
        if (!output->Open()) return false;
        output_ = std::move(output);
    } catch (const platform::core::Exception&) {
        return false;
    }
    return true;
}

bool TMidiFilePlayer::Play() {
    if (!IsOpen()) return false;
    Stop();
    start_ = platform::core::CurrentClock().Now();
    next_ = 0;
    playing_ = true;
    SendDue();
    return true;
}

void TMidiFilePlayer::Stop() {
    timer_->SetEnabled(false);
    playing_ = false;
    if (!output_) return;
    for (const auto& [channel, key] : sounding_)
        output_->SendShort(static_cast<std::uint8_t>(0x80 | channel), key, 0);
    sounding_.clear();
    for (std::uint8_t channel = 0; channel < sustained_.size(); ++channel) {
        if (sustained_[channel])
            output_->SendShort(static_cast<std::uint8_t>(0xB0 | channel), SustainController, 0);
        sustained_[channel] = false;
    }
}

void TMidiFilePlayer::Close() {
    Stop();
    if (output_) output_->Close();
    output_.reset();
}

bool TMidiFilePlayer::Playing() const {
    return playing_;
}

void TMidiFilePlayer::SendDue() {
    const auto& events = file_.Events();
    const platform::core::Millis elapsed = platform::core::CurrentClock().Now() - start_;
    while (playing_ && next_ < events.size() && events[next_].Time <= elapsed)
        Send(events[next_++]);
    if (!playing_) return;
    if (next_ == events.size()) {
        timer_->SetEnabled(false);
        playing_ = false;
        return;
    }
    const platform::core::Millis wait = std::min<platform::core::Millis>(
        events[next_].Time - elapsed, std::numeric_limits<std::uint32_t>::max());
    timer_->SetInterval(static_cast<std::uint32_t>(wait));
    timer_->SetEnabled(true);
}

void TMidiFilePlayer::Send(const TMidiFileEvent& event) {
    const std::vector<std::uint8_t>& message = event.Message;
    // Escaped bytes go out untouched, whatever they hold: they are never taken for a note.
    if (event.Escaped || message.front() == 0xF0) {
        if (message.size() <= std::numeric_limits<std::uint16_t>::max())
            output_->SendLong(message.data(), static_cast<std::uint16_t>(message.size()));
        return;
    }
    const std::uint8_t status = message[0];
    const std::uint8_t data1 = message[1];
    const std::uint8_t data2 = message.size() > 2 ? message[2] : 0;
    const std::uint8_t channel = status & 0x0F;
    switch (status & 0xF0) {
    case 0x90:
        if (data2 > 0) {
            sounding_.insert({channel, data1});
            break;
        }
        [[fallthrough]];
    case 0x80:
        sounding_.erase({channel, data1});
        break;
    case 0xB0:
        if (data1 == SustainController) sustained_[channel] = data2 >= 64;
        break;
    default:
        break;
    }
    output_->SendShort(status, data1, data2);
}

} // namespace model
