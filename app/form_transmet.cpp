#include "app/form_transmet.h"

#include "model/transfer/transfer.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

namespace app {

namespace {

// Labels size themselves to their text.
forms::TLabel& CountLabel(forms::TComponent& owner, forms::TWinControl& parent, int left, int top,
                          const std::string& caption = {}) {
    return forms::PlaceControl<forms::TLabel>(owner, parent, left, top, 40, 13, caption);
}

constexpr int WideGroup = 256;
constexpr int NarrowGroup = 120;

} // namespace

TFormTransmet::TFormTransmet(forms::TComponent* owner)
    : TForm(owner), panel(forms::PlaceControl<forms::TPanel>(*this, *this, 0, 0, 272, 256)),
      Panel1(forms::PlaceControl<forms::TPanel>(*this, panel, 8, 168, WideGroup, 28)),
      Gauge(forms::PlaceControl<forms::TGauge>(*this, Panel1, 4, 4, WideGroup - 8, 20)),
      Panel3(forms::PlaceControl<forms::TPanel>(*this, panel, 8, 204, WideGroup, 44)),
      BitBtn1(forms::PlaceControl<forms::TBitBtn>(*this, Panel3, 90, 9, 75, 25)),
      GroupBox1(
          forms::PlaceControl<forms::TGroupBox>(*this, panel, 8, 96, NarrowGroup, 64, "Send")),
      GroupBox2(
          forms::PlaceControl<forms::TGroupBox>(*this, panel, 144, 96, NarrowGroup, 64, "Receive")),
      LabelByteSended(CountLabel(*this, GroupBox1, 72, 20)),
      LabelMessageSended(CountLabel(*this, GroupBox1, 72, 40)),
      LabelBytereceived(CountLabel(*this, GroupBox2, 72, 20)),
      LabelMessageReceived(CountLabel(*this, GroupBox2, 72, 40)),
      Label1(CountLabel(*this, GroupBox1, 8, 20, "Bytes :")),
      Label5(CountLabel(*this, GroupBox2, 8, 20, "Bytes :")),
      Label2(CountLabel(*this, GroupBox1, 8, 40, "Message :")),
      Label6(CountLabel(*this, GroupBox2, 8, 40, "Message :")),
      GroupBox3(forms::PlaceControl<forms::TGroupBox>(*this, panel, 8, 8, WideGroup, 40)),
      LabelReceiving(CountLabel(*this, GroupBox3, 8, 16)),
      GroupBox4(forms::PlaceControl<forms::TGroupBox>(*this, panel, 8, 52, WideGroup, 40)),
      LabelElem(CountLabel(*this, GroupBox4, 8, 16)),
      LabelElemNum(CountLabel(*this, GroupBox4, 8, 16)), timer_(Own<platform::core::TTimer>()),
      timerCleanup_(Own<platform::core::TTimer>()) {
    SetBorderStyle(forms::bsDialog);
    Position = forms::poScreenCenter;
    SetClientWidth(272);
    SetClientHeight(256);
    Gauge.ForeColor = platform::gdi::clAqua;
    BitBtn1.SetKind(forms::bkCancel);
    timer_.SetEnabled(false);
    timerCleanup_.SetEnabled(false);

    OnShow = [this](forms::TObject* sender) { FormShow(sender); };
    OnActivate = [this](forms::TObject* sender) { FormActivate(sender); };
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
    BitBtn1.OnClick = [this](forms::TObject* sender) { BitBtn1Click(sender); };
}

void TFormTransmet::Start(int startNumber, int totalMessages, const std::string& elemLabel,
                          const std::string& operation) {
    progress_.Start(startNumber, totalMessages);
    AddSended(0, 0);
    AddReceived(0, 0);
    GroupBox1.SetWidth(NarrowGroup);
    GroupBox2.Show();
    LabelReceiving.SetCaption(operation);
    LabelElem.SetCaption(elemLabel + " : ");
    LabelElemNum.SetLeft(LabelElem.Left() + LabelElem.Width());
    LabelElemNum.SetCaption("");
    Repaint();
    done_ = false;
}

void TFormTransmet::SetTransmetting() {
    GroupBox1.SetWidth(GroupBox3.Width());
    GroupBox2.Hide();
    progress_.SetTransmetting();
}

void TFormTransmet::AddSended(int bytes, int messages) {
    if (progress_.MessagesSended() == 0) GroupBox1.Repaint();
    progress_.AddSended(bytes, messages);
    LabelByteSended.SetCaption(std::to_string(progress_.BytesSended()));
    LabelMessageSended.SetCaption(std::to_string(progress_.MessagesSended()));
    if (progress_.Transmitting()) ShowPosition();
    // The dialog's loop may be busy with MIDI traffic for a while.
    LabelByteSended.Repaint();
    LabelMessageSended.Repaint();
}

void TFormTransmet::AddReceived(int bytes, int messages) {
    if (progress_.MessagesReceived() == 0) GroupBox2.Repaint();
    progress_.AddReceived(bytes, messages);
    LabelBytereceived.SetCaption(std::to_string(progress_.BytesReceived()));
    LabelMessageReceived.SetCaption(std::to_string(progress_.MessagesReceived()));
    if (!progress_.Transmitting()) ShowPosition();
    LabelBytereceived.Repaint();
    LabelMessageReceived.Repaint();
}

void TFormTransmet::AddElem(int n) {
    progress_.AddElem(n);
    LabelElemNum.SetCaption(std::to_string(progress_.Elems()));
    LabelElemNum.Repaint();
}

void TFormTransmet::ShowPosition() {
    if (progress_.TotalMessages() <= 0) return;
    Gauge.SetProgress(progress_.Position());
    Gauge.Repaint();
}

void TFormTransmet::Close() {
    StopTimers();
    forms::TForm::Close();
}

void TFormTransmet::StopTimers() {
    timer_.SetEnabled(false);
    // A re-request after the window closed would start the transfer again.
    timerCleanup_.SetEnabled(false);
}

void TFormTransmet::FormShow(forms::TObject*) {
    SetCaption(progress_.Transmitting() ? "Transmitting" : "Receiving");
}

void TFormTransmet::FormActivate(forms::TObject*) {
    Repaint();
}

void TFormTransmet::FormClose(forms::TObject*, forms::TCloseAction&) {
    StopTimers();
    model::InstallDefaultInputHandler();
}

void TFormTransmet::BitBtn1Click(forms::TObject*) {
    Close();
}

} // namespace app
