#include "editors/element_window.h"

#include "editors/place_child_form.h"
#include "model/print/print_routines.h"
#include "model/program/quintaron.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"
#include "platform/gdi/colors.h"

#include <cstdint>

namespace editors {

namespace {

struct TToolDesc {
    const char* caption;
    const char* hint;
};

// By TTool.
constexpr TToolDesc ToolDescs[] = {
    {"New", "New"},         {"Send", "Send "},      {"Receive", "Receive"}, {"Load", "Load Sysex"},
    {"Save", "Save Sysex"}, {"Save as", "Save as"}, {"Help", "Help"},
};

// The file name without its folder: the text after the last separator.
std::string WithoutFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

TElementWindow::TElementWindow(forms::TForm& form, model::TDragInfo& dragInfo)
    : form_(form), dragInfo_(dragInfo), view_(
                                            form, [this] { ShowElement(); }, false) {}

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

forms::TPanel* TElementWindow::PagePanel(model::TPageKind kind) const {
    for (const auto& page : pages_)
        if (model::TDragInfo::PageKindOf(*page) == kind) return &page->Panel();
    return nullptr;
}

model::TLibElem* TElementWindow::FormElem() {
    return model::TopOwner(&Element());
}

forms::TPanel& TElementWindow::MakeToolbar() {
    return forms::PlaceControl<forms::TPanel>(form_, form_, 0, 0, 0, ToolbarHeight);
}

forms::TSpeedButton& TElementWindow::MakeToolButton(forms::TPanel& toolbar,
                                                    const TToolbarLayout& layout, TTool tool) {
    int left = 2;
    for (const TTool placed : layout.Order) {
        if (placed == tool) break;
        left += placed == TTool::Gap ? 6 : layout.ButtonWidth + layout.Spacing;
    }
    const TToolDesc& desc = ToolDescs[static_cast<std::size_t>(tool)];
    auto& button = forms::PlaceControl<forms::TSpeedButton>(form_, toolbar, left, 2,
                                                            layout.ButtonWidth, 24, desc.caption);
    button.Hint = desc.hint;
    button.ShowHint = true;
    button.Flat = true;
    button.OnClick = [this, tool](forms::TObject*) { ToolClick(tool); };
    return button;
}

void TElementWindow::ToolClick(TTool tool) {
    model::TLibElem& elem = Element();
    switch (tool) {
    case TTool::New:
        elem.SetDefaults();
        elem.Transmit(true);
        break;
    case TTool::Send:
        if (model::MidiReady()) elem.Transmit(true);
        break;
    case TTool::Receive:
        if (model::MidiReady()) elem.Receive(true);
        break;
    case TTool::Load:
        elem.LoadSysExFile();
        break;
    case TTool::Save:
        elem.SaveSysExFile(false);
        break;
    case TTool::SaveAs:
        elem.SaveSysExFile(true);
        break;
    case TTool::Help:
        forms::Application().HelpContext(form_.HelpContext);
        break;
    case TTool::Gap:
        break;
    }
}

void TElementWindow::SetUpFrame(int helpContext, const char* caption, forms::TPanel& toolbar,
                                controls::TShader& shader) {
    form_.HelpContext = helpContext;
    form_.SetCaption(caption);
    form_.SetBorderStyle(forms::bsSingle);
    form_.SetBorderIcons(forms::biSystemMenu | forms::biMinimize);
    toolbar.SetAlign(forms::alTop);
    toolbar.BevelOuter = forms::bvNone;
    shader.SetAlign(forms::alClient);
    shader.SetFromColor(0x80FF00);
    shader.SetToColor(platform::gdi::clWhite);
    shader.SetDirection(false);
}

void TElementWindow::WirePressOn(forms::TPanel& panel) {
    panel.OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                               forms::TShiftState shift, int,
                               int) { PageMouseDown(sender, button, shift); };
}

void TElementWindow::AddGroupPanel(forms::TPanel& group, const char* name) {
    group.Name = name;
    group.BevelOuter = forms::bvLowered;
    WirePressOn(group);
    groups_.push_back(std::make_unique<TPagePanelOf>(group, nullptr));
    for (auto& page : pages_)
        if (page->Group() == nullptr)
            page = std::make_unique<TPagePanelOf>(page->Panel(), groups_.back().get());
}

forms::TPanel& TElementWindow::AddPagePanel(forms::TPanel& group, const char* name,
                                            const char* caption, int left, int top, int width,
                                            int height) {
    auto& page =
        forms::PlaceControl<forms::TPanel>(form_, group, left, top, width, height, caption);
    page.Name = name;
    page.SetColor(platform::gdi::clBtnFace);
    page.OnDblClick = [this, &page](forms::TObject*) { PageDblClick(page); };
    WirePressOn(page);
    page.OnDragOver = [this](forms::TObject* sender, forms::TObject* source, int, int,
                             forms::TDragState,
                             bool& accept) { PageDragOver(sender, source, accept); };
    page.OnEndDrag = [this](forms::TObject*, forms::TObject* target, int, int) {
        PageEndDrag(target);
    };
    pages_.push_back(std::make_unique<TPagePanelOf>(page, PanelOf(&group)));
    return page;
}

void TElementWindow::SetUpEvents(std::initializer_list<forms::TControl*> background, int width,
                                 int height) {
    form_.OnDragOver = [this](forms::TObject*, forms::TObject*, int, int, forms::TDragState,
                              bool& accept) { BackgroundDragOver(accept); };
    for (forms::TControl* control : background)
        control->OnDragOver = form_.OnDragOver;
    form_.OnCreate = [this](forms::TObject*) { PlaceWindow(); };
    form_.OnShow = [this](forms::TObject*) { ShowElement(); };
    form_.OnActivate = [this](forms::TObject*) { FormActivate(); };
    form_.OnClose = [this](forms::TObject*, forms::TCloseAction& action) {
        ReleaseOnClose(action);
    };
    form_.OnDestroy = [this](forms::TObject*) { FormDestroy(); };
    form_.OnResize = [this, width, height](forms::TObject*) { KeepSize(width, height); };
    form_.SetBounds(form_.Left(), form_.Top(), width, height);
}

void TElementWindow::BringWindowToFront() {
    forms::TCustomForm* main = forms::Application().MainForm();
    if (main != nullptr && main->ActiveMDIChild() == &form_) return;
    view_.BringToFront();
}

void TElementWindow::PageDblClick(forms::TPanel& panel) {
    DblClicked = true;
    if (const std::optional<model::TPageKind> kind = model::TDragInfo::PageKindOf(panel.Name))
        OpenPanelPage(*kind, panel);
}

void TElementWindow::PageMouseDown(forms::TObject* Sender, forms::TMouseButton Button,
                                   forms::TShiftState Shift) {
    if (Button != forms::mbLeft) return;
    TPagePanelOf* panel = PanelOf(Sender);
    if (panel == nullptr) return;
    model::PanelMouseDown(dragInfo_, *this, *panel, (Shift & forms::ssCtrl) != 0, DragGroup(*panel),
                          "NNNNNNN");
}

void TElementWindow::PageDragOver(forms::TObject* Sender, forms::TObject* Source, bool& Accept) {
    BringWindowToFront();
    const auto* target = dynamic_cast<const forms::TPanel*>(Sender);
    const auto* dragged = dynamic_cast<const forms::TPanel*>(Source);
    const std::optional<model::TPageKind> kind =
        target != nullptr ? model::TDragInfo::PageKindOf(target->Name) : std::nullopt;
    // Only pages dragged from a window of this kind copy into one.
    Accept = kind && dragged != nullptr && WindowOfPanel(dragged) != nullptr && target != dragged &&
             AcceptsPage(*target, *dragged, *kind);
    dragInfo_.Accept = Accept;
}

void TElementWindow::BackgroundDragOver(bool& Accept) {
    BringWindowToFront();
    Accept = false;
    dragInfo_.Accept = false;
}

void TElementWindow::PageEndDrag(forms::TObject* Target) {
    if (model::TQuintaron* app = model::AppState()) app->DragRunning = false;
    TElementWindow* targetWindow = WindowOfPanel(Target);
    if (targetWindow == nullptr || !dragInfo_.Accept) {
        // A double-click leaves the page it opened in front.
        if (!DblClicked) BringWindowToFront();
        DblClicked = false;
        return;
    }
    // A page panel of a window of this kind.
    auto& targetPanel = dynamic_cast<forms::TPanel&>(*Target);
    dragInfo_.Target = &targetWindow->form_;
    model::UnhighlightPanels(*targetWindow);
    const std::vector<model::TDragElem> entries = dragInfo_.Elems;
    for (const model::TDragElem& entry : entries)
        CopyDroppedPage(*targetWindow, targetPanel, entry);
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

void TElementWindow::FormDestroy() {
    model::TLibElem& elem = Element();
    elem.SaveEditorPosition();
    CloseElementPages();
    elem.EditorOpen = false;
    if (elem.Editor == &view_) elem.Editor = nullptr;
}

std::string TElementWindow::ElementCaption() const {
    const model::TLibElem& elem = Element();
    return elem.GetName() + " [Filename : " + WithoutFolder(elem.FileName) + "]" +
           "   [Loc : " + model::ElemPath(elem) + "]";
}

} // namespace editors
