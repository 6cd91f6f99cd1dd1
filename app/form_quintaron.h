#pragma once
// The main window: the multiple-document parent that every librarian window, editor and tool
// lives in. It carries the menu bar and the toolbar (through the bar manager), the trash bin and
// the Copy/Move popup shown after a drop, keeps the menus' enabled states true to the active
// window, auditions sounds under Shift + right button through the application's message hook,
// and writes the desktop (open libraries, monitor, keyboard) at close to restore it at the next
// start.

#include "editors/clipboard_owner.h"
#include "platform/forms/buttons.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/img_list.h"
#include "platform/forms/menus.h"
#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"

#include <functional>
#include <memory>

namespace model {
class TClipboard;
class TDragInfo;
class TLibrary;
} // namespace model

namespace app {

namespace forms = platform::forms;
namespace bars = toolkit::bars;

class TFormLibrary;
class TFormMonitor;

// A window whose grid auditions by itself under Shift + right button (library windows,
// patch-bank windows): the main window's preview hook leaves the press alone when the window
// under the pointer is that grid or lies inside it.
class TPreviewGridOwner {
public:
    virtual ~TPreviewGridOwner() = default;
    virtual bool PreviewGridHit(const forms::TWinControl& under) const = 0;
};

// The windows that are no library's (the keyboard, the intro): the menus and the shut-down set
// them apart, as they do the monitor and the trash window.
class TNonLibraryWindow {
public:
    virtual ~TNonLibraryWindow() = default;
};

// The bar manager of the main window with its items, made on a form that owns them: the main
// window's own, or the form of the design-time copy that Reset builds again.
struct TMainBars {
    explicit TMainBars(forms::TForm& form);

    bars::TdxBarManager& dxBarManager1;
    bars::TdxBarSubItem& File1;
    bars::TdxBarButton& FileNewItem;
    bars::TdxBarButton& FileOpenItem;
    bars::TdxBarButton& FileImportFrom;
    bars::TdxBarButton& FileCloseItem;
    bars::TdxBarButton& FileSaveItem;
    bars::TdxBarButton& FileSaveAsItem;
    bars::TdxBarButton& FileExportto;
    bars::TdxBarButton& FileSaveAllItem;
    bars::TdxBarButton& FilePrintItem;
    bars::TdxBarButton& FileExitItem;
    bars::TdxBarSubItem& Settings1;
    bars::TdxBarButton& SetMidiMidiPortItem;
    bars::TdxBarButton& SetPreviewItem;
    bars::TdxBarButton& SetExpansionItem;
    bars::TdxBarButton& SetPatchAndPerf;
    bars::TdxBarSubItem& Gaggets1;
    bars::TdxBarButton& GadgetsKeyboardItem;
    bars::TdxBarButton& GadgetsMonitorItem;
    bars::TdxBarSubItem& Window1;
    bars::TdxBarButton& WindowCascadeItem;
    bars::TdxBarButton& WindowTileItem;
    bars::TdxBarButton& WindowArrangeItem;
    bars::TdxBarButton& WindowMinimizeItem;
    bars::TdxBarSubItem& Help1;
    bars::TdxBarButton& Index1;
    bars::TdxBarButton& HelpAboutItem;
};

class TFormquintaron : public forms::TForm, public editors::TClipboardOwner, public TMainBars {
public:
    explicit TFormquintaron(forms::TComponent* owner);
    ~TFormquintaron() override;

    // Re-applies the menus' enabling rules to the active child window. The screen's active-form
    // change handler, and what the model's TUiServices::EnableMenuItems reaches.
    void EnableMenuItems();
    // True for a library window in trash mode and for the keyboard, monitor and intro windows.
    bool NonLibrary(const forms::TCustomForm* form) const;
    // After a drop: pops up Copy/Move at the point (x, y) of the target window's client area (the
    // window holding the drag's target grid), moved 60 px down; each runs its procedure.
    void ShowPopUpCopyMove(int x, int y, std::function<void()> move, std::function<void()> copy);
    // The bin images: empty, full.
    void SvuotaSecchio();
    void SecchioPieno();
    // The application's message hook: Shift + right button auditions the preview note.
    void Preview(platform::core::MSG& msg, bool& handled);
    // Reopens the libraries, monitor and keyboard recorded at the last close.
    void LoadDesktopLibrary();

