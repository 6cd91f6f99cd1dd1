#include "toolkit/bars/painters/dx_bar_floating_frame.h"

#include "toolkit/bars/painters/dx_bar_drawing.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"

#include <algorithm>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {
bool IsRightCorner(int Corner) {
    return Corner == 1 || Corner == 3;
}
bool IsBottomCorner(int Corner) {
    return Corner == 2 || Corner == 3;
}
void FillFace(HDC DC, const TRect& R) {
    if (!pg::IsRectEmpty(R)) pg::FillRect(DC, &R, pg::GetSysColorBrush(pg::COLOR_BTNFACE));
}
} // namespace

int GetFloatingCaptionHeight() {
    return std::max(pg::GetSystemMetrics(pg::SM_CYHSCROLL) + 2,
                    pg::GetSystemMetrics(pg::SM_CYSMCAPTION)) +
           1;
}

int GetSizeGripCorner(const TRect& WindowRect, const TRect& RefRect) {
    static constexpr int Corners[] = {0, 2, 1, 3};
    return Corners[(WindowRect.Left < RefRect.Right ? 2 : 0) +
                   (WindowRect.Bottom < RefRect.Bottom ? 1 : 0)];
}

void DrawSizeGripInCorner(HDC DC, TRect& Rect, int Corner) {
    const int W = pg::GetSystemMetrics(pg::SM_CXVSCROLL);
    const int H = pg::GetSystemMetrics(pg::SM_CYHSCROLL);
    const bool Right = IsRightCorner(Corner);
    const bool Bottom = IsBottomCorner(Corner);
    Rect = {Right ? Rect.Right - W : Rect.Left, Bottom ? Rect.Bottom - H : Rect.Top,
            Right ? Rect.Right : Rect.Left + W, Bottom ? Rect.Bottom : Rect.Top + H};
    // The outer sides keep a 2-pixel margin of button face against the frame.
    FillFace(DC, Right ? TRect{Rect.Right - 2, Rect.Top, Rect.Right, Rect.Bottom}
                       : TRect{Rect.Left, Rect.Top, Rect.Left + 2, Rect.Bottom});
    FillFace(DC, Bottom ? TRect{Rect.Left, Rect.Bottom - 2, Rect.Right, Rect.Bottom}
                        : TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Top + 2});
    const int GW = W - 2, GH = H - 2;
    if (GW <= 0 || GH <= 0) return;
    const HDC Memory = pg::CreateCompatibleDC(DC);
    const HBITMAP Bitmap = pg::CreateCompatibleBitmap(DC, GW, GH);
    const pg::HGDIOBJ Old = pg::SelectObject(Memory, Bitmap);
    TRect All{0, 0, GW, GH};
    FillFace(Memory, All);
    pg::DrawFrameControl(Memory, &All, pg::DFC_SCROLL, pg::DFCS_SCROLLSIZEGRIP);
    // The system grip faces the bottom-right; a negative extent mirrors it to its corner.
    const TRect Glyph{Right ? Rect.Left : Rect.Left + 2, Bottom ? Rect.Top : Rect.Top + 2,
                      Right ? Rect.Right - 2 : Rect.Right, Bottom ? Rect.Bottom - 2 : Rect.Bottom};
    pg::StretchBlt(DC, Right ? Glyph.Left : Glyph.Right - 1, Bottom ? Glyph.Top : Glyph.Bottom - 1,
                   Right ? GW : -GW, Bottom ? GH : -GH, Memory, 0, 0, GW, GH, pg::SRCCOPY);
    pg::SelectObject(Memory, Old);
    pg::DeleteObject(Bitmap);
    pg::DeleteDC(Memory);
}

