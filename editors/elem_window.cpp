#include "editors/elem_window.h"

namespace editors {

model::TLibElem* GetFormElem(platform::forms::TCustomForm* Form) {
    auto* window = dynamic_cast<TElemWindow*>(Form);
    return window ? window->FormElem() : nullptr;
}

} // namespace editors