    // The trash library, which the trash window shows.
    model::TLibrary& TrashLibrary() { return *trash_; }
    // The trash window while it is open; it clears this when it closes, through TrashClosed.
    TFormLibrary* TrashWindow = nullptr;
    // The trash window went: the bin shows again, full or empty by the trash's content.
    void TrashClosed();
    // The open monitor, or null.
    TFormMonitor* Monitor() const;
    // Set by the grids' double-click handlers, cleared by their mouse-down handlers; while set,
    // the end of a drag does nothing.
    bool DoubleClick = false;
    model::TDragInfo& DragInfo() { return *dragInfo_; }
    // The part clipboard, which the pages reach through the main form.
    model::TClipboard& Clipboard() override { return *clipboard_; }

    // Commands that other windows run as the menu does.
    void FileNew();
    void FileOpen();
    void GadgetsMonitor();
    void GadgetsKeyboard();
    // The default MIDI input handler: thru and the monitor.
    void DefaultMidiInput();
    // The library of the active child window when the menus offer it one, else null.
    model::TLibrary* ActiveLibrary() const;
    // The outermost library of what the window shows (GetFormElem); null for windows of other
    // kinds.
    static model::TLibrary* RootLibrary(forms::TCustomForm* form);

    forms::TOpenDialog& OpenDialog;
    // The element icons, which the bank and global windows copy.
    forms::TBitBtn& Patch;
    forms::TBitBtn& PatchBank;
    forms::TBitBtn& PerformanceBank;
    forms::TBitBtn& Performance;
    forms::TBitBtn& Rhythm;
    forms::TBitBtn& RhythmBank;
    forms::TBitBtn& global;
    forms::TBitBtn& System;
    // 1000 ms after a patch went to the instrument, the preview note follows.
    forms::TTimer& TimerPreview;
    forms::TPopupMenu& PopupCopyMove;
    forms::TMenuItem& PopUpMove;
    forms::TMenuItem& PopUpCopy;
    forms::TPanel& PanelTrash;
    forms::TImage& TrashPieno;
    forms::TImage& TrashVuoto;
    forms::TImageList& ImageListMenu;

protected:
    void Notification(forms::TComponent* component, platform::core::TOperation operation) override;

private:
    // Builds the manager's categories, items and bars. Without a window (the design-time copy)
    // the items run no command and show no picture.
    static void BuildBars(TMainBars& mainBars, TFormquintaron* window);
    void RegisterCursors();
    void TimerPreviewTimer();
    bool OverPreviewGrid(const platform::core::MSG& msg) const;
    bool TrashDragOver(forms::TObject* source);
    void TrashDblClick();
    TFormLibrary& MakeLibraryWindow(bool trashMode);
    // Opens a library window on the library, which the window owns from now on.
    TFormLibrary& OpenLibrary(std::unique_ptr<model::TLibrary> library, bool sort);
    void FileImport();
    void FileClose();
    void FileSave();
    void FileSaveAs();
    void FileExport();
    void FileSaveAll();
    void FilePrint();
    void FileExit();
    void SettingsMidi();
    void SettingsPreview();
    void SettingsExpansion();
    void SettingsNames();
    void WindowCascade();
    void WindowTile();
    void WindowArrange();
    void WindowMinimizeAll();
    void HelpIndex();
    void HelpAbout();

    void FormCreate(forms::TObject* Sender);
    void FormDestroy(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);

    std::unique_ptr<model::TDragInfo> dragInfo_;
    std::unique_ptr<model::TClipboard> clipboard_;
    std::unique_ptr<model::TLibrary> trash_;
    TFormMonitor* monitor_ = nullptr;
};

// The main window while it exists; null before and after.
TFormquintaron* MainWindow();

} // namespace app
