#include "toolkit/base/cx_scroll_bar.h"

#include "toolkit/base/core_routines.h"
#include "toolkit/base/cx_bitmap.h"
#include "toolkit/base/cx_lf_painter_standard.h"
#include "toolkit/base/cx_look_and_feel_painters.h"
#include "toolkit/base/cx_timer.h"
#include "toolkit/base/theme_manager.h"

#include "platform/forms/forms.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/win/input_state.h"

#include <algorithm>

namespace toolkit::base {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr std::uint32_t cxScrollBarInitialRepeat = 400;
constexpr std::uint32_t cxScrollBarRepeat = 60;
// How far a thumb drag may stray from the bar before the thumb snaps back.
constexpr int cxTrackingLimitAcross = 136;
constexpr int cxTrackingLimitAlong = 34;

// A rectangle along the bar from Start to End (track coordinates along it).
TRect AlongBar(const TRect& B, bool Horizontal, int Start, int End) {
    return Horizontal ? TRect{Start, B.Top, End, B.Bottom} : TRect{B.Left, Start, B.Right, End};
}

} // namespace

TcxScrollBarRects cxCalculateScrollBarRects(const TcxScrollBarGeometryParams& P) {
    const bool H = P.Horizontal;
    const int Start = H ? P.Bounds.Left : P.Bounds.Top;
    const int End = H ? P.Bounds.Right : P.Bounds.Bottom;
    const int Button = std::min(P.ButtonSize, (End - Start) / 2);
    TcxScrollBarRects R;
    R.FirstButton = AlongBar(P.Bounds, H, Start, Start + Button);
    R.SecondButton = AlongBar(P.Bounds, H, End - Button, End);
    const int TrackStart = Start + Button;
    const int Track = std::max(0, End - Button - TrackStart);
    const int Range = P.Max - P.Min;

    int Thumb = 0;
    int Offset = 0;
    bool HasThumb = P.Enabled && Range != 0;
    if (P.PageSize > 0) {
        Thumb = std::max(std::min(Track, MulDiv(P.PageSize, Track, Range + 1)), P.MinThumbSize);
        HasThumb = HasThumb && Track >= P.MinThumbSize;
        const int Rest = Range - (P.PageSize - 1);
        if (Rest > 0 && Track > Thumb)
            Offset = MulDiv(Track - Thumb, std::min(P.Position - P.Min, Rest), Rest);
    } else {
        Thumb = P.SystemThumbSize;
        HasThumb = HasThumb && Track >= Thumb;
        if (Range > 0 && Track > Thumb) Offset = MulDiv(Track - Thumb, P.Position - P.Min, Range);
    }
    if (!HasThumb) return R;
    Offset = std::clamp(Offset, 0, std::max(0, Track - Thumb));
    R.Thumb = AlongBar(P.Bounds, H, TrackStart + Offset, TrackStart + Offset + Thumb);
    R.FirstPage = AlongBar(P.Bounds, H, TrackStart, TrackStart + Offset);
    R.SecondPage = AlongBar(P.Bounds, H, TrackStart + Offset + Thumb, TrackStart + Track);
    return R;
}

// --- TcxScrollBarViewInfo ---

void TcxScrollBarViewInfo::Calculate() {
    TcxScrollBarGeometryParams P;
    P.Bounds = FScrollBar.ClientRect();
    P.Horizontal = FScrollBar.Kind() == sbHorizontal;
    P.Enabled = FScrollBar.Enabled();
    P.ButtonSize = pg::GetSystemMetrics(P.Horizontal ? pg::SM_CYHSCROLL : pg::SM_CXVSCROLL);
    P.SystemThumbSize = pg::GetSystemMetrics(P.Horizontal ? pg::SM_CXHTHUMB : pg::SM_CYVTHUMB);
    P.MinThumbSize = FMinThumbSize;
    P.Min = FScrollBar.Min();
    P.Max = FScrollBar.Max();
    P.PageSize = FScrollBar.PageSize();
    P.Position = FScrollBar.Position();
    FRects = cxCalculateScrollBarRects(P);
}

int TcxScrollBarViewInfo::TrackStart() const {
    return FScrollBar.Kind() == sbHorizontal ? FRects.FirstButton.Right : FRects.FirstButton.Bottom;
}

int TcxScrollBarViewInfo::TrackLength() const {
    const int End =
        FScrollBar.Kind() == sbHorizontal ? FRects.SecondButton.Left : FRects.SecondButton.Top;
    return std::max(0, End - TrackStart());
}

int TcxScrollBarViewInfo::ThumbLength() const {
    return FScrollBar.Kind() == sbHorizontal ? FRects.Thumb.Width() : FRects.Thumb.Height();
}

