#pragma once
// A library window: one library as a list of its elements, with the type mask, the three sort
// orders, new elements of every kind, delete into the trash, transfers of the selection, single
// entries' files, printing and the library's comment. Its selection is dragged into other
// library windows, bank and global windows and the trash; library, bank and global windows drop
// into it. The same window shows the trash library in trash mode. It takes its library from the
// application state's current-library slot while it is created, and the library knows it as its
// editor window.

#include "app/elem_grid_mouse.h"
#include "app/elem_popup.h"
#include "app/elem_rows.h"
#include "app/form_quintaron.h"
#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "model/elements/library.h"
#include "platform/forms/buttons.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/grids.h"
#include "platform/forms/menus.h"

#include <array>
#include <memory>
#include <vector>

namespace app {

namespace forms = platform::forms;

class TFormLibrary;

// The library's view of its window. When the library goes first (the trash at the program's
// end), the window hears it and touches the library no more.
class TLibraryView : public editors::TFormView {
public:
    explicit TLibraryView(TFormLibrary& window);
    void CloseByOwner() override;

private:
    TFormLibrary& window_;
};

class TFormLibrary : public forms::TForm, public editors::TElemWindow, public TPreviewGridOwner {
public:
    // The main window must be the multiple-document parent; AppState()->CurrentLibrary is the
    // library shown.
    TFormLibrary(forms::TComponent* owner, bool trashMode);
    ~TFormLibrary() override;

    model::TLibrary& Library() const { return library_; }
    // The library shown.
    model::TLibElem* FormElem() override { return &library_; }
    bool TrashMode() const { return trashMode_; }

    // Caption "Library : " + name, or "Trash Library".
    void Updateview();
    // Applies the trash mode to the layout: which buttons show, where the mask stands.
    void DisableVisible();
    // Sorts the library by the sort buttons: Type, else Date, else Name, else creation.
    void SortElem();
    // The mask test: the mask button of the element's type is up.
    bool Visible(const model::TLibElem& elem) const;
    // The list index of the element that row Row shows; -1 past the last visible one.
    int CalcIndex(int Row) const;
    // The number of visible elements - 1.
    int MaxVis() const;
    // After an addition with the Date sort or none, the last rows come into view.
    void PosizionaOtt();
    // After a change of the list: row count, column width, the sort when asked, a repaint, the
    // main window's menus when asked.
    void RefreshList(bool sort, bool menus);
    // Moves the selected visible elements into the main window's trash.
    void DeleteSelected();
    // The close handling: keeps the position; frees a saved library (or the trash's reference);
    // asks to save an unsaved one, and Cancel sets the application's CloseCancelled. The window
    // releases itself; Action is always none. The main window's shut-down runs it directly.
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    // The preview hook leaves a Shift + right press on this window's grid to the grid.
    bool PreviewGridHit(const forms::TWinControl& under) const override;

    // The drop's copy into this window's library: a new element of each dragged element's kind,
    // assigned from it, appended in drag order; the library's earlier selection is cleared and it
    // is marked unsaved. Gives the dragged elements it took: all of them. The bank and global
    // windows run it when their drags end here.
    std::vector<model::TLibElem*> ProcCopy();
    // The drop's move out of this window's library: copies into the drag's target window by its
    // kind, then removes from this library only the dragged elements that the target took.
    void ProcMove();

    // What the library knows as its window (its Editor).
    editors::TFormView& View() { return view_; }

