#include "editors/system_page.h"

#include "model/transfer/activation.h"

#include <utility>

namespace editors {

void TSystemCommonRecord::SetParam(std::size_t n, std::uint8_t value) {
    if (n == 0 && OnPanelMode && system_.Common->GetParam(0) != value) OnPanelMode();
    system_.Common->SetParam(n, value);
}

TSystemPage::TSystemPage(forms::TComponent* owner, model::TSystem& system,
                         std::unique_ptr<TPageRecord> record, int helpContext, std::string pageName)
    : TEditorPage(owner, system, std::move(record), helpContext), system_(system),
      pageName_(std::move(pageName)) {}

std::string TSystemPage::CaptionText() const {
    return " [" + pageName_ + "] [Loc : ";
}

void TSystemPage::ActivateElem() {
    model::ActivateSystem(&system_);
}

} // namespace editors
