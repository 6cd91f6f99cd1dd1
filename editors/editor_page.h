#pragma once
// The editor page engine: every parameter page is a multiple-document child that edits one block
// of one element through the rows of its table. The engine does, once for all pages: showing the
// record (Updateview) with every user-change handler suppressed while it runs, storing and
// sending a user's change (SendandStore, SendAndStoreArray) with its undo entries, Undo and
// Revert, the Undo/Revert/Close panel, the caption, the record's open flag, window and saved
// position, and the window events (create, show, activate, close, destroy, resize).
//
// A page gives its table (AddRow), its help context, its caption text and what activating it
// sends; its own controls beyond the table it shows in ShowMore. Showing a page never stores or
// sends: a record byte outside a control's values (2 in a switch) changes nothing by being shown.

#include "editors/elem_window.h"
#include "editors/form_view.h"
#include "editors/page_record.h"
#include "editors/page_rows.h"
#include "model/editing/undo_list.h"
#include "platform/forms/buttons.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/forms.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace model {
class TLibElem;
}

namespace editors {

namespace forms = platform::forms;

class TEditorPage;

// How the record sees an open page: a view that also forgets the page's undo entries.
class TPageView final : public TFormView {
public:
    explicit TPageView(TEditorPage& page);
    void ClearUndo() override;
    TEditorPage& Page() const { return page_; }

private:
    TEditorPage& page_;
};

class TEditorPage : public forms::TForm, public TElemWindow, public TPageStore {
public:
    // Made by the opener right after it set the page unit's variables; record is the block the
    // page edits and elem the element that holds it. The main form must be the
    // multiple-document parent.
    TEditorPage(forms::TComponent* owner, model::TLibElem& elem,
                std::unique_ptr<TPageRecord> record, int helpContext);
    ~TEditorPage() override;

    // Fills every control from the record; runs with Updating set.
    void Updateview();
    void SendandStore(std::uint16_t Offset, std::uint8_t Value) override;
    // Several consecutive bytes as one message, with one undo group.
    void SendAndStoreArray(std::uint16_t Offset, std::span<const std::uint8_t> Values) override;
    void CheckBtnEnabled();
    void BtnUndoClick(forms::TObject* Sender);
    void BtnRevertClick(forms::TObject* Sender);
    void BtncloseClick(forms::TObject* Sender);
    // The element's data was replaced as a whole: every undo list of the page is emptied.
    virtual void ClearUndo();

    bool Updating() const { return updating_; }
    model::TLibElem* FormElem() override;
    model::TLibElem& Elem() const { return elem_; }
    TPageRecord& Record() const { return *record_; }
    const std::vector<std::unique_ptr<TPageRow>>& Rows() const { return rows_; }
    // The undo list of what the page shows (the common page keeps one per notebook page).
    virtual model::TUndoList& UndoList() { return undo_; }

    forms::TPanel& PanelBtn;
    forms::TBitBtn& BtnUndo;
    forms::TBitBtn& BtnRevert;
    forms::TBitBtn& Btnclose;

protected:
    // A row of the page's table: bound to the engine's end-of-change handler, shown by
    // Updateview. Call from the page's constructor.
    template <class Row, class... Args> Row& AddRow(Args&&... args) {
        auto row = std::make_unique<Row>(std::forward<Args>(args)...);
        Row& added = *row;
        Bind(std::move(row));
        return added;
    }
    // The caption's text between the element's name and its ElemPath (" [Pitch] [Tone 2] [Loc : ").
    virtual std::string CaptionText() const = 0;
    // Sends the element to the edit buffer when the page becomes active (ActivatePatch); a page
    // that does not leaves it empty.
    virtual void ActivateElem() {}
    // What the page shows beyond its table, inside Updateview.
    virtual void ShowMore() {}
    // Places the Undo/Revert/Close panel across the page's foot, below its controls; the window
    // keeps fitted to it.
    void PlaceButtons(int top, int width);

    void FormCreate(forms::TObject* Sender);
    void FormShow(forms::TObject* Sender);
    void FormActivate(forms::TObject* Sender);
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);
    void FormDestroy(forms::TObject* Sender);
    void FormResize(forms::TObject* Sender);

private:
    void Bind(std::unique_ptr<TPageRow> row);
    // After the page changed its record: the element's own window shows the element anew.
    void ShowInElementWindow();
    // A row's end of change: stored unless the page is showing its record.
    void RowEnded(const TPageRow& row);

    model::TLibElem& elem_;
    std::unique_ptr<TPageRecord> record_;
    std::vector<std::unique_ptr<TPageRow>> rows_;
    model::TUndoList undo_;
    TPageView view_;
    bool updating_ = false;
};

} // namespace editors