void DrawFloatingCloseButton(HDC DC, TRect& Rect, bool Highlighted, int Corner, bool Flat,
                             bool Pressed) {
    const int Size = pg::GetSystemMetrics(pg::SM_CXSMSIZE);
    const int W = Size, H = Size + 1;
    const int Left = IsRightCorner(Corner) ? Rect.Left : Rect.Right - W;
    const int Top = Rect.Top + (Rect.Height() - H) / 2 + (IsBottomCorner(Corner) ? 1 : 0);
    Rect = {Left, Top, Left + W, Top + H};
    TRect B = Rect;
    pg::InflateRect(B, -1, -2);
    const HBRUSH Face = pg::GetSysColorBrush(pg::COLOR_BTNFACE);
    if (!Highlighted || Flat)
        pg::FrameRect(DC, &B, Face);
    else
        pg::DrawEdge(DC, &B, Pressed ? pg::BDR_SUNKENOUTER : pg::BDR_RAISEDINNER, pg::BF_RECT);
    pg::InflateRect(B, -1, -1);
    pg::FrameRect(DC, &B, Face);
    TdxClipRgnSave Saved = SaveClipRgn(DC);
    pg::IntersectClipRect(DC, B.Left + 1, B.Top + 1, B.Right - 1, B.Bottom - 1);
    TRect Glyph = B;
    // The glyph's cross sits one pixel high in buttons of other sizes than the classic 22.
    if (Size != 22) pg::OffsetRect(Glyph, 0, 1);
    pg::DrawFrameControl(DC, &Glyph, pg::DFC_CAPTION,
                         pg::DFCS_CAPTIONCLOSE | pg::DFCS_FLAT |
                             (Pressed && !Flat ? pg::UINT{pg::DFCS_PUSHED} : pg::UINT{0}));
    RestoreClipRgn(DC, Saved);
}

void DrawFloatingFrame(pw::HWND Wnd, bool HasCaption, bool Flat, int Corner, TRect& GripRect,
                       TRect& CloseRect, bool CloseHot, bool ClosePressed) {
    GripRect = {};
    CloseRect = {};
    pw::TRect Screen;
    pw::GetWindowRect(Wnd, &Screen);
    const TRect Window{0, 0, Screen.Width(), Screen.Height()};
    pw::TRect ClientArea;
    pw::GetClientRect(Wnd, &ClientArea);
    pg::TPoint Origin{0, 0};
    pw::ClientToScreen(Wnd, &Origin);
    const TRect Client = pg::Bounds(Origin.X - Screen.Left, Origin.Y - Screen.Top,
                                    ClientArea.Width(), ClientArea.Height());
    const HDC DC = pw::GetWindowDC(Wnd);
    const HBRUSH FrameBrush =
        pg::GetSysColorBrush(Flat ? pg::COLOR_BTNSHADOW : pg::COLOR_WINDOWFRAME);
    pg::FrameRect(DC, &Window, FrameBrush);
    if (HasCaption) {
        TRect Inner = Window;
        pg::InflateRect(Inner, -1, -1);
        // The strip and the line between it and the client area make the caption height.
        const int Height = GetFloatingCaptionHeight();
        const bool Bottom = IsBottomCorner(Corner);
        const TRect Strip =
            Bottom ? TRect{Inner.Left, Inner.Bottom - Height + 1, Inner.Right, Inner.Bottom}
                   : TRect{Inner.Left, Inner.Top, Inner.Right, Inner.Top + Height - 1};
        const TRect Line = Bottom ? TRect{Inner.Left, Strip.Top - 1, Inner.Right, Strip.Top}
                                  : TRect{Inner.Left, Strip.Bottom, Inner.Right, Strip.Bottom + 1};
        pg::FillRect(DC, &Line, FrameBrush);
        TdxClipRgnSave Saved = SaveClipRgn(DC);
        TRect Grip = Strip;
        DrawSizeGripInCorner(DC, Grip, Corner);
        pg::ExcludeClipRect(DC, Grip.Left, Grip.Top, Grip.Right, Grip.Bottom);
        pg::InflateRect(Grip, 2, 2);
        pg::IntersectRect(GripRect, Grip, Strip);
        TRect Close = Strip;
        DrawFloatingCloseButton(DC, Close, CloseHot || ClosePressed, Corner, Flat,
                                CloseHot && ClosePressed);
        CloseRect = Close;
        pg::ExcludeClipRect(DC, Close.Left, Close.Top, Close.Right, Close.Bottom);
        FillFace(DC, Strip);
        RestoreClipRgn(DC, Saved);
        const auto Style = static_cast<unsigned>(pw::GetWindowLong(Wnd, pw::GWL_STYLE));
        const unsigned BothBars = pw::WS_HSCROLL | pw::WS_VSCROLL;
        if (Bottom && (Style & BothBars) == BothBars)
            FillFace(DC,
                     pg::Bounds(Client.Right, Client.Bottom, pg::GetSystemMetrics(pg::SM_CXVSCROLL),
                                pg::GetSystemMetrics(pg::SM_CYHSCROLL)));
    }
    pw::ReleaseDC(Wnd, DC);
}

} // namespace toolkit::bars
