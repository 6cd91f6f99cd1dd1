#include "editors/rhythm_names.h"

#include "midi/midi_event.h"
#include "model/elements/patch.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/sysex/address_map.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer.h"
#include "platform/core/timer.h"

#include <span>

namespace editors {

namespace {

constexpr std::size_t NameLength = 12;
constexpr const char* DefaultNames[] = {"User 01", "User 02", "Data Card 01", "Data Card 02"};

} // namespace

TRhythmNameFetch::TRhythmNameFetch() : timer_(std::make_unique<platform::core::TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    for (int set = 0; set < SetCount; ++set)
        names_[static_cast<std::size_t>(set)] = DefaultNames[set];
}

TRhythmNameFetch::~TRhythmNameFetch() {
    model::StopTimer(*timer_);
}

std::uint32_t TRhythmNameFetch::Address(int set) {
    const std::uint32_t base = set < 2 ? model::RhythmUserBase : model::RhythmCardBase;
    return base + static_cast<std::uint32_t>(set % 2) * model::ElementStep;
}

void TRhythmNameFetch::Receive() {
    for (int set = 0; set < SetCount; ++set)
        names_[static_cast<std::size_t>(set)] = DefaultNames[set];
    if (!model::MidiOnline()) return;
    model::StopTimer(*timer_);
    replies_ = 0;
    answered_ = {};
    const model::TQuintaron* app = model::AppState();
    expected_ = app != nullptr && app->Config.DataCardInstalled ? 4 : 2;
    guard_.reset();
    guard_ = std::make_unique<model::TInputHandlerGuard>();
    guard_->Install([this] { OnSysExMidiInput(); });
    for (int set = 0; set < expected_; ++set)
        model::SendRQ1(Address(set), 0, 0, model::RhythmCommonRequestSize);
    model::StartTimer(*timer_, TimeoutMs, [this] { Timer1Timer(); });
}

int TRhythmNameFetch::AnsweredSet(const midi::TMyMidiEvent& event) const {
    for (int set = 0; set < expected_; ++set) {
        if (answered_[static_cast<std::size_t>(set)]) continue;
        if (model::IsReplyFor(event, Address(set), model::MessageLength(NameLength)) &&
            model::ReplyIsSound(event))
            return set;
    }
    return -1;
}

void TRhythmNameFetch::OnSysExMidiInput() {
    bool taken = false;
    while (Waiting()) {
        const std::unique_ptr<midi::TMyMidiEvent> event = model::ReadInputEvent();
        if (!event) break;
        const int set = AnsweredSet(*event);
        if (set < 0) continue;
        const auto name = std::span(event->Sysex).subspan(model::SysExHeaderLength, NameLength);
        names_[static_cast<std::size_t>(set)] = model::NameFromData(name);
        answered_[static_cast<std::size_t>(set)] = true;
        taken = true;
        if (++replies_ == expected_) EndWait();
    }
    // Only a reply gives the instrument another second.
    if (taken && Waiting()) model::StartTimer(*timer_, TimeoutMs, [this] { Timer1Timer(); });
}

void TRhythmNameFetch::EndWait() {
    model::StopTimer(*timer_);
    guard_.reset();
}

void TRhythmNameFetch::Timer1Timer() {
    EndWait();
    const model::TModalResult answer = model::MessageDlg(
        InstrumentSilentText, model::TMsgDlgType::mtInformation, model::mbOK | model::mbRetry);
    if (answer == model::mrRetry) Receive();
}

} // namespace editors
