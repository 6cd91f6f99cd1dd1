#include "app/form_quintaron.h"

#include "app/app_images.h"
#include "app/app_services.h"
#include "app/form_editor_about.h"
#include "app/form_expansion.h"
#include "app/form_in_out.h"
#include "app/form_keyboard.h"
#include "app/form_library.h"
#include "app/form_monitor.h"
#include "app/form_preview_setup.h"
#include "app/form_update_names.h"
#include "editors/elem_window.h"
#include "model/editing/clipboard.h"
#include "model/editing/drag_info.h"
#include "model/elements/library.h"
#include "model/preview/preview.h"
#include "model/print/print_library.h"
#include "model/program/config.h"
#include "model/program/quintaron.h"
#include "model/program/ui_services.h"
#include "platform/core/exception.h"
#include "platform/core/ini_file.h"
#include "platform/core/text.h"
#include "platform/forms/application.h"
#include "platform/forms/place_control.h"
#include "platform/forms/screen.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"
#include "toolkit/bars/model/dx_bar.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace app {

namespace pc = platform::core;
namespace pw = platform::win;

namespace {

// The highest i of a "Library" key followed by i in decimal without leading zeros, as the
// desktop writes them; 0 when there is none.
int LastDesktopLibraryKey(const pc::TIniFile& ini) {
    constexpr std::string_view Prefix = "library";
    int last = 0;
    for (const std::string& key : ini.ReadSection("Desktop")) {
        if (key.size() <= Prefix.size() || !pc::SameText(key.substr(0, Prefix.size()), Prefix))
            continue;
        const std::string digits = key.substr(Prefix.size());
        if (digits.size() > 9 || digits[0] == '0' ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        last = std::max(last, std::stoi(digits));
    }
    return last;
}

TFormquintaron* mainWindow = nullptr;

constexpr int TrashMargin = 15;
constexpr int TrashSize = 36;
constexpr int HelpIndexContext = 20;
// Categories of the bar manager, after its own "Default".
enum { catDefault, catFile, catSettings, catGadgets, catWindow, catHelp, catMenus };

// Forms taken at one moment that may go while they are walked: each entry is cleared when its
// form is freed.
class TFormSnapshot : public pc::TComponent {
public:
    explicit TFormSnapshot(std::vector<forms::TCustomForm*> forms)
        : TComponent(nullptr), forms_(std::move(forms)) {
        for (forms::TCustomForm* form : forms_)
            FreeNotification(form);
    }
    ~TFormSnapshot() override {
        for (forms::TCustomForm* form : forms_)
            if (form != nullptr) RemoveFreeNotification(form);
    }
    int Count() const { return static_cast<int>(forms_.size()); }
    // Null once the form went.
    forms::TCustomForm* At(int index) const { return forms_.at(static_cast<std::size_t>(index)); }

protected:
    void Notification(pc::TComponent* component, pc::TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != pc::opRemove) return;
        for (forms::TCustomForm*& form : forms_)
            if (form == component) form = nullptr;
    }

private:
    std::vector<forms::TCustomForm*> forms_;
};

std::vector<forms::TCustomForm*> ChildList(const forms::TCustomForm& parent) {
    std::vector<forms::TCustomForm*> list;
    // A released window is on its way out: what it showed may be gone already.
    for (int i = 0; i < parent.MDIChildCount(); ++i)
        if (!parent.MDIChildren(i)->Released()) list.push_back(parent.MDIChildren(i));
    return list;
}

// The folder the program runs from.
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

} // namespace

TFormquintaron* MainWindow() {
    return mainWindow;
}

