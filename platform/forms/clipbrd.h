#pragma once
// The class library's clipboard object, for text, and the platform's beep.

#include "platform/core/object.h"

#include <string>

namespace platform::forms {

class TClipboard : public core::TObject {
public:
    // 8-bit text; empty when the clipboard holds none.
    std::string AsText() const;
    void SetAsText(const std::string& text);
    bool HasText() const;
    void Clear();
};

TClipboard& Clipboard();

// The platform's warning sound; tests read how many there were.
bool MessageBeep(unsigned type);
int MessageBeepCount();

} // namespace platform::forms
