#include "editors/page_panel.h"

#include "platform/gdi/colors.h"

namespace editors {

bool TPagePanelOf::Highlighted() const {
    return panel_.Color() == platform::gdi::clAqua;
}

void TPagePanelOf::SetHighlighted(bool highlighted) {
    panel_.SetColor(highlighted ? platform::gdi::clAqua : platform::gdi::clBtnFace);
}

} // namespace editors
