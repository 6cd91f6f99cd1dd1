#include "platform/forms/drag_drop.h"

#include "platform/forms/screen.h"
#include "platform/win/cursors.h"
#include "platform/win/input_state.h"
#include "platform/win/window.h"

#include <cstdlib>

namespace platform::forms::drag {

using namespace win;

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) {
    return Accepted ? control_->DragCursor : crNoDrop;
}

void TDragObject::Finished(core::TObject* Target, int X, int Y, bool) {
    control_->DoEndDrag(Target, X, Y);
}

TDragImageList* TDragControlObject::GetDragImages() {
    return Control()->GetDragImages();
}

namespace {

constexpr int DefaultThreshold = 5;

struct DragState {
    TControl* source = nullptr;
    TControl* target = nullptr;
    HWND capture{};
    TPoint start;
    int threshold = DefaultThreshold;
    bool started = false;
    bool accepted = false;
    std::unique_ptr<TDragObject> object;
    // Owned by the source (through its drag object); shown from the start to the end.
    TDragImageList* images = nullptr;
};

// The one drag of the process (the class library keeps it the same way).
DragState& State() {
    static DragState state;
    return state;
}

TPoint TargetPoint(TControl* target, TPoint screen) {
    return target->ScreenToClient(screen);
}

void SetDragCursor(TPoint screen) {
    DragState& s = State();
    const TCursor cursor = s.object ? s.object->GetDragCursor(s.accepted, screen.X, screen.Y)
                                    : (s.accepted ? s.source->DragCursor : crNoDrop);
    win::SetCursor(ScreenCursor(cursor));
}

void MoveTo(TPoint screen) {
    DragState& s = State();
    TControl* now = FindDragTarget(screen, false);
    if (now != s.target) {
        if (TControl* old = s.target) {
            s.target = nullptr;
            TPoint p = TargetPoint(old, screen);
            old->DragOver(s.source, p.X, p.Y, dsDragLeave);
        }
        if (!s.source) return;
        s.target = now;
        s.accepted = false;
        if (now) {
            TPoint p = TargetPoint(now, screen);
            s.accepted = now->DragOver(s.source, p.X, p.Y, dsDragEnter);
        }
    } else if (now) {
        TPoint p = TargetPoint(now, screen);
        s.accepted = now->DragOver(s.source, p.X, p.Y, dsDragMove);
    }
    if (!s.source) return;
    SetDragCursor(screen);
    if (s.images) s.images->DragMove(screen);
}

void Start(TPoint screen) {
    TControl* source = State().source;
    State().started = true;
    source->DoStartDrag();
    // The source may have cancelled it.
    DragState& s = State();
    if (s.source != source) return;
    if (!s.object) s.object = std::make_unique<TDragControlObject>(source);
    s.images = s.object->GetDragImages();
    if (s.images) s.images->BeginDrag(screen);
}

// Ends the drag; with drop, a target that accepted gets the drop first.
void Finish(bool drop, TPoint screen) {
    DragState s = std::move(State());
    State() = DragState{};
    if (GetCapture() == s.capture && s.capture != NullHWnd) ReleaseCapture();
    TControl* target = nullptr;
    TPoint p = s.source->ScreenToClient(screen);
    if (s.started && s.target) {
        TPoint tp = TargetPoint(s.target, screen);
        if (drop && s.accepted) {
            target = s.target;
            p = tp;
        } else {
            s.target->DragOver(s.source, tp.X, tp.Y, dsDragLeave);
        }
    }
    if (!drop) p = {0, 0};
    Screen().SetCursor(Screen().Cursor());
    // The image goes before the target shows what the drop did.
    if (s.images) s.images->EndDrag();
    if (target) target->DragDrop(s.source, p.X, p.Y);
    // A drag that never passed its threshold has no object yet; the source hears of it alike.
    if (!s.object) s.object = std::make_unique<TDragControlObject>(s.source);
    s.object->Finished(target, p.X, p.Y, target != nullptr);
}

// The images the drag shows for object: none before the drag has started or after it ended.
TDragImageList* ShownImages(const TDragObject* object) {
    return State().object.get() == object ? State().images : nullptr;
}

} // namespace

void Begin(TControl* source, bool immediate, int threshold) {
    DragState& s = State();
    if (s.source) return;
    s.source = source;
    s.threshold = threshold < 0 ? DefaultThreshold : threshold;
    GetCursorPos(&s.start);
    HWND wnd = NullHWnd;
    if (auto* w = dynamic_cast<TWinControl*>(source))
        wnd = w->Handle();
    else if (source->Parent())
        wnd = source->Parent()->Handle();
    s.capture = wnd;
    if (wnd != NullHWnd) win::SetCapture(wnd);
    // SetCapture may have ended it already (the old capture's owner reacted).
    if (State().source != source) return;
    State().capture = wnd;
    if (immediate) {
        Start(State().start);
        if (State().source != source) return;
        MoveTo(State().start);
    }
}

void End(TControl* source, bool drop) {
    if (State().source != source || !source) return;
    TPoint p;
    GetCursorPos(&p);
    Finish(drop, p);
}

TDragObject* CurrentDragObject() {
    return State().object.get();
}

void SetDragObject(std::unique_ptr<TDragObject> Object) {
    if (State().source) State().object = std::move(Object);
}

void TDragObject::HideDragImage() {
    if (TDragImageList* images = ShownImages(this)) images->HideDragImage();
}

void TDragObject::ShowDragImage() {
    if (TDragImageList* images = ShownImages(this)) images->ShowDragImage();
}

bool IsDragging(const TControl* source) {
    return source && State().source == source;
}

void Forget(const TControl* control) {
    DragState& s = State();
    if (s.target == control) {
        s.target = nullptr;
        s.accepted = false;
    }
    if (s.source == control) {
        HWND capture = s.capture;
        s = DragState{};
        if (GetCapture() == capture && capture != NullHWnd) ReleaseCapture();
    }
}

bool HandleMessage(HWND wnd, TMessage& message) {
    DragState& s = State();
    if (!s.source) return false;
    const bool key = message.Msg == WM_KEYDOWN || message.Msg == WM_KEYUP || message.Msg == WM_CHAR;
    if (key) {
        if (message.Msg == WM_KEYDOWN && message.WParam == static_cast<WPARAM>(VK_ESCAPE)) {
            TPoint p;
            GetCursorPos(&p);
            Finish(false, p);
        }
        return true;
    }
    if (wnd != s.capture) return false;
    auto screenPoint = [&] {
        TPoint p = LParamToPoint(message.LParam);
        win::ClientToScreen(wnd, &p);
        return p;
    };
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        TPoint p = screenPoint();
        if (!s.started &&
            (std::abs(p.X - s.start.X) > s.threshold || std::abs(p.Y - s.start.Y) > s.threshold))
            Start(p);
        if (State().source && State().started) MoveTo(p);
        return true;
    }
    case WM_LBUTTONUP:
        Finish(true, screenPoint());
        return true;
    case WM_RBUTTONDOWN:
        Finish(false, screenPoint());
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    case WM_CAPTURECHANGED: {
        TPoint p;
        GetCursorPos(&p);
        State().capture = NullHWnd;
        Finish(false, p);
        return false;
    }
    default:
        return false;
    }
}

} // namespace platform::forms::drag
