#include "platform/win/system_clipboard.h"

#include "platform/core/text.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform::win {

namespace {

struct ClipboardState {
    bool open = false;
    // The process's own clipboard, used while there is no running Qt.
    std::string localText;
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

QClipboard* Desktop() {
    return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

std::string CurrentText() {
    if (QClipboard* desktop = Desktop()) return core::Utf8ToAnsi(desktop->text().toStdString());
    return State().localText;
}

} // namespace

BOOL OpenClipboard(HWND) {
    if (State().open) return false;
    State().open = true;
    return true;
}

BOOL CloseClipboard() {
    if (!State().open) return false;
    State().open = false;
    return true;
}

BOOL EmptyClipboard() {
    if (!State().open) return false;
    State().localText.clear();
    if (QClipboard* desktop = Desktop()) desktop->clear();
    return true;
}

std::optional<std::string> GetClipboardData(UINT format) {
    if (!State().open || format != CF_TEXT) return std::nullopt;
    std::string text = CurrentText();
    if (text.empty()) return std::nullopt;
    return text;
}

BOOL SetClipboardData(UINT format, const std::string& data) {
    if (!State().open || format != CF_TEXT) return false;
    State().localText = data;
    if (QClipboard* desktop = Desktop())
        desktop->setText(QString::fromStdString(core::AnsiToUtf8(data)));
    return true;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return format == CF_TEXT && !CurrentText().empty();
}

} // namespace platform::win
