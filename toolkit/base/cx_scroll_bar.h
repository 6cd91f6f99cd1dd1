#pragma once
// The toolkit's own scroll bar: drawn by the look-and-feel painter, so that the scroll bars of
// the toolkit's controls match their borders and buttons in every style. It paints off screen
// and copies the picture, tracks hot and pressed parts, repeats a held arrow or page press on
// its timer (400 ms, then every 60 ms) and reports scrolling with the platform's scroll codes.
// Positions it reports or stores are always inside Min..Max.

#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/look_and_feel.h"

#include "platform/forms/controls.h"

#include <functional>
#include <memory>

namespace toolkit::base {

class TcxTimer;
class TdxThemeChangedNotificator;

enum TScrollBarKind : unsigned char { sbHorizontal, sbVertical };

enum TScrollCode : unsigned char {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

// The handler may change ScrollPos; what it leaves is clamped to Min..Max.
using TScrollEvent =
    std::function<void(platform::core::TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// What the geometry of a scroll bar depends on; the bar fills it from itself, the system
// metrics and its painter.
struct TcxScrollBarGeometryParams {
    TRect Bounds;
    bool Horizontal = true;
    bool Enabled = true;
    // The system's scroll-bar size (the arrow buttons' length) and thumb length without a page.
    int ButtonSize = 0;
    int SystemThumbSize = 0;
    int MinThumbSize = 0;
    int Min = 0, Max = 100, PageSize = 0, Position = 0;
};

struct TcxScrollBarRects {
    TRect FirstButton, SecondButton, Thumb, FirstPage, SecondPage;
};

// The parts' rectangles; the thumb is empty when there is none. When the range left beside the
// page is not positive, or the thumb fills the track, the thumb sits at the track's start.
TcxScrollBarRects cxCalculateScrollBarRects(const TcxScrollBarGeometryParams& P);

class TcxScrollBar;

class TcxScrollBarViewInfo {
public:
    explicit TcxScrollBarViewInfo(TcxScrollBar& AScrollBar) : FScrollBar(AScrollBar) {}
    virtual ~TcxScrollBarViewInfo() = default;
    TcxScrollBarViewInfo(const TcxScrollBarViewInfo&) = delete;
    TcxScrollBarViewInfo& operator=(const TcxScrollBarViewInfo&) = delete;

    virtual void Calculate();
    void Recalculate() { Calculate(); }

    const TcxScrollBarRects& Rects() const { return FRects; }
    // Puts the thumb where a drag holds it, the page areas around it.
    void SetThumbOffset(int Offset);
    // The track between the buttons, along the bar.
    int TrackStart() const;
    int TrackLength() const;
    int ThumbLength() const;
    int ThumbOffset() const;
    bool HasThumb() const { return !platform::gdi::IsRectEmpty(FRects.Thumb); }
    int MinThumbSize() const { return FMinThumbSize; }
    void SetMinThumbSize(int Value) { FMinThumbSize = Value; }

private:
    TcxScrollBar& FScrollBar;
    TcxScrollBarRects FRects;
    int FMinThumbSize = 0;
};

class TcxScrollBar : public platform::forms::TCustomControl {
public:
    // 121 pixels wide, as high as the system's horizontal scroll bar.
    explicit TcxScrollBar(platform::core::TComponent* AOwner);
    ~TcxScrollBar() override;

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int PageSize() const { return FPageSize; }
    int Position() const { return FPosition; }
    void SetMin(int Value) { SetScrollParams(Value, FMax, FPosition, FPageSize); }
    void SetMax(int Value) { SetScrollParams(FMin, Value, FPosition, FPageSize); }
    void SetPageSize(int Value) { SetScrollParams(FMin, FMax, FPosition, Value); }
    void SetPosition(int Value) { SetScrollParams(FMin, FMax, Value, FPageSize); }
    // Raises EInvalidOperation "Scrollbar property out of range" when Max is below Min or below
    // PageSize, and then keeps the values it had. Position is clamped to Min..Max; a new
    // position calls Change.
    void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw = true);
    std::uint16_t SmallChange = 1;
    std::uint16_t LargeChange = 1;
    // The thumb follows the cursor however far it leaves the bar.
    bool UnlimitedTracking = false;

    TcxLookAndFeel& LookAndFeel() { return *FLookAndFeel; }
    TcxLookAndFeelPainterClass Painter() const;
    TcxScrollBarViewInfo& ViewInfo() { return *FViewInfo; }
    // A part code of the client point: 0 none, 1 and 2 the buttons, 3 the thumb, 4 and 5 the page
    // areas before and after it.
    TcxScrollBarPart GetScrollBarPart(TPoint P) const;
    TcxScrollBarPart PressedPart() const { return FPressedPart; }
    TcxScrollBarPart HotPart() const { return FHotPart; }
    bool TimerRunning() const;

    platform::core::TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void WndProc(platform::core::TMessage& Message) override;
    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;

    // CM_CHANGED to itself, then OnChange.
    virtual void Change();
    virtual void DrawParts(TcxCanvas& ACanvas);
    virtual void DrawPart(TcxCanvas& ACanvas, const TRect& R, TcxScrollBarPart APart,
                          TcxButtonState AState);
    virtual bool IsHotTrack() const;
    // OnScroll, which may change ScrollPos.
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
    virtual int GetMinThumbSize() const;

private:
    // A scroll by a code; scTrack stores APos without Change, the rest set Position.
    void ScrollBy(TScrollCode ACode, int APos);
    void ScrollByCode(TScrollCode ACode);
    void ScrollByPart(TcxScrollBarPart APart);
    void ThumbDragTo(TPoint P);
    void EndScroll();
    void TimerTick();
    void LookAndFeelChanged();
    void Recalculate();
    void Redraw();
    int ClampPosition(int APos) const;
    TcxButtonState PartState(TcxScrollBarPart APart) const;
    bool IsRepeatPart(TcxScrollBarPart APart) const;

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPageSize = 0, FPosition = 0;
    std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
    std::unique_ptr<TdxThemeChangedNotificator> FThemeNotificator;
    std::unique_ptr<TcxTimer> FTimer;
    std::unique_ptr<TcxScrollBarViewInfo> FViewInfo;
    TcxScrollBarPart FPressedPart = sbpNone;
    TcxScrollBarPart FHotPart = sbpNone;
    // A thumb drag: where it began.
    TPoint FDownPoint;
    int FDownPosition = 0;
    int FDownThumbOffset = 0;
};

} // namespace toolkit::base
