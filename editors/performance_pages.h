#pragma once
// The pages the performance window opens on a double-click, one entry each: the page kind of
// the panel that opens it and how it opens. A page joins the window with its one entry in
// performance_pages.cpp; a kind without an entry opens nothing yet.

#include "model/editing/page_kinds.h"
#include "platform/forms/forms.h"

#include <span>

namespace model {
class TPerformance;
}

namespace editors {

// Opens the page of performance with owner as its owner, or brings its open window to the
// front.
using TOpenPerformancePage = void (*)(model::TPerformance& performance,
                                      platform::forms::TComponent& owner);

struct TPerformancePageEntry {
    model::TPageKind Kind;
    TOpenPerformancePage Open;
};

std::span<const TPerformancePageEntry> PerformancePages();
// False when no page of that kind exists.
bool OpenPerformancePage(model::TPageKind kind, model::TPerformance& performance,
                         platform::forms::TComponent& owner);

} // namespace editors
