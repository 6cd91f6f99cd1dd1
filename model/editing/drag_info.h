#pragma once
// What is being dragged: library elements between librarian windows, or parameter pages
// between element windows, where they are copied.

#include "model/editing/page_kinds.h"
#include "model/editing/page_panels.h"
#include "platform/core/object.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace model {

class TLibElem;
class TLibrary;
class TBank;

class TDragElem : public platform::core::TObject {
public:
    // The dragged element, for element drags.
    TLibElem* Elem = nullptr;
    // The dragged page and its panel's Tag (tone or part), for page drags.
    TPageKind Kind = 0;
    std::int32_t Tag = 0;
};

class TDragInfo : public platform::core::TObject {
public:
    // The kind the panel's name gives (its first known prefix, compared in upper case); none
    // for a name with no such prefix.
    static std::optional<TPageKind> PageKindOf(std::string_view panelName);
    static std::optional<TPageKind> PageKindOf(const TPagePanel& panel);

    void Clear();
    // One entry per selected element of the library that its window shows (shown: every element
    // when not given).
    void BuildFromLibrary(TLibrary& library,
                          const std::function<bool(const TLibElem&)>& shown = {});
    // One entry per selected element of the bank.
    void BuildFromBank(TBank& bank);
    // As BuildFromBank, leaving out card elements while no data card is installed.
    void BuildFromBankFiltered(TBank& bank);
    // One entry per highlighted page panel of the form, in control order.
    void BuildFromPanels(TPageForm& form);
    bool HasKind(TPageKind kind) const;
    // Highlights the form's page panels of that kind whose Tag is tag (tag 0: any Tag).
    static void HighlightTargets(TPageForm& form, TPageKind kind, std::int32_t tag);

    platform::core::TObject* Source = nullptr;
    platform::core::TObject* Target = nullptr;
    std::vector<TDragElem> Elems;
    bool Accept = false;
};

// Left-button mouse-down on a page or group panel of an element window. A click on the group
// panel (its name contains groupName) selects the group's pages; a Ctrl-click adds the page to
// the selection within its group; a plain click selects the page unless it is selected already,
// and starts a page drag that fills info. A panel named otherName does neither.
void PanelMouseDown(TDragInfo& info, TPageForm& form, TPagePanel& panel, bool ctrl,
                    std::string_view groupName, std::string_view otherName);
void UnhighlightPanels(TPageForm& form);

} // namespace model
