#include "toolkit/base/cx_drag_objects.h"

#include "toolkit/base/cx_control.h"
#include "toolkit/base/cx_control_cursors.h"
#include "toolkit/base/cx_popup_window.h"

namespace toolkit::base {

namespace pf = platform::forms;
namespace pg = platform::gdi;

namespace {

pf::drag::TDragObject*& DragObjectRef() {
    static pf::drag::TDragObject* Object = nullptr;
    return Object;
}

// The drag image window of a list: its first image, nothing else.
class TDragImageWindow : public TcxCustomDragImage {
public:
    explicit TDragImageWindow(const TcxImageList& AImages)
        : TcxCustomDragImage(nullptr), FImages(AImages) {}

protected:
    void Paint() override { FImages.Draw(0, Canvas(), ClientRect()); }

private:
    const TcxImageList& FImages;
};

} // namespace

pf::drag::TDragObject* cxDragObject() {
    // A drag that ended while over a control left no leave notice: its object is gone.
    pf::drag::TDragObject*& Object = DragObjectRef();
    if (Object && Object != pf::drag::CurrentDragObject()) Object = nullptr;
    return Object;
}

void cxSetDragObject(pf::drag::TDragObject* Value) {
    DragObjectRef() = Value;
}

// ---- TcxDragControlObject ----

TcxDragControlObject::TcxDragControlObject(TcxControl* AControl)
    : pf::drag::TDragControlObject(AControl) {}

pf::TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    auto* Control = dynamic_cast<TcxControl*>(this->Control());
    if (Accepted && Control && Control->IsCopyDragDrop()) return crcxDragCopy;
    return pf::drag::TDragControlObject::GetDragCursor(Accepted, X, Y);
}

// ---- TcxDragImageList ----

TcxDragImageList::TcxDragImageList(TComponent* AOwner) : TcxImageList(AOwner) {}

TcxDragImageList::~TcxDragImageList() = default;

void TcxDragImageList::BeginDrag(pg::TPoint screen) {
    if (Count() == 0) return;
    FDragImage = std::make_unique<TDragImageWindow>(*this);
    FDragImage->SetBounds(screen.X - HotSpot.X, screen.Y - HotSpot.Y, Width(), Height());
    FDragImage->Show();
}

void TcxDragImageList::DragMove(pg::TPoint screen) {
    if (FDragImage)
        FDragImage->SetBounds(screen.X - HotSpot.X, screen.Y - HotSpot.Y, Width(), Height());
}

void TcxDragImageList::EndDrag() {
    FDragImage.reset();
}

void TcxDragImageList::HideDragImage() {
    if (FDragImage) FDragImage->Hide();
}

void TcxDragImageList::ShowDragImage() {
    if (FDragImage) FDragImage->Show();
}

} // namespace toolkit::base
