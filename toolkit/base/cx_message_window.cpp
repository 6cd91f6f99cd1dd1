#include "toolkit/base/cx_message_window.h"

namespace toolkit::base {

TcxMessageWindow::TcxMessageWindow()
    : FHandle(platform::core::AllocateHWnd(
          [this](platform::core::TMessage& Message) { WndProc(Message); })) {}

TcxMessageWindow::~TcxMessageWindow() {
    platform::core::DeallocateHWnd(FHandle);
}

void TcxMessageWindow::WndProc(platform::core::TMessage& Message) {
    Message.Result = 0;
}

} // namespace toolkit::base