int TcxScrollBarViewInfo::ThumbOffset() const {
    return (FScrollBar.Kind() == sbHorizontal ? FRects.Thumb.Left : FRects.Thumb.Top) -
           TrackStart();
}

void TcxScrollBarViewInfo::SetThumbOffset(int Offset) {
    if (!HasThumb()) return;
    const bool H = FScrollBar.Kind() == sbHorizontal;
    const TRect B = FScrollBar.ClientRect();
    const int Thumb = ThumbLength();
    const int Start = TrackStart();
    Offset = std::clamp(Offset, 0, std::max(0, TrackLength() - Thumb));
    FRects.Thumb = AlongBar(B, H, Start + Offset, Start + Offset + Thumb);
    FRects.FirstPage = AlongBar(B, H, Start, Start + Offset);
    FRects.SecondPage = AlongBar(B, H, Start + Offset + Thumb, Start + TrackLength());
}

// --- TcxScrollBar ---

TcxScrollBar::TcxScrollBar(pc::TComponent* AOwner)
    : pf::TCustomControl(AOwner), FLookAndFeel(std::make_unique<TcxLookAndFeel>(nullptr)),
      FThemeNotificator(std::make_unique<TdxThemeChangedNotificator>()),
      FTimer(std::make_unique<TcxTimer>(nullptr)),
      FViewInfo(std::make_unique<TcxScrollBarViewInfo>(*this)) {
    controlStyle_ = pf::csCaptureMouse | pf::csOpaque;
    FTimer->SetEnabled(false);
    FTimer->SetInterval(cxScrollBarInitialRepeat);
    FTimer->SetOnTimer([this](pc::TObject*) { TimerTick(); });
    FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) {
        LookAndFeelChanged();
    };
    FThemeNotificator->OnThemeChanged = [this] {
        if (TcxLookAndFeelPaintersUnit* Unit = cxLookAndFeelPaintersUnitAlive())
            Unit->RebuildHalftoneBitmaps();
        LookAndFeelChanged();
        if (parent_) parent_->Invalidate();
    };
    FViewInfo->SetMinThumbSize(GetMinThumbSize());
    SetBounds(0, 0, 121, pg::GetSystemMetrics(pg::SM_CYHSCROLL));
}

TcxScrollBar::~TcxScrollBar() {
    // The timer's handler reaches this control; it stops before anything else goes.
    FTimer.reset();
}

TcxLookAndFeelPainterClass TcxScrollBar::Painter() const {
    TcxLookAndFeelPainterClass Result = FLookAndFeel->GetPainter();
    return Result ? Result : &TcxStandardLookAndFeelPainter::Instance();
}

void TcxScrollBar::SetKind(TScrollBarKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    // A bar turned on its side keeps its size, turned.
    SetBounds(left_, top_, height_, width_);
    FViewInfo->SetMinThumbSize(GetMinThumbSize());
    Recalculate();
    Redraw();
}

void TcxScrollBar::SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) {
    if (AMax < AMin || AMax < APageSize)
        throw pf::EInvalidOperation("Scrollbar property out of range");
    APosition = std::clamp(APosition, AMin, AMax);
    if (AMin == FMin && AMax == FMax && APageSize == FPageSize && APosition == FPosition) return;
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    const bool Moved = APosition != FPosition;
    FPosition = APosition;
    Recalculate();
    if (ARedraw) Redraw();
    if (Moved) Change();
}

void TcxScrollBar::SetEnabled(bool Value) {
    if (!Value) EndScroll();
    pf::TCustomControl::SetEnabled(Value);
    Recalculate();
    Redraw();
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    pf::TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Recalculate();
}

TcxScrollBarPart TcxScrollBar::GetScrollBarPart(TPoint P) const {
    if (!pg::PtInRect(ClientRect(), P)) return sbpNone;
    const TcxScrollBarRects& R = FViewInfo->Rects();
    if (pg::PtInRect(R.FirstButton, P)) return sbpLineUp;
    if (pg::PtInRect(R.SecondButton, P)) return sbpLineDown;
    if (!FViewInfo->HasThumb()) return sbpNone;
    if (pg::PtInRect(R.Thumb, P)) return sbpThumbnail;
    if (pg::PtInRect(R.FirstPage, P)) return sbpPageUp;
    if (pg::PtInRect(R.SecondPage, P)) return sbpPageDown;
    return sbpNone;
}

bool TcxScrollBar::TimerRunning() const {
    return FTimer->Enabled();
}