TMainBars::TMainBars(forms::TForm& form)
    : dxBarManager1(form.Own<bars::TdxBarManager>()), File1(form.Own<bars::TdxBarSubItem>()),
      FileNewItem(form.Own<bars::TdxBarButton>()), FileOpenItem(form.Own<bars::TdxBarButton>()),
      FileImportFrom(form.Own<bars::TdxBarButton>()), FileCloseItem(form.Own<bars::TdxBarButton>()),
      FileSaveItem(form.Own<bars::TdxBarButton>()), FileSaveAsItem(form.Own<bars::TdxBarButton>()),
      FileExportto(form.Own<bars::TdxBarButton>()), FileSaveAllItem(form.Own<bars::TdxBarButton>()),
      FilePrintItem(form.Own<bars::TdxBarButton>()), FileExitItem(form.Own<bars::TdxBarButton>()),
      Settings1(form.Own<bars::TdxBarSubItem>()),
      SetMidiMidiPortItem(form.Own<bars::TdxBarButton>()),
      SetPreviewItem(form.Own<bars::TdxBarButton>()),
      SetExpansionItem(form.Own<bars::TdxBarButton>()),
      SetPatchAndPerf(form.Own<bars::TdxBarButton>()), Gaggets1(form.Own<bars::TdxBarSubItem>()),
      GadgetsKeyboardItem(form.Own<bars::TdxBarButton>()),
      GadgetsMonitorItem(form.Own<bars::TdxBarButton>()), Window1(form.Own<bars::TdxBarSubItem>()),
      WindowCascadeItem(form.Own<bars::TdxBarButton>()),
      WindowTileItem(form.Own<bars::TdxBarButton>()),
      WindowArrangeItem(form.Own<bars::TdxBarButton>()),
      WindowMinimizeItem(form.Own<bars::TdxBarButton>()), Help1(form.Own<bars::TdxBarSubItem>()),
      Index1(form.Own<bars::TdxBarButton>()), HelpAboutItem(form.Own<bars::TdxBarButton>()) {}

