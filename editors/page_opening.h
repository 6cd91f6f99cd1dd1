#pragma once
// How a page's window is opened, as every opener does it: the window the record's slot has open
// comes to the front; else the opener sets the page unit's variables, makes the page with owner
// as its owner and shows it. The page's constructor takes the variables back; a page made
// without an opener finds them unset.

#include "editors/editor_page.h"
#include "model/editing/editor_view.h"
#include "model/elements/patch.h"

#include <cassert>

namespace editors {

// setVariables sets Page's unit variables; it runs only when the page is made.
template <class Page, class SetVariables>
Page& OpenPageWindow(model::TEditorSlot& slot, forms::TComponent& owner,
                     SetVariables setVariables) {
    if (slot.Open && slot.Window != nullptr) {
        auto* view = dynamic_cast<TPageView*>(slot.Window);
        assert(view != nullptr);
        slot.Window->BringToFront();
        return static_cast<Page&>(view->Page());
    }
    setVariables();
    Page& page = owner.Own<Page>();
    page.AfterConstruction();
    page.Show();
    return page;
}

// The patch the opener set in the page unit's variable PagePatch.
inline model::TPatch& TakePagePatch(model::TPatch* pagePatch) {
    assert(pagePatch != nullptr && "the opener sets PagePatch first");
    return *pagePatch;
}

} // namespace editors
