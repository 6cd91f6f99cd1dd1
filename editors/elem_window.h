#pragma once
// What a librarian or editor window edits, as the librarian asks it of any window: each window
// kind answers for itself by implementing TElemWindow.

#include "platform/forms/forms.h"

namespace model {
class TLibElem;
} // namespace model

namespace editors {

class TElemWindow {
public:
    virtual ~TElemWindow() = default;
    // A library window: its library. An element, page, bank or global window: model::TopOwner
    // of the element or record it holds (the effects window: of the patch's or the
    // performance's, after its mode).
    virtual model::TLibElem* FormElem() = 0;
};

// The element the window edits; null for a window that edits none (null included).
model::TLibElem* GetFormElem(platform::forms::TCustomForm* Form);

} // namespace editors
