#include "editors/rhythm_note_page.h"

#include "controls/value_text.h"
#include "model/transfer/activation.h"
#include "platform/forms/place_control.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace editors {

model::TRhythm* TRhythmNotePage::PageRhythm = nullptr;
model::TClipboard* TRhythmNotePage::PageClipboard = nullptr;

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
// The key selector's index of key 35; a note's key is the index + 36.
constexpr int KeyIndexBase = 36;
constexpr int FirstIndex = model::FirstRhythmKey - KeyIndexBase;

model::TRhythm& TakeRhythm() {
    assert(TRhythmNotePage::PageRhythm != nullptr && "the opener sets PageRhythm first");
    return *TRhythmNotePage::PageRhythm;
}

model::TClipboard& TakeClipboard() {
    assert(TRhythmNotePage::PageClipboard != nullptr && "the opener sets PageClipboard first");
    return *TRhythmNotePage::PageClipboard;
}

} // namespace

model::TEditorSlot& RhythmPageSlot(model::TRhythm& rhythm, model::TPageKind kind) {
    switch (kind) {
    case model::RHYPITCH:
        return rhythm.PitchWindow;
    case model::RHYTVF:
        return rhythm.TVFWindow;
    case model::RHYTVA:
        return rhythm.TVAWindow;
    default:
        return rhythm.MainWindow;
    }
}

// The note of the key the page edits; the whole rhythm set is what Revert sends.
class TRhythmNotePage::TSelectedNote final : public TPageRecord {
public:
    TSelectedNote(model::TRhythm& rhythm, model::TEditorSlot& slot)
        : rhythm_(rhythm), slot_(slot) {}

    std::uint8_t GetParam(std::size_t n) const override { return Note().GetParam(n); }
    void SetParam(std::size_t n, std::uint8_t value) override { Note().SetParam(n, value); }
    void SetParams(std::size_t first, std::span<const std::uint8_t> values) override {
        Note().SetParams(first, values);
    }
    void SendAll() const override { rhythm_.SendAll(); }
    std::span<std::uint8_t> Data() override { return Note().Data(); }
    model::TEditorSlot& Slot() override { return slot_; }

    model::TRhythmNote& Note() const { return rhythm_.Note(Key); }

    int Key = model::FirstRhythmKey;

private:
    model::TRhythm& rhythm_;
    model::TEditorSlot& slot_;
};

TRhythmNotePage::TRhythmNotePage(forms::TComponent* owner, model::TPageKind kind, int helpContext,
                                 std::string pageName)
    : TEditorPage(owner, TakeRhythm(),
                  std::make_unique<TSelectedNote>(TakeRhythm(), RhythmPageSlot(TakeRhythm(), kind)),
                  helpContext),
      KeySelector(forms::PlaceControl<controls::TKeySelector>(*this, *this, 8, 8, 384, 50)),
      Key(forms::PlaceControl<forms::TEdit>(*this, *this, 400, 8, 56, 21)),
      BtnReverAll(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 32 + 3 * ButtonWidth, 4,
                                                      ButtonWidth, ButtonHeight, "Revert All")),
      CopyBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 40 + 4 * ButtonWidth, 4,
                                                  ButtonWidth, ButtonHeight, "Copy")),
      PasteBtn(forms::PlaceControl<forms::TBitBtn>(*this, PanelBtn, 48 + 5 * ButtonWidth, 4,
                                                   ButtonWidth, ButtonHeight, "Paste")),
      rhythm_(TakeRhythm()), clipboard_(TakeClipboard()), kind_(kind),
      pageName_(std::move(pageName)), note_(static_cast<TSelectedNote&>(Record())) {
    Key.SetReadOnly(true);
    KeySelector.OnChange = [this](forms::TObject* sender) { KeySelectorChange(sender); };
    KeySelector.OnEndchange = [this](forms::TObject* sender) { KeySelectorEndchange(sender); };
    BtnReverAll.OnClick = [this](forms::TObject* sender) { BtnReverAllClick(sender); };
    CopyBtn.OnClick = [this](forms::TObject* sender) { CopyBtnClick(sender); };
    PasteBtn.OnClick = [this](forms::TObject* sender) { PasteBtnClick(sender); };
    // Every page starts on key 35 with no key's undo entries.
    OnShow = [this](forms::TObject*) {
        KeySelector.SetKeySelected(FirstIndex);
        note_.Key = model::FirstRhythmKey;
        ShowKey();
        Updateview();
        ClearUndo();
    };
}

int TRhythmNotePage::SelectedKey() const {
    return note_.Key;
}

model::TUndoList& TRhythmNotePage::UndoList() {
    return UndoListOf(note_.Key);
}

void TRhythmNotePage::ClearUndo() {
    for (model::TUndoList& list : undo_)
        list.Clear();
    CheckBtnEnabled();
}

std::string TRhythmNotePage::CaptionText() const {
    return " [" + pageName_ + "] [Loc : ";
}

void TRhythmNotePage::ActivateElem() {
    model::ActivateRhythm(&rhythm_);
}

void TRhythmNotePage::ShowMore() {
    PasteBtn.SetEnabled(clipboard_.RhythmKinds.contains(kind_));
}

void TRhythmNotePage::PlaceNoteButtons(int top, int width) {
    PlaceButtons(top, std::max(width, 56 + 6 * ButtonWidth));
}

void TRhythmNotePage::ShowKey() {
    Key.SetText(controls::NoteToText(KeySelector.KeySelected() + KeyIndexBase) + "  ");
}

void TRhythmNotePage::KeySelectorChange(forms::TObject*) {
    ShowKey();
}

void TRhythmNotePage::KeySelectorEndchange(forms::TObject*) {
    ShowKey();
    note_.Key = KeySelector.KeySelected() + KeyIndexBase;
    Updateview();
}

void TRhythmNotePage::BtnReverAllClick(forms::TObject*) {
    for (int key = model::FirstRhythmKey; key <= model::LastRhythmKey; ++key) {
        model::TUndoList& list = UndoListOf(key);
        std::span<std::uint8_t> data = rhythm_.Note(key).Data();
        std::uint16_t offset = 0;
        std::uint8_t value = 0;
        std::uint8_t count = 0;
        // Newest first, so that each byte keeps the oldest value pushed for it.
        while (list.Pop(offset, value, count))
            if (offset < data.size()) data[offset] = value;
    }
    KeySelector.SetKeySelected(FirstIndex);
    note_.Key = model::FirstRhythmKey;
    ShowKey();
    Updateview();
    rhythm_.SendAll();
}

void TRhythmNotePage::CopyBtnClick(forms::TObject*) {
    clipboard_.CopyRhythmNote(note_.Note(), kind_);
    PasteBtn.SetEnabled(clipboard_.RhythmKinds.contains(kind_));
}

void TRhythmNotePage::PasteBtnClick(forms::TObject*) {
    clipboard_.PasteRhythmNote(note_.Note(), kind_);
    Updateview();
    rhythm_.SendAll();
}

} // namespace editors
