#pragma once
// A library window: one library as a list of its elements, with the type mask, the three sort
// orders, new elements of every kind, delete into the trash, transfers of the selection, single
// entries' files, printing and the library's comment. Its selection is dragged into other
// library windows, bank and global windows and the trash; library, bank and global windows drop
// into it. The same window shows the trash library in trash mode. It takes its library from the
// application state's current-library slot while it is created, and the library knows it as its
// editor window.

#include "app/elem_list_form.h"
#include "app/form_quintaron.h"
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
#include <optional>
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

class TFormLibrary : public TElemListForm, public TPreviewGridOwner {
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
    // Applies the trash mode to the layout: which buttons show, where the mask stands. The last
    // step of opening the window: the library then keeps the size the window was given.
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

    // TDropTarget. A drag from another library window is taken; one from a bank or global
    // window too, unless this is the trash.
    bool AcceptDrop(const model::TDragInfo& Info, forms::TPoint Point) override;
    // The drop's copy into this window's library (ProcCopy): a new element of each dragged
    // element's kind, assigned from it, appended in drag order; the library's earlier selection
    // is cleared and it is marked unsaved. Gives the dragged elements it took: all of them.
    std::vector<model::TLibElem*> TakeDrop(const model::TDragInfo& Info,
                                           forms::TPoint Point) override;
    // A library's drop here asks Copy or Move at the drop point; into the trash it moves at once.
    std::optional<forms::TPoint> CopyMoveAt(forms::TPoint Point) const override;

    // What the library knows as its window (its Editor).
    editors::TFormView& View() { return view_; }

    // The controls, each of its kind; the constructor's table lays them out.
    forms::TBevel& BevelNew = Own<forms::TBevel>();
    forms::TLabel& LabelNew = Own<forms::TLabel>();
    forms::TSpeedButton& Speedcomment = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedPrint = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedDelete = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewPatch = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewPerformance = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewRhythm = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewSystem = Own<forms::TSpeedButton>();
    forms::TBevel& Bevelmask = Own<forms::TBevel>();
    forms::TLabel& Labelmask = Own<forms::TLabel>();
    forms::TSpeedButton& SpeedSearch = Own<forms::TSpeedButton>();
    forms::TBitBtn& btnClose = Own<forms::TBitBtn>();
    forms::TBevel& BevelSort = Own<forms::TBevel>();
    forms::TSpeedButton& SpeedType = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedName = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedDate = Own<forms::TSpeedButton>();
    forms::TLabel& Labelsort = Own<forms::TLabel>();
    forms::TSpeedButton& SpeedNuovo = Own<forms::TSpeedButton>();
    forms::TSpeedButton& speedtransmet = Own<forms::TSpeedButton>();
    forms::TSpeedButton& speedreceive = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedHelp = Own<forms::TSpeedButton>();
    forms::TSpeedButton& Speeddebug = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewPatchBank = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewPerformanceBank = Own<forms::TSpeedButton>();
    forms::TSpeedButton& NewRhythmBank = Own<forms::TSpeedButton>();
    forms::TSpeedButton& Newglobal = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedPatch = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedPatchBank = Own<forms::TSpeedButton>();
    forms::TSpeedButton& speedPerformance = Own<forms::TSpeedButton>();
    forms::TSpeedButton& speedPerformancebank = Own<forms::TSpeedButton>();
    forms::TSpeedButton& SpeedRhythm = Own<forms::TSpeedButton>();
    forms::TSpeedButton& speedRhythmbank = Own<forms::TSpeedButton>();
    forms::TSpeedButton& Speedsystem = Own<forms::TSpeedButton>();
    // After the shared popup's items.
    forms::TMenuItem& N4 = PopupMenu.Items().Add("-");
    forms::TMenuItem& Delete = PopupMenu.Items().Add("Delete");
    forms::TSpeedButton& speedMorph = Own<forms::TSpeedButton>();
    forms::TButton& BtnUnmask = Own<forms::TButton>();
    forms::TButton& BtnEmpty = Own<forms::TButton>();
    forms::TSpeedButton& RandomBtn = Own<forms::TSpeedButton>();
    forms::TSpeedButton& speedGlobal = Own<forms::TSpeedButton>();

    // The mask button of each type code.
    forms::TSpeedButton& MaskButton(int type) const { return *maskButtons_.at(type); }
    // The New button of each type code.
    forms::TSpeedButton& NewButton(int type) const { return *newButtons_.at(type); }

protected:
    // The visible element of a row (CalcIndex).
    int EntryOfRow(int Row) const override { return CalcIndex(Row); }
    void DrawEntry(platform::gdi::TCanvas& Canvas, model::TLibElem& Elem, int Row,
                   int Top) override;
    // The selected visible elements.
    void BuildDragList(model::TDragInfo& Info) override;
    // A patch is sent to the edit buffer and sounds with the preview timer; anything else, or no
    // element, sounds at once.
    void PreviewEntry(int Entry) override;
    // A load re-sorts the library.
    void EntryLoaded() override { SortElem(); }
    // As the Delete Selected button.
    void DropInBin() override { SpeedDeleteClick(); }
    // The end of ProcMove: what the target took goes from this library.
    void RemoveMoved(const std::vector<model::TLibElem*>& Taken) override;

private:
    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);
    void FormKeyDown(forms::TObject* Sender, forms::WORD& Key, forms::TShiftState Shift);
    void New(int Type);
    void SpeedDeleteClick();
    void EmptyClick();
    void UnmaskClick();
    void TransmetClick();
    void ReceiveClick();
    void PrintClick();
    void MorphClick();
    void RandomClick();
    void CommentClick();
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
};

} // namespace app
