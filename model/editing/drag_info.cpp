#include "model/editing/drag_info.h"

#include "model/elements/bank.h"
#include "model/elements/library.h"
#include "model/program/quintaron.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace model {

namespace {

// Tested in this order: the first prefix that a name begins with wins.
constexpr std::pair<std::string_view, TPageKind> KindPrefixes[] = {
    {"WAVE", WAVE},
    {"PITCH", PITCH},
    {"LFO1", LFO1},
    {"LFO2", LFO2},
    {"CONTROL", CONTROL},
    {"TVA", TVA},
    {"TVF", TVF},
    {"COMMON", COMMON},
    {"EFFECTS", EFFECTS},
    {"PEREFF", PEREFF},
    {"PERCOM", PERCOM},
    {"PERPARTS", PERPARTS},
    {"SYSSETUP", SYSSETUP},
    {"SYSMIDI", SYSMIDI},
    {"SYSPREVIEW", SYSPREVIEW},
    {"SYSSCALETUNE", SYSSCALETUNE},
    {"RHYMAIN", RHYMAIN},
    {"RHYPITCH", RHYPITCH},
    {"RHYTVF", RHYTVF},
    {"RHYTVA", RHYTVA},
};

void AddElem(std::vector<TDragElem>& elems, TLibElem* elem) {
    TDragElem entry;
    entry.Elem = elem;
    elems.push_back(entry);
}

} // namespace

std::optional<TPageKind> TDragInfo::PageKindOf(std::string_view panelName) {
    std::string upper(panelName);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const auto& [prefix, kind] : KindPrefixes)
        if (upper.starts_with(prefix)) return kind;
    return std::nullopt;
}

std::optional<TPageKind> TDragInfo::PageKindOf(const TPagePanel& panel) {
    return PageKindOf(panel.Name());
}

void TDragInfo::Clear() {
    Elems.clear();
}

void TDragInfo::BuildFromPanels(TPageForm& form) {
    Clear();
    for (TPagePanel* panel : form.PagePanels()) {
        if (!panel->Highlighted()) continue;
        const std::optional<TPageKind> kind = PageKindOf(*panel);
        if (!kind) continue;
        TDragElem elem;
        elem.Kind = *kind;
        elem.Tag = panel->Tag();
        Elems.push_back(elem);
    }
}

void TDragInfo::BuildFromLibrary(TLibrary& library,
                                 const std::function<bool(const TLibElem&)>& shown) {
    Clear();
    for (const auto& elem : library.Elems)
        if (elem->Selected && (!shown || shown(*elem))) AddElem(Elems, elem.get());
}

void TDragInfo::BuildFromBank(TBank& bank) {
    Clear();
    for (const auto& elem : bank.Elems)
        if (elem->Selected) AddElem(Elems, elem.get());
}

void TDragInfo::BuildFromBankFiltered(TBank& bank) {
    Clear();
    const bool card = AppState() != nullptr && AppState()->Config.DataCardInstalled;
    for (const auto& elem : bank.Elems)
        if (elem->Selected && (elem->Memory || elem->Type == etSystem || card))
            AddElem(Elems, elem.get());
}

bool TDragInfo::HasKind(TPageKind kind) const {
    return std::any_of(Elems.begin(), Elems.end(),
                       [kind](const TDragElem& elem) { return elem.Kind == kind; });
}

void TDragInfo::HighlightTargets(TPageForm& form, TPageKind kind, std::int32_t tag) {
    for (TPagePanel* panel : form.PagePanels())
        if (PageKindOf(*panel) == kind && (tag == 0 || panel->Tag() == tag))
            panel->SetHighlighted(true);
}

void PanelMouseDown(TDragInfo& info, TPageForm& form, TPagePanel& panel, bool ctrl,
                    std::string_view groupName, std::string_view otherName) {
    const std::string name = panel.Name();
    if (name.find(groupName) != std::string::npos) {
        for (TPagePanel* page : form.PagePanels())
            page->SetHighlighted(page->Group() == &panel);
        return;
    }
    if (name == otherName) return;
    if (ctrl) {
        for (TPagePanel* page : form.PagePanels())
            if (page->Group() != panel.Group()) page->SetHighlighted(false);
        panel.SetHighlighted(true);
        return;
    }
    if (!panel.Highlighted()) UnhighlightPanels(form);
    panel.SetHighlighted(true);
    panel.BeginDrag();
    info.Source = form.Form();
    if (TQuintaron* app = AppState()) app->DragRunning = true;
    info.Accept = false;
    info.BuildFromPanels(form);
}

void UnhighlightPanels(TPageForm& form) {
    for (TPagePanel* page : form.PagePanels())
        page->SetHighlighted(false);
}

} // namespace model
