#pragma once
// What the four note pages of a rhythm set share beyond the engine: the note they edit is the
// key picked on a piano key selector (keys 35..98), each key keeps its own undo list, "Revert
// All" takes back every key's changes, and the page's bytes of a note are copied and pasted
// through the program's part clipboard. The rhythm set keeps the page's window and position;
// activating a page sends the rhythm set to the edit buffer. OpenRhythmNotePage opens a page as
// the rhythm window's double-click does.

#include "controls/key_selector.h"
#include "editors/editor_page.h"
#include "model/editing/clipboard.h"
#include "model/editing/page_kinds.h"
#include "model/elements/rhythm.h"
#include "platform/forms/std_ctrls.h"

#include <array>
#include <cassert>
#include <string>

namespace editors {

// The rhythm set's slot of the note page of kind (RHYMAIN..RHYTVA).
model::TEditorSlot& RhythmPageSlot(model::TRhythm& rhythm, model::TPageKind kind);

class TRhythmNotePage : public TEditorPage {
public:
    // Where a page's own controls begin, below the key selector.
    static constexpr int NoteTop = 72;
    // The unit's variables: the opener sets them just before it makes a page.
    static model::TRhythm* PageRhythm;
    static model::TClipboard* PageClipboard;

    // kind: the page's kind, which also says what Copy and Paste carry; pageName: "Main", ...
    TRhythmNotePage(forms::TComponent* owner, model::TPageKind kind, int helpContext,
                    std::string pageName);

    model::TRhythm& Rhythm() const { return rhythm_; }
    // The key edited, 35..98.
    int SelectedKey() const;
    // The undo list of the key edited.
    model::TUndoList& UndoList() override;
    model::TUndoList& UndoListOf(int key) {
        return undo_.at(static_cast<std::size_t>(key - model::FirstRhythmKey));
    }
    void ClearUndo() override;

    void KeySelectorChange(forms::TObject* Sender);
    void KeySelectorEndchange(forms::TObject* Sender);
    void BtnReverAllClick(forms::TObject* Sender);
    void CopyBtnClick(forms::TObject* Sender);
    void PasteBtnClick(forms::TObject* Sender);

    controls::TKeySelector& KeySelector;
    forms::TEdit& Key;
    forms::TBitBtn& BtnReverAll;
    forms::TBitBtn& CopyBtn;
    forms::TBitBtn& PasteBtn;

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;
    void ShowMore() override;
    // The button panel at top, at least wide enough for its six buttons.
    void PlaceNoteButtons(int top, int width);

private:
    class TSelectedNote;
    void ShowKey();

    model::TRhythm& rhythm_;
    model::TClipboard& clipboard_;
    model::TPageKind kind_;
    std::string pageName_;
    TSelectedNote& note_;
    std::array<model::TUndoList, model::RhythmNoteCount> undo_;
};

// Page's window of the rhythm set: brought to the front when the rhythm set has it open, else
// made with owner as its owner after the unit's variables were set, and shown.
template <class Page>
Page& OpenRhythmNotePage(model::TRhythm& rhythm, model::TClipboard& clipboard,
                         forms::TComponent& owner) {
    model::TEditorSlot& slot = RhythmPageSlot(rhythm, Page::Kind);
    if (slot.Open && slot.Window != nullptr) {
        auto* view = dynamic_cast<TPageView*>(slot.Window);
        assert(view != nullptr);
        slot.Window->BringToFront();
        return static_cast<Page&>(view->Page());
    }
    TRhythmNotePage::PageRhythm = &rhythm;
    TRhythmNotePage::PageClipboard = &clipboard;
    Page& page = owner.Own<Page>();
    page.AfterConstruction();
    page.Show();
    return page;
}

} // namespace editors