TFormquintaron::TFormquintaron(forms::TComponent* owner)
    : TForm(owner, forms::fsMDIForm), TMainBars(static_cast<forms::TForm&>(*this)),
      OpenDialog(Own<forms::TOpenDialog>()),
      Patch(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      PatchBank(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      PerformanceBank(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      Performance(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      Rhythm(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      RhythmBank(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      global(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      System(forms::PlaceControl<forms::TBitBtn>(*this, *this, 0, 0, 25, 25)),
      TimerPreview(Own<forms::TTimer>()), PopupCopyMove(Own<forms::TPopupMenu>()),
      PopUpMove(PopupCopyMove.Items().Add("Move")), PopUpCopy(PopupCopyMove.Items().Add("Copy")),
      PanelTrash(forms::PlaceControl<forms::TPanel>(*this, *this, 0, 0, TrashSize, TrashSize)),
      TrashPieno(forms::PlaceControl<forms::TImage>(*this, PanelTrash, 0, 0, TrashSize, TrashSize)),
      TrashVuoto(forms::PlaceControl<forms::TImage>(*this, PanelTrash, 0, 0, TrashSize, TrashSize)),
      ImageListMenu(Own<forms::TImageList>()) {
    mainWindow = this;
    Name = "Formquintaron";
    SetBounds(0, 0, 800, 600);
    OpenDialog.Filter = "All files (*.*)|*.*";
    const std::pair<forms::TBitBtn*, std::int16_t> icons[] = {
        {&Patch, model::etPatch},
        {&PatchBank, model::etPatchBank},
        {&Performance, model::etPerformance},
        {&PerformanceBank, model::etPerformanceBank},
        {&Rhythm, model::etRhythm},
        {&RhythmBank, model::etRhythmBank},
        {&System, model::etSystem},
        {&global, model::etGlobal}};
    for (const auto& [icon, type] : icons) {
        icon->SetVisible(false);
        DrawElemIcon(icon->Glyph(), type);
    }
    FillMenuImages(ImageListMenu);
    TimerPreview.SetEnabled(false);
    TimerPreview.SetInterval(1000);
    TimerPreview.SetOnTimer([this](pc::TObject*) { TimerPreviewTimer(); });
    DrawBin(TrashPieno.Picture().Bitmap(), true);
    DrawBin(TrashVuoto.Picture().Bitmap(), false);
    for (forms::TImage* bin : {&TrashPieno, &TrashVuoto}) {
        bin->Transparent = true;
        bin->OnDblClick = [this](pc::TObject*) { TrashDblClick(); };
        bin->OnDragOver = [this](pc::TObject*, pc::TObject* source, int, int, forms::TDragState,
                                 bool& accept) { accept = TrashDragOver(source); };
    }
    OnDragOver = [this](pc::TObject*, pc::TObject*, int, int, forms::TDragState, bool& accept) {
        accept = false;
        DragInfo().Accept = false;
    };
    BuildBars(*this, this);
    // Reset takes the design from the same routine run again on a form of its own.
    dxBarManager1.DesignRoutine = [](forms::TForm& form) {
        TMainBars design(form);
        BuildBars(design, nullptr);
    };
    OnCreate = [this](pc::TObject* sender) { FormCreate(sender); };
    OnDestroy = [this](pc::TObject* sender) { FormDestroy(sender); };
    OnResize = [this](pc::TObject* sender) { FormResize(sender); };
    OnClose = [this](pc::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
}

TFormquintaron::~TFormquintaron() {
    // The windows and items go first, while the rest they use is whole.
    DestroyComponents();
    trash_.reset();
    if (mainWindow == this) mainWindow = nullptr;
}

void TFormquintaron::BuildBars(TMainBars& mainBars, TFormquintaron* window) {
    auto& manager = mainBars.dxBarManager1;
    manager.Name = "dxBarManager1";
    manager.SetStyle(bars::bmsOffice11);
    if (window != nullptr) manager.SetImages(&window->ImageListMenu);
    for (const char* category : {"File", "Settings", "Gadgets", "Window", "Help", "Menus"})
        manager.Categories().Add(category);
    if (window != nullptr) {
        manager.OnHideCustomizingForm = [window](pc::TObject*) { window->EnableMenuItems(); };
        // Customizing rebuilt the bars' controls: the commands take their states again.
        manager.OnCustomizingChange = [window](pc::TObject*) {
            if (!window->dxBarManager1.IsCustomizing()) window->EnableMenuItems();
        };
    }

    // The menus carry no picture; every command shows its own.
    constexpr int NoImage = -1;
    const auto image = [](TMenuImage command) { return MenuImageIndex(command); };
    struct ItemSpec {
        bars::TdxBarItem* item;
        const char* name;
        const char* caption;
        const char* hint;
        int category;
        int image;
        void (TFormquintaron::*action)();
    };
    const ItemSpec items[] = {
        {&mainBars.File1, "File1", "&File", "File related commands", catMenus, NoImage, nullptr},
        {&mainBars.FileNewItem, "FileNewItem", "&New", "Create a new file", catFile,
         image(TMenuImage::New), &TFormquintaron::FileNew},
        {&mainBars.FileOpenItem, "FileOpenItem", "&Open", "Open an existing file", catFile,
         image(TMenuImage::Open), &TFormquintaron::FileOpen},
        {&mainBars.FileImportFrom, "FileImportFrom", "Import From", "", catFile,
         image(TMenuImage::ImportFromSynth), &TFormquintaron::FileImport},
        {&mainBars.FileCloseItem, "FileCloseItem", "&Close", "Close current file", catFile,
         image(TMenuImage::Close), &TFormquintaron::FileClose},
        {&mainBars.FileSaveItem, "FileSaveItem", "&Save", "Save current file", catFile,
         image(TMenuImage::Save), &TFormquintaron::FileSave},
        {&mainBars.FileSaveAsItem, "FileSaveAsItem", "Save &As...", "Save current file as...",
         catFile, image(TMenuImage::SaveAs), &TFormquintaron::FileSaveAs},
        {&mainBars.FileExportto, "FileExportto", "Export To", "", catFile,
         image(TMenuImage::ExportToSynth), &TFormquintaron::FileExport},
        {&mainBars.FileSaveAllItem, "FileSaveAllItem", "Save A&ll", "", catFile,
         image(TMenuImage::SaveAll), &TFormquintaron::FileSaveAll},
        {&mainBars.FilePrintItem, "FilePrintItem", "&Print", "", catFile, image(TMenuImage::Print),
         &TFormquintaron::FilePrint},
        {&mainBars.FileExitItem, "FileExitItem", "E&xit", "Exit the application", catFile,
         image(TMenuImage::Exit), &TFormquintaron::FileExit},
        {&mainBars.Settings1, "Settings1", "Settings", "", catMenus, NoImage, nullptr},
        {&mainBars.SetMidiMidiPortItem, "SetMidiMidiPortItem", "&Midi", "", catSettings,
         image(TMenuImage::Midi), &TFormquintaron::SettingsMidi},
        {&mainBars.SetPreviewItem, "SetPreviewItem", "&Preview", "", catSettings,
         image(TMenuImage::Preview), &TFormquintaron::SettingsPreview},
        {&mainBars.SetExpansionItem, "SetExpansionItem", "&Expansion", "", catSettings,
         image(TMenuImage::Expansion), &TFormquintaron::SettingsExpansion},
        {&mainBars.SetPatchAndPerf, "SetPatchAndPerf", "&Names", "", catSettings,
         image(TMenuImage::Names), &TFormquintaron::SettingsNames},
        {&mainBars.Gaggets1, "Gaggets1", "Gadgets", "", catMenus, NoImage, nullptr},
        {&mainBars.GadgetsKeyboardItem, "GadgetsKeyboardItem", "&Keyboard", "", catGadgets,
         image(TMenuImage::Keyboard), &TFormquintaron::GadgetsKeyboard},
        {&mainBars.GadgetsMonitorItem, "GadgetsMonitorItem", "&Monitor", "", catGadgets,
         image(TMenuImage::Monitor), &TFormquintaron::GadgetsMonitor},
        {&mainBars.Window1, "Window1", "&Window",
         "Window related commands such as Tile and Cascade", catMenus, NoImage, nullptr},
        {&mainBars.WindowCascadeItem, "WindowCascadeItem", "&Cascade", "Arrange windows to overlap",
         catWindow, image(TMenuImage::Cascade), &TFormquintaron::WindowCascade},
        {&mainBars.WindowTileItem, "WindowTileItem", "&Tile", "Arrange windows without overlap",
         catWindow, image(TMenuImage::Tile), &TFormquintaron::WindowTile},
        {&mainBars.WindowArrangeItem, "WindowArrangeItem", "&Arrange Icons",
         "Arrange window icons at bottom of main window", catWindow, image(TMenuImage::Arrange),
         &TFormquintaron::WindowArrange},
        {&mainBars.WindowMinimizeItem, "WindowMinimizeItem", "&Minimize All",
         "Minimize all windows", catWindow, image(TMenuImage::MinimizeAll),
         &TFormquintaron::WindowMinimizeAll},
        {&mainBars.Help1, "Help1", "&Help", "Help topics", catMenus, NoImage, nullptr},
        {&mainBars.Index1, "Index1", "&Index", "", catHelp, image(TMenuImage::HelpIndex),
         &TFormquintaron::HelpIndex},
        {&mainBars.HelpAboutItem, "HelpAboutItem", "&About", "", catHelp, image(TMenuImage::About),
         &TFormquintaron::HelpAbout},
    };
    for (const ItemSpec& spec : items) {
        spec.item->Name = spec.name;
        spec.item->Hint = spec.hint;
        spec.item->SetCaption(spec.caption);
        spec.item->SetCategory(spec.category);
        if (spec.image != NoImage) spec.item->SetImageIndex(spec.image);
        if (window != nullptr && spec.action != nullptr)
            spec.item->OnClick = [window, action = spec.action](pc::TObject*) {
                (window->*action)();
            };
    }

    // Each link list with the items that open a group.
    struct LinkSpec {
        bars::TdxBarItem* item;
        bool beginGroup;
    };
    const auto fill = [](bars::TdxBarItemLinks& links, std::initializer_list<LinkSpec> specs) {
        for (const LinkSpec& spec : specs)
            links.Add(spec.item)->SetBeginGroup(spec.beginGroup);
    };
    fill(mainBars.File1.ItemLinks(), {{&mainBars.FileNewItem, false},
                                      {&mainBars.FileOpenItem, false},
                                      {&mainBars.FileImportFrom, false},
                                      {&mainBars.FileCloseItem, true},
                                      {&mainBars.FileSaveItem, true},
                                      {&mainBars.FileSaveAsItem, false},
                                      {&mainBars.FileExportto, false},
                                      {&mainBars.FileSaveAllItem, false},
                                      {&mainBars.FilePrintItem, true},
                                      {&mainBars.FileExitItem, true}});
    fill(mainBars.Settings1.ItemLinks(), {{&mainBars.SetMidiMidiPortItem, false},
                                          {&mainBars.SetPreviewItem, false},
                                          {&mainBars.SetExpansionItem, false},
                                          {&mainBars.SetPatchAndPerf, false}});
    fill(mainBars.Gaggets1.ItemLinks(),
         {{&mainBars.GadgetsKeyboardItem, false}, {&mainBars.GadgetsMonitorItem, false}});
    fill(mainBars.Window1.ItemLinks(), {{&mainBars.WindowCascadeItem, false},
                                        {&mainBars.WindowTileItem, false},
                                        {&mainBars.WindowArrangeItem, false},
                                        {&mainBars.WindowMinimizeItem, false}});
    fill(mainBars.Help1.ItemLinks(), {{&mainBars.Index1, false}, {&mainBars.HelpAboutItem, false}});

    bars::TdxBar& menu = *manager.Bars()->Add();
    menu.SetCaption("Main Menu");
    menu.SetIsMainMenu(true);
    fill(menu.ItemLinks(), {{&mainBars.File1, false},
                            {&mainBars.Settings1, false},
                            {&mainBars.Gaggets1, false},
                            {&mainBars.Window1, false},
                            {&mainBars.Help1, false}});
    bars::TdxBar& tools = *manager.Bars()->Add();
    tools.SetCaption("ToolBar");
    fill(tools.ItemLinks(), {{&mainBars.FileNewItem, false},
                             {&mainBars.FileOpenItem, false},
                             {&mainBars.FileSaveItem, false},
                             {&mainBars.FileSaveAllItem, false},
                             {&mainBars.FilePrintItem, false},
                             {&mainBars.SetMidiMidiPortItem, true},
                             {&mainBars.SetPreviewItem, false},
                             {&mainBars.GadgetsKeyboardItem, true},
                             {&mainBars.GadgetsMonitorItem, false}});
    tools.OneOnRow = true;
    // The menus hanging from the main menu bar show the recently used commands first, as the
    // manager's defaults have it: the bar personalises; the toolbar does not.
    tools.SetUseRecentItems(false);
    int row = 0;
    for (bars::TdxBar* bar : {&menu, &tools}) {
        bar->SetDockingStyle(bars::dsTop);
        bar->SetDockedLeft(0);
        bar->SetDockedTop(0);
        bar->SetRow(row++);
        bar->SetVisible(true);
        // Built in code rather than loaded, the bars record their place in the design here:
        // Reset finds each one's design by it.
        bar->SetDesignIdentity(bar->Index());
    }
}

TFormMonitor* TFormquintaron::Monitor() const {
    return monitor_;
}

void TFormquintaron::FormCreate(pc::TObject*) {
    HelpContext = 25;
    forms::Application().HelpFile = ProgramFolder() + "/QUINTARON.chm";
    forms::Screen().OnActiveFormChange = [this](pc::TObject*) { EnableMenuItems(); };
    RegisterCursors();
    dragInfo_ = std::make_unique<model::TDragInfo>();
    clipboard_ = std::make_unique<model::TClipboard>();
    PanelTrash.SetVisible(true);
    SetCaption("Quintaron 3.0");
    FileImportFrom.SetCaption("Import From Synth");
    FileExportto.SetCaption("Export To Synth");
    FormResize(this);
    trash_ = std::make_unique<model::TLibrary>();
    SvuotaSecchio();
    if (auto* services = dynamic_cast<TAppServices*>(model::UiServices()))
        services->OnEnableMenuItems = [this] { EnableMenuItems(); };
    if (model::AppState() != nullptr)
        model::AppState()->Midi.DefaultHandler = [this] { DefaultMidiInput(); };
    EnableMenuItems();
}

void TFormquintaron::FormDestroy(pc::TObject*) {
    forms::Screen().OnActiveFormChange = nullptr;
    if (auto* services = dynamic_cast<TAppServices*>(model::UiServices()))
        services->OnEnableMenuItems = nullptr;
    if (model::AppState() != nullptr) model::AppState()->Midi.DefaultHandler = nullptr;
    TrashWindow = nullptr;
    dragInfo_.reset();
    clipboard_.reset();
    SvuotaSecchio();
    // The trash itself goes with the form (see the destructor), after the trash window.
}

void TFormquintaron::FormResize(pc::TObject*) {
    PanelTrash.SetLeft(ClientWidth() - PanelTrash.Width() - TrashMargin);
    PanelTrash.SetTop(ClientHeight() - PanelTrash.Height() - TrashMargin);
}

} // namespace app

namespace app {

void TFormquintaron::Notification(pc::TComponent* component, pc::TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != pc::opRemove) return;
    if (component == monitor_) monitor_ = nullptr;
    if (component == TrashWindow) TrashWindow = nullptr;
}

bool TFormquintaron::NonLibrary(const forms::TCustomForm* form) const {
    if (const auto* library = dynamic_cast<const TFormLibrary*>(form)) return library->TrashMode();
    return dynamic_cast<const TFormMonitor*>(form) != nullptr ||
           dynamic_cast<const TNonLibraryWindow*>(form) != nullptr;
}

model::TLibrary* TFormquintaron::RootLibrary(forms::TCustomForm* form) {
    // A library window answers its library, any other element window the outermost owner of
    // what it shows: a library too, unless the element lies in none.
    return dynamic_cast<model::TLibrary*>(editors::GetFormElem(form));
}

model::TLibrary* TFormquintaron::ActiveLibrary() const {
    forms::TCustomForm* active = ActiveMDIChild();
    if (active == nullptr || active->Released() || NonLibrary(active)) return nullptr;
    return RootLibrary(active);
}

void TFormquintaron::EnableMenuItems() {
    model::TLibrary* r = ActiveLibrary();
    FileCloseItem.SetEnabled(r != nullptr);
    FileSaveAsItem.SetEnabled(r != nullptr);
    FilePrintItem.SetEnabled(r != nullptr);
    const bool saveable = r != nullptr && !r->Saved;
    FileSaveItem.SetEnabled(saveable);
    FileExportto.SetEnabled(saveable);
    bool unsaved = false;
    const TFormSnapshot children(ChildList(*this));
    for (int i = 0; i < children.Count() && !unsaved; ++i) {
        forms::TCustomForm* child = children.At(i);
        if (child == nullptr || NonLibrary(child)) continue;
        if (model::TLibrary* library = RootLibrary(child)) unsaved = !library->Saved;
    }
    FileSaveAllItem.SetEnabled(unsaved);
    model::TQuintaron* state = model::AppState();
    GadgetsKeyboardItem.SetEnabled(state == nullptr || !state->KeyboardOpen);
    GadgetsMonitorItem.SetEnabled(state == nullptr || !state->MonitorOpen);
    const bool anyChild = children.Count() > 0;
    for (bars::TdxBarButton* item :
         {&WindowCascadeItem, &WindowTileItem, &WindowArrangeItem, &WindowMinimizeItem})
        item->SetEnabled(anyChild);
}

void TFormquintaron::ShowPopUpCopyMove(int x, int y, std::function<void()> move,
                                       std::function<void()> copy) {
    PopUpMove.OnClick = [move = std::move(move)](pc::TObject*) {
        if (move) move();
    };
    PopUpCopy.OnClick = [copy = std::move(copy)](pc::TObject*) {
        if (copy) copy();
    };
    // The drop's point in the target grid is taken as one of the client area of the window that
    // holds the grid (its grandparent): 60 down brings it back to about where the drop was, as
    // the grid lies about that far inside.
    forms::TPoint point{x, y};
    if (auto* target = dynamic_cast<forms::TControl*>(DragInfo().Target)) {
        forms::TWinControl* window = target->Parent();
        if (window != nullptr && window->Parent() != nullptr) window = window->Parent();
        point = window != nullptr ? window->ClientToScreen(point) : target->ClientToScreen(point);
    }
    PopupCopyMove.Popup(point.X, point.Y + 60);
}

void TFormquintaron::SvuotaSecchio() {
    TrashVuoto.SetVisible(true);
    TrashPieno.SetVisible(false);
}

void TFormquintaron::SecchioPieno() {
    TrashPieno.SetVisible(true);
    TrashVuoto.SetVisible(false);
}

bool TFormquintaron::TrashDragOver(pc::TObject* source) {
    const bool accept = dynamic_cast<TFormLibrary*>(DragInfo().Source) != nullptr ||
                        dynamic_cast<TFormLibrary*>(source) != nullptr;
    DragInfo().Accept = accept;
    return accept;
}

void TFormquintaron::TrashDblClick() {
    if (TrashWindow != nullptr) return;
    model::AppState()->CurrentLibrary = trash_.get();
    PanelTrash.SetVisible(false);
    TFormLibrary& window = MakeLibraryWindow(true);
    TrashWindow = &window;
    FreeNotification(&window);
    window.Updateview();
    window.DisableVisible();
}

void TFormquintaron::TrashClosed() {
    if (TrashWindow != nullptr) RemoveFreeNotification(TrashWindow);
    TrashWindow = nullptr;
    PanelTrash.SetVisible(true);
    if (trash_ != nullptr && trash_->Count() > 0)
        SecchioPieno();
    else
        SvuotaSecchio();
}

TFormLibrary& TFormquintaron::MakeLibraryWindow(bool trashMode) {
    auto& window = Own<TFormLibrary>(trashMode);
    window.AfterConstruction();
    window.Show();
    model::AppState()->CurrentLibrary = nullptr;
    return window;
}

TFormLibrary& TFormquintaron::OpenLibrary(std::unique_ptr<model::TLibrary> library, bool sort) {
    model::AppState()->CurrentLibrary = library.release();
    TFormLibrary& window = MakeLibraryWindow(false);
    window.Updateview();
    window.DisableVisible();
    if (sort) window.SortElem();
    EnableMenuItems();
    return window;
}

// File commands.

void TFormquintaron::FileNew() {
    OpenLibrary(std::make_unique<model::TLibrary>(), false);
}

void TFormquintaron::FileOpen() {
    auto library = std::make_unique<model::TLibrary>();
    if (library->OpenFile()) OpenLibrary(std::move(library), true);
}

void TFormquintaron::FileImport() {
    model::AppState()->ImportExportMode = true;
    try {
        FileOpen();
    } catch (...) {
        model::AppState()->ImportExportMode = false;
        throw;
    }
    model::AppState()->ImportExportMode = false;
}

void TFormquintaron::FileClose() {
    if (forms::TCustomForm* active = ActiveMDIChild()) active->Close();
}

void TFormquintaron::FileSave() {
    if (model::TLibrary* library = ActiveLibrary()) library->SaveFile(false);
    EnableMenuItems();
}

void TFormquintaron::FileSaveAs() {
    if (model::TLibrary* library = ActiveLibrary()) library->SaveFile(true);
    EnableMenuItems();
}

void TFormquintaron::FileExport() {
    if (ActiveLibrary() == nullptr) return;
    model::AppState()->ImportExportMode = true;
    try {
        FileSaveAs();
    } catch (...) {
        model::AppState()->ImportExportMode = false;
        throw;
    }
    model::AppState()->ImportExportMode = false;
}

void TFormquintaron::FileSaveAll() {
    const TFormSnapshot children(ChildList(*this));
    for (int i = 0; i < children.Count(); ++i) {
        forms::TCustomForm* child = children.At(i);
        if (child == nullptr || NonLibrary(child)) continue;
        model::TLibrary* library = RootLibrary(child);
        if (library != nullptr && !library->Saved) library->SaveFile(false);
    }
    EnableMenuItems();
}

void TFormquintaron::FilePrint() {
    if (model::TLibrary* library = ActiveLibrary()) model::PrintLibrary(*library);
}

void TFormquintaron::FileExit() {
    Close();
}

// Settings and gadgets.

void TFormquintaron::SettingsMidi() {
    for (int i = 0; i < forms::Application().ComponentCount(); ++i)
        if (auto* ports = dynamic_cast<TFormInOut*>(forms::Application().Components(i))) {
            ports->ShowModal();
            return;
        }
}

void TFormquintaron::SettingsPreview() {
    if (TFormPreviewSetup* setup = FormPreviewSetup()) setup->ShowModal();
}

void TFormquintaron::SettingsExpansion() {
    if (TFormExpansion* expansion = FormExpansion()) expansion->ShowModal();
}

void TFormquintaron::GadgetsKeyboard() {
    if (model::AppState() == nullptr || model::AppState()->KeyboardOpen) return;
    auto& keyboard = Own<TFormKeyboard>();
    keyboard.AfterConstruction();
    keyboard.Show();
    EnableMenuItems();
}

void TFormquintaron::SettingsNames() {
    if (TFormUpdateNames* fetch = FormUpdateNames()) fetch->ShowModal();
}

void TFormquintaron::HelpAbout() {
    if (TFormeditorAbout* about = FormeditorAbout()) about->ShowModal();
}

void TFormquintaron::GadgetsMonitor() {
    if (monitor_ != nullptr) return;
    auto& monitor = Own<TFormMonitor>();
    monitor.AfterConstruction();
    monitor.Show();
    monitor_ = &monitor;
    FreeNotification(&monitor);
    if (auto* services = dynamic_cast<TAppServices*>(model::UiServices()))
        services->SetMonitor(&monitor);
    EnableMenuItems();
}

void TFormquintaron::DefaultMidiInput() {
    if (model::AppState() != nullptr) model::AppState()->Midi.DefaultMidiInput();
}

// Window commands.

void TFormquintaron::WindowCascade() {
    Cascade();
}

void TFormquintaron::WindowTile() {
    Tile();
}

void TFormquintaron::WindowArrange() {
    ArrangeIcons();
}

void TFormquintaron::WindowMinimizeAll() {
    const TFormSnapshot children(ChildList(*this));
    for (int i = children.Count() - 1; i >= 0; --i)
        if (forms::TCustomForm* child = children.At(i)) child->SetWindowState(forms::wsMinimized);
}

void TFormquintaron::HelpIndex() {
    forms::Application().HelpContext(HelpIndexContext);
}

// The preview.

void TFormquintaron::RegisterCursors() {
    forms::Screen().SetCursors(model::crHelp, AppCursor(TAppCursor::Preview));
    forms::Screen().SetCursors(forms::crDrag, AppCursor(TAppCursor::Drag));
}

void TFormquintaron::TimerPreviewTimer() {
    TimerPreview.SetEnabled(false);
    model::PreviewNoteOn();
}

bool TFormquintaron::OverPreviewGrid(const pc::MSG& msg) const {
    forms::TPoint point{static_cast<std::int16_t>(msg.lParam & 0xFFFF),
                        static_cast<std::int16_t>((msg.lParam >> 16) & 0xFFFF)};
    pw::ClientToScreen(msg.hwnd, &point);
    const pw::HWND under = pw::WindowFromPoint(point);
    forms::TWinControl* control = forms::FindControl(under);
    for (forms::TWinControl* window = control; window != nullptr; window = window->Parent())
        if (const auto* owner = dynamic_cast<const TPreviewGridOwner*>(window))
            return owner->PreviewGridHit(*control);
    return false;
}

void TFormquintaron::Preview(pc::MSG& msg, bool& handled) {
    if (msg.message == pw::WM_RBUTTONDOWN && (msg.wParam & pw::MK_SHIFT) != 0) {
        if (OverPreviewGrid(msg)) return;
        model::PreviewNoteOn();
        handled = true;
    } else if (msg.message == pw::WM_RBUTTONUP && forms::Screen().Cursor() == model::crHelp) {
        TimerPreview.SetEnabled(false);
        model::PreviewNoteOff();
        handled = true;
        forms::Screen().SetCursor(forms::crDefault);
    }
}

// Shut-down and the desktop.

void TFormquintaron::FormClose(pc::TObject*, forms::TCloseAction& Action) {
    forms::Screen().OnActiveFormChange = nullptr;
    model::TQuintaron& state = *model::AppState();
    try {
        pc::TIniFile ini(model::SettingsFileName);
        ini.WriteInteger("Monitor", "Open", state.MonitorOpen ? 1 : 0);
        ini.WriteInteger("Keyboard", "Open", state.KeyboardOpen ? 1 : 0);
        state.CloseCancelled = false;
        int n = 0;
        const TFormSnapshot children(ChildList(*this));
        for (int i = children.Count() - 1; i >= 0 && !state.CloseCancelled; --i) {
            forms::TCustomForm* child = children.At(i);
            if (child == nullptr) continue;
            if (NonLibrary(child)) {
                child->Close();
                continue;
            }
            auto* library = dynamic_cast<TFormLibrary*>(child);
            if (library == nullptr) continue;
            const std::string fileName = library->Library().FileName;
            library->FormClose(library, Action);
            std::error_code error;
            if (std::filesystem::is_regular_file(fileName, error))
                ini.WriteString("Desktop", "Library" + std::to_string(++n), fileName);
        }
        if (!state.CloseCancelled) {
            Action = forms::caFree;
            ini.WriteInteger("Desktop", "Num Library", n);
            forms::Application().Terminate();
        } else {
            Action = forms::caNone;
            ini.WriteInteger("Desktop", "Num Library", 0);
            forms::Screen().OnActiveFormChange = [this](pc::TObject*) { EnableMenuItems(); };
            EnableMenuItems();
        }
    } catch (const std::exception&) {
        // The desktop is not worth keeping the program from closing.
    }
}

void TFormquintaron::LoadDesktopLibrary() {
    try {
        const pc::TIniFile ini(model::SettingsFileName);
        // The count is the file's word, which a damaged or hand-edited file can make absurd: no
        // entry past the last the section holds is looked for.
        const int n =
            std::min(ini.ReadInteger("Desktop", "Num Library", 0), LastDesktopLibraryKey(ini));
        for (int i = 1; i <= n; ++i) {
            const std::string name = ini.ReadString("Desktop", "Library" + std::to_string(i), "");
            if (name.empty()) continue;
            auto library = std::make_unique<model::TLibrary>();
            model::AppState()->CurrentLibrary = library.get();
            // A file refused was told; an empty window for it would be saved over it.
            if (!library->LoadFromFile(name)) {
                model::AppState()->CurrentLibrary = nullptr;
                continue;
            }
            OpenLibrary(std::move(library), true);
        }
        if (ini.ReadInteger("Monitor", "Open", 0) == 1) GadgetsMonitor();
        if (ini.ReadInteger("Keyboard", "Open", 0) == 1) GadgetsKeyboard();
    } catch (const std::exception&) {
        // What was opened stays open.
    }
}

} // namespace app
