#pragma once
// An open editor window as the data model sees it, and the place a record keeps it.

#include <cstdint>

namespace model {

// Why windows show their element anew: its data was replaced as a whole (received, loaded, copied
// or pasted into), so parameter pages forget their undo entries, which would write old bytes
// into new data; or only where it is kept changed (its library saved under a new name), so the
// captions follow and the undo entries stay.
enum class TViewChange { Data, Place };

class TEditorView {
public:
    virtual ~TEditorView() = default;

    virtual void UpDateView() = 0;
    // Parameter pages only: the record's data was replaced as a whole (received, loaded, copied
    // or pasted into), so the page's undo entries, which would write old bytes into new data,
    // are forgotten.
    virtual void ClearUndo() {}
    virtual std::int16_t Left() const = 0;
    virtual std::int16_t Top() const = 0;
    // Closes the window for its owner, which is going: the window's destroy handler runs, its
    // close handler is cleared and the window is freed.
    virtual void CloseByOwner() = 0;
    // Element windows only: shown in front of the others when opened a second time.
    virtual void BringToFront() {}
    // Bank, global and library windows only; -1 where the window has no saved size.
    virtual std::int16_t Width() const { return -1; }
    virtual std::int16_t Height() const { return -1; }
};

// One editor window of a record: the window while open, and where it stood when last closed
// (0, 0 until then).
struct TEditorSlot {
    TEditorView* Window = nullptr;
    bool Open = false;
    std::int16_t Left = 0;
    std::int16_t Top = 0;

    void Close();
    void SavePosition();
    // Refreshes the window while it is open; for a change of the data it forgets its undo
    // entries first.
    void UpDateView(TViewChange Change = TViewChange::Data) const;
};

} // namespace model
