#pragma once
// The library's side of the platform's object drag (drag from one control to another): the drag
// object of a TcxControl, which shows the copy cursor over an accepting target while the source
// asks for a copy (IsCopyDragDrop), and the drag image list a TcxControl fills with the picture
// it draws of itself, shown as a translucent popup (TcxCustomDragImage) that follows the pointer
// and never catches the mouse.

#include "toolkit/base/cx_image_list.h"

#include "platform/forms/drag_drop.h"

#include <memory>

namespace toolkit::base {

class TcxControl;
class TcxCustomDragImage;

class TcxDragControlObject : public platform::forms::drag::TDragControlObject {
public:
    explicit TcxDragControlObject(TcxControl* AControl);
    // The copy cursor (crcxDragCopy) when Accepted and the control asks for a copy; else the
    // platform's. The drag frees the object once it is Finished.
    platform::forms::TCursor GetDragCursor(bool Accepted, int X, int Y) override;
};

class TcxDragImageList : public TcxImageList, public platform::forms::drag::TDragImageList {
public:
    explicit TcxDragImageList(TComponent* AOwner = nullptr);
    ~TcxDragImageList() override;

    // The first image, its hot spot at the pointer (screen), shown without taking activation.
    void BeginDrag(platform::gdi::TPoint screen) override;
    void DragMove(platform::gdi::TPoint screen) override;
    void EndDrag() override;
    void HideDragImage() override;
    void ShowDragImage() override;

    // The window showing the image while a drag runs; nullptr otherwise.
    TcxCustomDragImage* DragImage() const { return FDragImage.get(); }

private:
    std::unique_ptr<TcxCustomDragImage> FDragImage;
};

// The platform drag object that is over a library control now; nullptr when none (TcxControl's
// DragOver sets it; it is forgotten when that drag ends).
platform::forms::drag::TDragObject* cxDragObject();
void cxSetDragObject(platform::forms::drag::TDragObject* Value);

} // namespace toolkit::base