void TcxScrollBar::Change() {
    Perform(pf::CM_CHANGED, 0, 0);
    if (OnChange) OnChange(this);
}

bool TcxScrollBar::IsHotTrack() const {
    return Painter()->IsButtonHotTrack();
}

void TcxScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

int TcxScrollBar::GetMinThumbSize() const {
    return Painter()->ScrollBarMinimalThumbSize(FKind == sbHorizontal);
}

int TcxScrollBar::ClampPosition(int APos) const {
    return std::clamp(APos, FMin, FMax);
}

void TcxScrollBar::ScrollBy(TScrollCode ACode, int APos) {
    APos = ClampPosition(APos);
    Scroll(ACode, APos);
    APos = ClampPosition(APos);
    if (APos == FPosition) return;
    if (ACode == scTrack) {
        FPosition = APos;
        Redraw();
    } else {
        SetPosition(APos);
    }
}

void TcxScrollBar::ScrollByCode(TScrollCode ACode) {
    int Pos = FPosition;
    switch (ACode) {
    case scLineUp:
        Pos -= SmallChange;
        break;
    case scLineDown:
        Pos += SmallChange;
        break;
    case scPageUp:
        Pos -= LargeChange;
        break;
    case scPageDown:
        Pos += LargeChange;
        break;
    case scTop:
        Pos = FMin;
        break;
    case scBottom:
        Pos = FMax;
        break;
    default:
        break;
    }
    ScrollBy(ACode, Pos);
}

void TcxScrollBar::ScrollByPart(TcxScrollBarPart APart) {
    switch (APart) {
    case sbpLineUp:
        ScrollByCode(scLineUp);
        break;
    case sbpLineDown:
        ScrollByCode(scLineDown);
        break;
    case sbpPageUp:
        ScrollByCode(scPageUp);
        break;
    case sbpPageDown:
        ScrollByCode(scPageDown);
        break;
    default:
        break;
    }
}

bool TcxScrollBar::IsRepeatPart(TcxScrollBarPart APart) const {
    return APart == sbpLineUp || APart == sbpLineDown || APart == sbpPageUp || APart == sbpPageDown;
}

void TcxScrollBar::MouseDown(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    pf::TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != pf::mbLeft) return;
    const TcxScrollBarPart Part = GetScrollBarPart({X, Y});
    FPressedPart = Part;
    FHotPart = Part;
    if (Part == sbpThumbnail) {
        FDownPoint = {X, Y};
        FDownPosition = FPosition;
        FDownThumbOffset = FViewInfo->ThumbOffset();
        ScrollBy(scTrack, FPosition);
    } else if (IsRepeatPart(Part)) {
        ScrollByPart(Part);
        FTimer->SetInterval(cxScrollBarInitialRepeat);
        FTimer->SetEnabled(true);
    }
    Redraw();
}

void TcxScrollBar::MouseMove(pf::TShiftState Shift, int X, int Y) {
    pf::TCustomControl::MouseMove(Shift, X, Y);
    if (FPressedPart == sbpThumbnail) {
        ThumbDragTo({X, Y});
        return;
    }
    const TcxScrollBarPart Part = GetScrollBarPart({X, Y});
    if (IsRepeatPart(FPressedPart)) FTimer->SetEnabled(Part == FPressedPart);
    if (Part != FHotPart) {
        FHotPart = Part;
        if (IsHotTrack()) Redraw();
    }
}

void TcxScrollBar::ThumbDragTo(TPoint P) {
    const bool H = FKind == sbHorizontal;
    TRect Limit = ClientRect();
    if (H)
        pg::InflateRect(Limit, cxTrackingLimitAlong, cxTrackingLimitAcross);
    else
        pg::InflateRect(Limit, cxTrackingLimitAcross, cxTrackingLimitAlong);
    if (!UnlimitedTracking && !pg::PtInRect(Limit, P)) {
        ScrollBy(scTrack, FDownPosition);
        FViewInfo->SetThumbOffset(FDownThumbOffset);
        Redraw();
        return;
    }
    const int Free = FViewInfo->TrackLength() - FViewInfo->ThumbLength();
    // A thumb that fills its track has nowhere to go: the position stays.
    if (Free <= 0) return;
    FViewInfo->SetThumbOffset(FDownThumbOffset + (H ? P.X - FDownPoint.X : P.Y - FDownPoint.Y));
    const int Range = FPageSize > 0 ? FMax - FMin + 1 - FPageSize : FMax - FMin;
    const int Pos = ClampPosition(FMin + MulDiv(FViewInfo->ThumbOffset(), Range, Free));
    if (Pos != FPosition) ScrollBy(scTrack, Pos);
    Redraw();
}

