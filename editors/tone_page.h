#pragma once
// What the pages of one tone of a patch share beyond the engine: the tone's record and its slot
// for the page's kind, the caption " [Name] [Tone n] [Loc : path]", and activation sending the
// patch to the edit buffer. OpenTonePage opens a page as the patch window's double-click does.

#include "editors/editor_page.h"
#include "editors/page_opening.h"
#include "model/elements/patch.h"

#include <string>

namespace editors {

class TTonePage : public TEditorPage {
public:
    // pageName: "Pitch", "Wave", ...; kind: where the tone keeps the page's window.
    TTonePage(forms::TComponent* owner, model::TPatch& patch, int tone, model::TTonePage kind,
              int helpContext, std::string pageName);

    model::TPatch& Patch() const { return patch_; }
    int Tone() const { return tone_; }

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;

private:
    model::TPatch& patch_;
    int tone_;
    std::string pageName_;
};

// Page's window of the tone: brought to the front when the tone's record has it open, else made
// with owner as its owner after Page's unit variables (PagePatch, PageTone) were set, and shown.
template <class Page> Page& OpenTonePage(model::TPatch& patch, int tone, forms::TComponent& owner) {
    return OpenPageWindow<Page>(patch.Tone(tone).Pages.at(Page::Kind), owner, [&patch, tone] {
        Page::PagePatch = &patch;
        Page::PageTone = tone;
    });
}

} // namespace editors