    forms::TPanel& Panel;
    forms::TDrawGrid& DrawGrid;
    forms::TBevel& BevelNew;
    forms::TLabel& LabelNew;
    forms::TSpeedButton& Speedcomment;
    forms::TSpeedButton& SpeedPrint;
    forms::TSpeedButton& SpeedDelete;
    forms::TSpeedButton& NewPatch;
    forms::TSpeedButton& NewPerformance;
    forms::TSpeedButton& NewRhythm;
    forms::TSpeedButton& NewSystem;
    forms::THeaderControl& Header;
    forms::TBevel& Bevelmask;
    forms::TLabel& Labelmask;
    forms::TSpeedButton& SpeedSearch;
    forms::TBitBtn& btnClose;
    forms::TBevel& BevelSort;
    forms::TSpeedButton& SpeedType;
    forms::TSpeedButton& SpeedName;
    forms::TSpeedButton& SpeedDate;
    forms::TLabel& Labelsort;
    forms::TSpeedButton& SpeedNuovo;
    forms::TSpeedButton& speedtransmet;
    forms::TSpeedButton& speedreceive;
    forms::TSpeedButton& SpeedHelp;
    forms::TSpeedButton& Speeddebug;
    forms::TSpeedButton& NewPatchBank;
    forms::TSpeedButton& NewPerformanceBank;
    forms::TSpeedButton& NewRhythmBank;
    forms::TSpeedButton& Newglobal;
    forms::TSpeedButton& SpeedPatch;
    forms::TSpeedButton& SpeedPatchBank;
    forms::TSpeedButton& speedPerformance;
    forms::TSpeedButton& speedPerformancebank;
    forms::TSpeedButton& SpeedRhythm;
    forms::TSpeedButton& speedRhythmbank;
    forms::TSpeedButton& Speedsystem;
    TElemPopup& PopupMenu;
    forms::TMenuItem& LoadSysex;
    forms::TMenuItem& SaveSysex;
    forms::TMenuItem& N1;
    forms::TMenuItem& ImportFrom;
    forms::TMenuItem& ExportTo;
    forms::TMenuItem& N2;
    forms::TMenuItem& Send;
    forms::TMenuItem& Receive;
    forms::TMenuItem& N3;
    forms::TMenuItem& edit;
    forms::TMenuItem& Print;
    forms::TMenuItem& Open;
    forms::TMenuItem& N4;
    forms::TMenuItem& Delete;
    forms::TSpeedButton& speedMorph;
    forms::TButton& BtnUnmask;
    forms::TButton& BtnEmpty;
    forms::TSpeedButton& RandomBtn;
    forms::TSpeedButton& speedGlobal;

    // The mask button of each type code.
    forms::TSpeedButton& MaskButton(int type) const { return *maskButtons_.at(type); }
    // The New button of each type code.
    forms::TSpeedButton& NewButton(int type) const { return *newButtons_.at(type); }
    // The popup's subject: the element of the last right click.
    model::TLibElem* PopupElem() const { return PopupMenu.Subject(); }

private:
    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);
    void FormKeyDown(forms::TObject* Sender, forms::WORD& Key, forms::TShiftState Shift);
    void DrawLine(int Row, const forms::TRect& Rect);
    void DrawGridMouseDown(forms::TMouseButton Button, forms::TShiftState Shift, int X, int Y);
    void DrawGridDblClick();
    bool DrawGridDragOver();
    void DrawGridEndDrag(forms::TObject* Target, int X, int Y);
    void PanelClick();
    void New(int Type);
    void SpeedDeleteClick();
    void EmptyClick();
    void UnmaskClick();
    void TransmetClick();
    void ReceiveClick();
    void PrintClick();
    void MorphClick();
    void RandomClick();
    void HelpClick();
    void DeleteClick();
    // The selected visible elements in list order.
    std::vector<model::TLibElem*> SelectedVisible() const;
    // The least window height: 240, or more so that the Close button stays clear of the
    // right-hand column's buttons above it.
    int LeastHeight() const;
    // The tool buttons' pictures, and the element icons of the New and Mask buttons.
    void DrawGlyphs();
    // The library no longer knows this window as its own.
    void Detach();

    model::TLibrary& library_;
    // A normal library window owns its library until it closes; the trash is the main window's.
    std::unique_ptr<model::TLibrary> owned_;
    bool trashMode_;
    TLibraryView view_;
    // The library went before the window.
    bool libraryGone_ = false;

    friend class TLibraryView;
    std::array<forms::TSpeedButton*, 8> maskButtons_{};
    std::array<forms::TSpeedButton*, 8> newButtons_{};
    TElemGridMouse mouse_{DrawGrid};
    TRowIcons rowIcons_;
};

} // namespace app
