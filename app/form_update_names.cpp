#include "app/form_update_names.h"

#include "app/form_names.h"
#include "midi/midi_event.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"
#include "model/sysex/sysex.h"
#include "model/transfer/transfer.h"
#include "platform/core/exception.h"
#include "platform/core/message_loop.h"
#include "platform/forms/place_control.h"
#include "platform/win/messages.h"

#include <cmath>

namespace app {

namespace {

TFormUpdateNames* formUpdateNames = nullptr;

// The rows of steps: the first step of each, where its elements lie, what the label says and
// the list their names go to.
struct TNameRow {
    int First;
    std::uint32_t Base;
    const char* Caption;
    model::TUserCardList List;
    bool Card;
};

constexpr TNameRow NameRows[] = {
    {0, model::PerformanceCardBase, "Now Receving Data Card Performance Names",
     model::TUserCardList::CardPerformances, true},
    {2, model::PerformanceUserBase, "Now Receving User Performance Names",
     model::TUserCardList::UserPerformances, false},
    {4, model::PatchCardBase, "Now Receving Data Card Patch Names",
     model::TUserCardList::CardPatches, true},
    {12, model::PatchUserBase, "Now Receving User Patch Names", model::TUserCardList::UserPatches,
     false},
};

const TNameRow& RowOf(int step) {
    const TNameRow* row = &NameRows[0];
    for (const TNameRow& r : NameRows)
        if (step >= r.First) row = &r;
    return *row;
}

constexpr std::size_t NameLength = 12;
// F0 id dev model 12H, four address bytes, the name, the checksum and F7.
constexpr std::size_t NameReplyLength = model::MessageLength(NameLength);
constexpr model::TRequestSize NameRequestSize{0x00, 0x00, 0x00, NameLength};
// What a card step that went silent part way through holds in place of the names not received.
const std::string BlankName(NameLength, ' ');

// A data set of this instrument that holds a name; the checksum is not looked at.
bool IsNameReply(const midi::TMyMidiEvent& event) {
    const std::vector<std::uint8_t>& m = event.Sysex;
    return m.size() >= NameReplyLength && m[0] == 0xF0 && m[1] == model::ManufacturerId &&
           m[2] == model::SysExDeviceByte() && m[3] == model::ModelId &&
           m[4] == model::SysExDataSet;
}

} // namespace

TFormUpdateNames* FormUpdateNames() {
    return formUpdateNames;
}

TFormUpdateNames::TFormUpdateNames(forms::TComponent* owner)
    : TForm(owner),
      Label1(forms::PlaceControl<forms::TLabel>(*this, *this, 16, 12, 268, 13, "Receiving")),
      Gauge1(forms::PlaceControl<forms::TGauge>(*this, *this, 16, 36, 268, 20)),
      cancelBtn(forms::PlaceControl<forms::TBitBtn>(*this, *this, 112, 68, 75, 25)),
      Timer1(Own<platform::core::TTimer>()) {
    Name = "FormUpdateNames";
    SetCaption("Updating names");
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    HelpContext = 32;
    SetClientWidth(300);
    SetClientHeight(104);
    cancelBtn.SetKind(forms::bkCancel);
    Timer1.SetEnabled(false);
    Timer1.SetInterval(TimeoutMs);
    formUpdateNames = this;

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
    cancelBtn.OnClick = [this](forms::TObject* sender) { cancelBtnClick(sender); };
    Timer1.SetOnTimer([this](forms::TObject* sender) { Timer1Timer(sender); });
}

TFormUpdateNames::~TFormUpdateNames() {
    Timer1.SetEnabled(false);
    if (formUpdateNames == this) formUpdateNames = nullptr;
}

platform::core::TStringList& TFormUpdateNames::StepList() {
    return names_.List(RowOf(step_).List);
}

void TFormUpdateNames::ShowGauge() {
    // To the nearest percent, a half to the even one (12.5 shows 12). The quotient is exact (a
    // half is a binary fraction), so the default rounding mode alone decides.
    Gauge1.SetProgress(static_cast<int>(std::lrint(messageCount_ * 100.0 / NameCount)));
    Gauge1.Repaint();
}

void TFormUpdateNames::FormShow(forms::TObject*) {
    Timer1.SetEnabled(false);
    step_ = 0;
    messageCount_ = 0;
    savedCount_ = 0;
    for (int list = 0; list < model::UserCardListCount; ++list)
        names_.List(static_cast<model::TUserCardList>(list)).Clear();
    model::RemoveInputHandler();
    Gauge1.SetProgress(0);
    running_ = true;
    SendMsg();
}

void TFormUpdateNames::SendMsg() {
    // The requests keep the program busy for most of a second: a press on Cancel made meanwhile
    // waits in the queue.
    platform::core::MSG waiting;
    if (platform::core::PeekMessage(waiting, cancelBtn.Handle(), platform::win::WM_LBUTTONDOWN,
                                    platform::win::WM_LBUTTONDOWN, platform::core::PM_NOREMOVE)) {
        Close();
        Timer1.SetEnabled(false);
        return;
    }
    if (!model::MidiOnline()) return;
    Timer1.SetEnabled(false);
    model::RemoveInputHandler();
    stepCount_ = 0;
    savedCount_ = messageCount_;
    stepStart_ = StepList().Count();
    const TNameRow& row = RowOf(step_);
    Label1.SetCaption(row.Caption);
    Label1.Repaint();
    guard_ = std::make_unique<model::TInputHandlerGuard>();
    guard_->Install([this] { OnSysExMidiInput(); });
    const int first = (step_ - row.First) * NamesPerStep;
    for (int i = 0; i < NamesPerStep; ++i)
        model::SendRQ1(row.Base + static_cast<std::uint32_t>(first + i) * model::ElementStep, 0, 0,
                       NameRequestSize);
    Timer1.SetEnabled(true);
}

void TFormUpdateNames::OnSysExMidiInput() {
    if (!model::MidiOnline()) return;
    while (running_ && guard_ != nullptr) {
        const std::unique_ptr<midi::TMyMidiEvent> event = model::ReadInputEvent();
        if (!event) break;
        // Anything but a name neither counts nor holds off the time-out.
        if (!IsNameReply(*event)) continue;
        Timer1.SetEnabled(false);
        ShowGauge();
        ++messageCount_;
        StepList().Add(std::string(event->Sysex.begin() + model::SysExHeaderLength,
                                   event->Sysex.begin() + model::SysExHeaderLength + NameLength));
        if (++stepCount_ == NamesPerStep)
            StepDone();
        else
            Timer1.SetEnabled(true);
    }
}

void TFormUpdateNames::StepDone() {
    if (step_ == StepCount - 1) {
        running_ = false;
        Save();
        if (TFormNames* lists = FormNames()) lists->Load();
        return;
    }
    ++step_;
    SendMsg();
}

void TFormUpdateNames::Timer1Timer(forms::TObject*) {
    Timer1.SetEnabled(false);
    if (!running_) return;
    if (!RowOf(step_).Card) {
        guard_.reset();
        model::RemoveInputHandler();
        const model::TModalResult answer =
            model::MessageDlg(model::NotRespondingText, model::TMsgDlgType::mtInformation,
                              model::mbOK | model::mbRetry);
        if (answer != model::mrRetry) {
            Close();
            return;
        }
        // The step starts over: what it received goes, so that no name comes twice.
        platform::core::TStringList& list = StepList();
        while (list.Count() > stepStart_)
            list.Delete(list.Count() - 1);
        messageCount_ = savedCount_;
        ShowGauge();
        SendMsg();
        return;
    }
    // No card: its names stay empty. A card that fell silent part way keeps its places.
    if (stepCount_ > 0) {
        platform::core::TStringList& list = StepList();
        while (list.Count() < stepStart_ + NamesPerStep)
            list.Add(BlankName);
    }
    messageCount_ = savedCount_ + NamesPerStep;
    ShowGauge();
    StepDone();
}

void TFormUpdateNames::Save() {
    try {
        names_.Save();
    } catch (const platform::core::Exception&) {
        Close();
        throw;
    }
    Close();
}

void TFormUpdateNames::Load() {
    names_.Load();
}

void TFormUpdateNames::cancelBtnClick(forms::TObject*) {
    Close();
}

void TFormUpdateNames::FormClose(forms::TObject*, forms::TCloseAction&) {
    running_ = false;
    Timer1.SetEnabled(false);
    guard_.reset();
    model::InstallDefaultInputHandler();
}

} // namespace app
