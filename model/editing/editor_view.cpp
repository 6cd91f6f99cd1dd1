#include "model/editing/editor_view.h"

namespace model {

void TEditorSlot::Close() {
    TEditorView* window = Window;
    const bool open = Open;
    Window = nullptr;
    Open = false;
    if (open && window != nullptr) window->CloseByOwner();
}

void TEditorSlot::SavePosition() {
    if (!Open || Window == nullptr) return;
    Left = Window->Left();
    Top = Window->Top();
}

void TEditorSlot::UpDateView(TViewChange Change) const {
    if (!Open || Window == nullptr) return;
    if (Change == TViewChange::Data) Window->ClearUndo();
    Window->UpDateView();
}

} // namespace model
