#pragma once
// The system clipboard, for text: open it, empty it to take it over, put data in or read it out,
// close it. Text is 8-bit (Windows-1252) on our side and goes to the desktop's clipboard as
// Unicode. Without a running Qt (a tool, a test without one) the clipboard is the process's own.
// UI thread only.

#include "platform/win/messages.h"

#include <optional>
#include <string>

namespace platform::win {

// The formats the clipboard holds: text only.
inline constexpr UINT CF_TEXT = 1;

// FALSE while the clipboard is open already.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Drops what the clipboard holds; the clipboard must be open.
BOOL EmptyClipboard();
// The data in a format; nothing when the clipboard is not open or holds no data of that format.
std::optional<std::string> GetClipboardData(UINT format);
// FALSE when the clipboard is not open or the format is not one it holds.
BOOL SetClipboardData(UINT format, const std::string& data);
BOOL IsClipboardFormatAvailable(UINT format);

} // namespace platform::win
