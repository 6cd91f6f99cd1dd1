#pragma once
// The program's part clipboard as the pages see it. The main window owns the one clipboard and
// offers it through this interface; a page finds it through the application's main form. Under
// a main form that owns none, Copy and Paste have nothing to work with.

namespace model {
class TClipboard;
}

namespace editors {

class TClipboardOwner {
public:
    virtual ~TClipboardOwner() = default;
    virtual model::TClipboard& Clipboard() = 0;
};

// The main form's clipboard, or null.
model::TClipboard* PartClipboard();

} // namespace editors
