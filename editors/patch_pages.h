#pragma once
// The pages the patch window opens on a double-click, one entry each: the page kind of the
// panels that open it and how it opens (OpenTonePage for a tone page; the LFO pages also say
// which LFO, the common page takes no tone). A page joins the window with its one entry in
// patch_pages.cpp; a kind without an entry opens nothing yet.

#include "model/editing/page_kinds.h"
#include "platform/forms/forms.h"

#include <span>

namespace model {
class TPatch;
}

namespace editors {

// Opens the page for tone of patch with owner as its owner, or brings its open window to the
// front.
using TOpenPatchPage = void (*)(model::TPatch& patch, int tone, platform::forms::TComponent& owner);

struct TPatchPageEntry {
    model::TPageKind Kind;
    TOpenPatchPage Open;
};

std::span<const TPatchPageEntry> PatchPages();
// False when no page of that kind exists.
bool OpenPatchPage(model::TPageKind kind, model::TPatch& patch, int tone,
                   platform::forms::TComponent& owner);

} // namespace editors