void TcxScrollBar::MouseUp(pf::TMouseButton Button, pf::TShiftState Shift, int X, int Y) {
    pf::TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == pf::mbLeft) EndScroll();
}

void TcxScrollBar::EndScroll() {
    if (FPressedPart == sbpNone) return;
    if (FPressedPart == sbpThumbnail) ScrollBy(scPosition, FPosition);
    FTimer->SetEnabled(false);
    FPressedPart = sbpNone;
    FHotPart = sbpNone;
    int Pos = FPosition;
    Scroll(scEndScroll, Pos);
    Recalculate();
    Redraw();
}

void TcxScrollBar::TimerTick() {
    if (!HandleAllocated() || pw::GetCapture() != handle_ || !IsRepeatPart(FPressedPart)) {
        EndScroll();
        return;
    }
    if (FTimer->Interval() == cxScrollBarInitialRepeat) FTimer->SetInterval(cxScrollBarRepeat);
    ScrollByPart(FPressedPart);
    TPoint Cursor;
    pw::GetCursorPos(&Cursor);
    FTimer->SetEnabled(GetScrollBarPart(ScreenToClient(Cursor)) == FPressedPart);
}

void TcxScrollBar::LookAndFeelChanged() {
    FViewInfo->SetMinThumbSize(GetMinThumbSize());
    Recalculate();
    Redraw();
}

void TcxScrollBar::Recalculate() {
    FViewInfo->Recalculate();
}

void TcxScrollBar::Redraw() {
    if (HandleAllocated()) Invalidate();
}

TcxButtonState TcxScrollBar::PartState(TcxScrollBarPart APart) const {
    if (!Enabled()) return cxbsDisabled;
    if (APart == sbpThumbnail && !IsHotTrack()) return cxbsNormal;
    if (FPressedPart == APart && FHotPart == APart) return cxbsPressed;
    if (FPressedPart == sbpNone && FHotPart == APart) return cxbsHot;
    return cxbsNormal;
}

void TcxScrollBar::DrawPart(TcxCanvas& ACanvas, const TRect& R, TcxScrollBarPart APart,
                            TcxButtonState AState) {
    Painter()->DrawScrollBarPart(ACanvas, FKind == sbHorizontal, R, APart, AState);
}

void TcxScrollBar::DrawParts(TcxCanvas& ACanvas) {
    const TcxScrollBarRects& R = FViewInfo->Rects();
    if (!FViewInfo->HasThumb())
        DrawPart(ACanvas, ClientRect(), sbpPageUp, Enabled() ? cxbsNormal : cxbsDisabled);
    else
        DrawPart(ACanvas, R.Thumb, sbpThumbnail, PartState(sbpThumbnail));
    DrawPart(ACanvas, R.FirstButton, sbpLineUp, PartState(sbpLineUp));
    DrawPart(ACanvas, R.SecondButton, sbpLineDown, PartState(sbpLineDown));
    if (!pg::IsRectEmpty(R.FirstPage))
        DrawPart(ACanvas, R.FirstPage, sbpPageUp, PartState(sbpPageUp));
    if (!pg::IsRectEmpty(R.SecondPage))
        DrawPart(ACanvas, R.SecondPage, sbpPageDown, PartState(sbpPageDown));
}

void TcxScrollBar::Paint() {
    const TRect R = ClientRect();
    if (pg::IsRectEmpty(R)) return;
    TcxCustomBitmap Bitmap(R.Width(), R.Height(), pf32bit);
    DrawParts(Bitmap.cxCanvas());
    pg::BitBlt(Canvas().Handle(), 0, 0, R.Width(), R.Height(), Bitmap.Canvas().Handle(), 0, 0,
               pg::SRCCOPY);
}

void TcxScrollBar::WndProc(pc::TMessage& Message) {
    switch (Message.Msg) {
    case pw::WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case pw::WM_CANCELMODE:
    case pf::CM_CANCELMODE:
        EndScroll();
        break;
    case pf::CM_VISIBLECHANGED:
        if (Message.WParam == 0) EndScroll();
        break;
    case pf::CM_SYSCOLORCHANGE:
        if (TcxLookAndFeelPaintersUnit* Unit = cxLookAndFeelPaintersUnitAlive())
            Unit->RebuildHalftoneBitmaps();
        break;
    case pf::CM_MOUSELEAVE:
        if (FHotPart != sbpNone && FPressedPart == sbpNone) {
            FHotPart = sbpNone;
            if (IsHotTrack()) Redraw();
        }
        break;
    default:
        break;
    }
    pf::TCustomControl::WndProc(Message);
}

} // namespace toolkit::base
