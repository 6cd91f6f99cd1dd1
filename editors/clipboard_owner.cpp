#include "editors/clipboard_owner.h"

#include "platform/forms/application.h"
#include "platform/forms/forms.h"

namespace editors {

model::TClipboard* PartClipboard() {
    auto* owner = dynamic_cast<TClipboardOwner*>(platform::forms::Application().MainForm());
    return owner != nullptr ? &owner->Clipboard() : nullptr;
}

} // namespace editors
