#include "editors/tone_page.h"

#include "model/transfer/activation.h"

#include <memory>
#include <utility>

namespace editors {

TTonePage::TTonePage(forms::TComponent* owner, model::TPatch& patch, int tone,
                     model::TTonePage kind, int helpContext, std::string pageName)
    : TEditorPage(owner, patch,
                  std::make_unique<TRecordOf<model::TTone>>(
                      patch.Tone(tone), patch.Tone(tone).Pages.at(static_cast<std::size_t>(kind))),
                  helpContext),
      patch_(patch), tone_(tone), pageName_(std::move(pageName)) {}

std::string TTonePage::CaptionText() const {
    return " [" + pageName_ + "] [Tone " + std::to_string(tone_) + "] [Loc : ";
}

void TTonePage::ActivateElem() {
    model::ActivatePatch(&patch_);
}

} // namespace editors
