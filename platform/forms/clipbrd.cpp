#include "platform/forms/clipbrd.h"

#include "platform/win/message_beep.h"
#include "platform/win/system_clipboard.h"

namespace platform::forms {

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

std::string TClipboard::AsText() const {
    if (!win::OpenClipboard(win::NullHWnd)) return {};
    std::string text = win::GetClipboardData(win::CF_TEXT).value_or(std::string());
    win::CloseClipboard();
    return text;
}

void TClipboard::SetAsText(const std::string& text) {
    if (!win::OpenClipboard(win::NullHWnd)) return;
    win::EmptyClipboard();
    win::SetClipboardData(win::CF_TEXT, text);
    win::CloseClipboard();
}

bool TClipboard::HasText() const {
    return win::IsClipboardFormatAvailable(win::CF_TEXT);
}

void TClipboard::Clear() {
    if (!win::OpenClipboard(win::NullHWnd)) return;
    win::EmptyClipboard();
    win::CloseClipboard();
}

bool MessageBeep(unsigned type) {
    return win::MessageBeep(type);
}

int MessageBeepCount() {
    return win::MessageBeepCount();
}

} // namespace platform::forms
