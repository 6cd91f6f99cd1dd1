#include "app/elem_grid_mouse.h"

#include "app/form_quintaron.h"
#include "model/editing/drag_info.h"
#include "model/editing/selection.h"
#include "platform/core/message_loop.h"

namespace app {

bool TElemGridMouse::Press(int Y) {
    if (doubleClick_) {
        doubleClick_ = false;
        return false;
    }
    pressY_ = Y;
    return true;
}

int TElemGridMouse::ClickMode(forms::TShiftState Shift) {
    return (Shift & forms::ssShift) != 0  ? model::scShift
           : (Shift & forms::ssCtrl) != 0 ? model::scCtrl
                                          : model::scPlain;
}

void TElemGridMouse::Select(std::vector<std::unique_ptr<model::TLibElem>>& Elems, int Entry,
                            int Mode) {
    if (Elems[static_cast<std::size_t>(Entry)]->Selected) return;
    model::SelectByClick(Elems, Entry, Mode);
    grid_.Invalidate();
}

model::TDragInfo* TElemGridMouse::StartDrag(forms::TObject* Source) {
    TFormquintaron* main = MainWindow();
    if (main == nullptr) return nullptr;
    main->DoubleClick = false;
    // The drag starts once the pointer moves past the threshold; a release before that is a
    // click.
    grid_.BeginDrag(false, -1);
    model::TDragInfo& info = main->DragInfo();
    info.Accept = false;
    info.Source = Source;
    return &info;
}

void TElemGridMouse::DoubleClick(model::TLibElem* Elem) {
    if (TFormquintaron* main = MainWindow()) main->DoubleClick = true;
    doubleClick_ = true;
    if (Elem != nullptr) Elem->OpenEditor();
    // The pending drag ends with the button's release.
    if (grid_.HandleAllocated())
        platform::core::PostMessage(grid_.Handle(), platform::win::WM_LBUTTONUP, 0, 0);
}

} // namespace app
