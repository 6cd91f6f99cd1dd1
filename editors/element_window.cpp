#include "editors/element_window.h"

#include "editors/place_child_form.h"
#include "model/print/print_routines.h"
#include "model/program/quintaron.h"
#include "platform/forms/application.h"
#include "platform/gdi/colors.h"

#include <cstdint>

namespace editors {

namespace {

// The file name without its folder: the text after the last separator.
std::string WithoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

TElementWindow::TElementWindow(forms::TForm& form, model::TDragInfo& dragInfo)
    : form_(form), dragInfo_(dragInfo) {}

std::vector<model::TPagePanel*> TElementWindow::PagePanels() {
    std::vector<model::TPagePanel*> panels;
    for (const auto& page : pages_)
        panels.push_back(page.get());
    return panels;
}

TPagePanelOf* TElementWindow::PanelOf(const forms::TObject* control) const {
    for (const auto& list : {&groups_, &pages_})
        for (const auto& panel : *list)
            if (&panel->Panel() == control) return panel.get();
    return nullptr;
}

forms::TPanel* TElementWindow::FirstPagePanel(model::TPageKind kind) const {
    for (const auto& page : pages_)
        if (model::TDragInfo::PageKindOf(*page) == kind) return &page->Panel();
    return nullptr;
}

void TElementWindow::SetButtonHints(
    std::initializer_list<std::pair<forms::TSpeedButton*, const char*>> hints) {
    for (const auto& [button, hint] : hints) {
        button->Hint = hint;
        button->ShowHint = true;
        button->Flat = true;
    }
}

void TElementWindow::SetGradient(controls::TShader& shader) {
    shader.SetAlign(forms::alClient);
    shader.SetFromColor(0x80FF00);
    shader.SetToColor(platform::gdi::clWhite);
    shader.SetDirection(false);
}

void TElementWindow::BringWindowToFront() {
    forms::TCustomForm* main = forms::Application().MainForm();
    if (main != nullptr && main->ActiveMDIChild() == &form_) return;
    ElementView().BringToFront();
}

void TElementWindow::PageMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                   forms::TShiftState Shift, const char* group) {
    if (Button != forms::mbLeft) return;
    TPagePanelOf* panel = PanelOf(Sender);
    if (panel == nullptr) return;
    model::PanelMouseDown(dragInfo_, *this, *panel, (Shift & forms::ssCtrl) != 0, group, "NNNNNNN");
}

void TElementWindow::PageDragOver(
    forms::TObject* Sender, forms::TObject* Source, bool& Accept,
    const std::function<bool(const forms::TPanel& target, const forms::TPanel& dragged,
                             model::TPageKind kind)>& accepts) {
    BringWindowToFront();
    const auto* target = dynamic_cast<const forms::TPanel*>(Sender);
    const auto* dragged = dynamic_cast<const forms::TPanel*>(Source);
    const std::optional<model::TPageKind> kind =
        target != nullptr ? model::TDragInfo::PageKindOf(target->Name) : std::nullopt;
    // Only pages dragged from a window of this kind copy into one.
    Accept = kind && dragged != nullptr && WindowOfPanel(dragged) != nullptr && target != dragged &&
             accepts(*target, *dragged, *kind);
    dragInfo_.Accept = Accept;
}

void TElementWindow::BackgroundDragOver(bool& Accept) {
    BringWindowToFront();
    Accept = false;
    dragInfo_.Accept = false;
}

void TElementWindow::EndPageDrag(
    forms::TObject* Target,
    const std::function<void(TElementWindow& targetWindow, const model::TDragElem& entry)>& copy) {
    if (model::TQuintaron* app = model::AppState()) app->DragRunning = false;
    TElementWindow* targetWindow = WindowOfPanel(Target);
    if (targetWindow == nullptr || !dragInfo_.Accept) {
        // A double-click leaves the page it opened in front.
        if (!DblClicked) BringWindowToFront();
        DblClicked = false;
        return;
    }
    dragInfo_.Target = &targetWindow->form_;
    model::UnhighlightPanels(*targetWindow);
    const std::vector<model::TDragElem> entries = dragInfo_.Elems;
    for (const model::TDragElem& entry : entries)
        copy(*targetWindow, entry);
    model::TLibElem& target = targetWindow->Element();
    target.SetModified();
    // The refresh also empties the undo lists of the target's open pages: their entries would
    // write old bytes into the copied ones.
    target.UpdateViews();
    target.Transmit(true);
    targetWindow->BringWindowToFront();
    DblClicked = false;
}

void TElementWindow::PlaceWindow() {
    model::TLibElem& elem = Element();
    elem.EditorOpen = true;
    auto left = static_cast<std::uint16_t>(elem.EditorLeft);
    auto top = static_cast<std::uint16_t>(elem.EditorTop);
    PlaceChildForm(left, top, form_);
    elem.EditorLeft = static_cast<std::int16_t>(left);
    elem.EditorTop = static_cast<std::int16_t>(top);
}

void TElementWindow::ReleaseOnClose(forms::TCloseAction& Action) {
    Action = forms::caNone;
    form_.Release();
}

void TElementWindow::KeepSize(int width, int height) {
    if (form_.Width() != width || form_.Height() != height)
        form_.SetBounds(form_.Left(), form_.Top(), width, height);
}

void TElementWindow::ForgetWindow() {
    model::TLibElem& elem = Element();
    elem.EditorOpen = false;
    if (elem.Editor == &ElementView()) elem.Editor = nullptr;
}

std::string TElementWindow::ElementCaption() const {
    const model::TLibElem& elem = Element();
    return elem.GetName() + " [Filename : " + WithoutFolder(elem.FileName) + "]" +
           "   [Loc : " + model::ElemPath(elem) + "]";
}

} // namespace editors
