#include "toolkit/bars/windows/dx_bar_menu_animation.h"

#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_menu_control.h"

#include "platform/core/message_loop.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/objects.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <cstdlib>
#include <memory>
#include <random>

namespace toolkit::bars {

namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr int UnfoldStep = 8;
constexpr int SlideStep = 17;

// The one animation that runs; it belongs to the user-interface thread.
struct TAnimationRecord {
    TdxBarSubMenuControl* Window = nullptr;
    TdxBarMenuAnimations Kind = maNone;
    bool FromRight = false;
    bool FromBottom = false;
    int FinalLeft = 0;
    int FinalTop = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
    int ExtraWidth = 0;
    int ExtraHeight = 0;
    int Frames = 0;
    int Frame = 0;
    pg::HBITMAP Image{};
    pg::HDC ImageDC{};
    pg::HGDIOBJ OldBitmap{};

    ~TAnimationRecord() {
        if (ImageDC != pg::HDC{}) {
            pg::SelectObject(ImageDC, OldBitmap);
            pg::DeleteDC(ImageDC);
        }
        if (Image != pg::HBITMAP{}) pg::DeleteObject(Image);
    }
};

std::unique_ptr<TAnimationRecord> GAnimation;

// The revealed client size at frame k.
pg::TSize FrameExtent(const TAnimationRecord& A, int K) {
    if (A.Kind == maSlide) return {A.ClientWidth, SlideStep * K};
    const int D = A.ClientHeight - A.ClientWidth;
    if (D < 1) return {-D + UnfoldStep * K, UnfoldStep * K};
    return {UnfoldStep * K, D + UnfoldStep * K};
}

void DrawFrame(TAnimationRecord& A, int K) {
    const pg::TSize Extent = FrameExtent(A, K);
    const int Left = A.FromRight ? A.FinalLeft + A.ClientWidth - Extent.cx : A.FinalLeft;
    const int Top = A.FromBottom ? A.FinalTop + A.ClientHeight - Extent.cy : A.FinalTop;
    TdxBarSubMenuControl& Menu = *A.Window;
    pw::SetWindowPos(Menu.Handle(), pw::NullHWnd, Left, Top, Extent.cx + A.ExtraWidth,
                     Extent.cy + A.ExtraHeight,
                     pw::SWP_NOZORDER | pw::SWP_NOACTIVATE | pw::SWP_SHOWWINDOW);
    if (!dxBarUnit().BarControlExists(&Menu) || !Menu.HandleAllocated()) return;
    // The image's far end shows first: the menu seems to come out of its owner.
    const int SourceX = A.FromRight ? 0 : A.ClientWidth - Extent.cx;
    const int SourceY = A.FromBottom ? 0 : A.ClientHeight - Extent.cy;
    const pg::HDC DC = pw::GetDC(Menu.Handle());
    pg::BitBlt(DC, 0, 0, Extent.cx, Extent.cy, A.ImageDC, SourceX, SourceY, pg::SRCCOPY);
    pw::ReleaseDC(Menu.Handle(), DC);
    A.Frame = K;
}

void Finish() {
    if (!GAnimation) return;
    std::unique_ptr<TAnimationRecord> Done = std::move(GAnimation);
    TdxBarSubMenuControl* Menu = Done->Window;
    const int Width = Done->ClientWidth + Done->ExtraWidth;
    const int Height = Done->ClientHeight + Done->ExtraHeight;
    const int Left = Done->FinalLeft, Top = Done->FinalTop;
    Done.reset();
    if (!dxBarUnit().BarControlExists(Menu) || !Menu->HandleAllocated()) return;
    platform::core::KillTimer(Menu->Handle(), dxBarMenuAnimationTimerId);
    if (Menu->Closing()) return;
    pw::SetWindowPos(Menu->Handle(), pw::NullHWnd, Left, Top, Width, Height,
                     pw::SWP_NOZORDER | pw::SWP_NOACTIVATE | pw::SWP_FRAMECHANGED |
                         pw::SWP_SHOWWINDOW);
    if (!dxBarUnit().BarControlExists(Menu)) return;
    Menu->Invalidate();
    pw::UpdateWindow(Menu->Handle());
}

} // namespace

void dxBarMenuAnimationTimer(TdxBarSubMenuControl* Menu) {
    if (!dxBarMenuAnimating(Menu)) {
        if (Menu && Menu->HandleAllocated())
            platform::core::KillTimer(Menu->Handle(), dxBarMenuAnimationTimerId);
        return;
    }
    TAnimationRecord& A = *GAnimation;
    if (A.Frame >= A.Frames || !dxBarUnit().BarControlExists(A.Window) || A.Window->Closing()) {
        Finish();
        return;
    }
    DrawFrame(A, A.Frame + 1);
}

int dxBarMenuAnimationFrames(TdxBarMenuAnimations Kind, int ClientWidth, int ClientHeight) {
    switch (Kind) {
    case maUnfold: {
        const int D = ClientHeight - ClientWidth;
        return (D < 1 ? ClientHeight : ClientWidth) / UnfoldStep;
    }
    case maSlide:
        return ClientHeight / SlideStep;
    default:
        return 0;
    }
}

TdxBarMenuAnimations dxBarResolveMenuAnimation(TdxBarMenuAnimations Kind) {
    if (Kind != maRandom) return Kind;
    static std::minstd_rand Random{std::random_device{}()};
    const int Pick = std::uniform_int_distribution<int>(0, 99)(Random);
    return Pick < 33 ? maUnfold : Pick < 66 ? maSlide : maFade;
}

bool dxBarStartMenuAnimation(TdxBarSubMenuControl& Menu, TdxBarMenuAnimations Kind, bool FromRight,
                             bool FromBottom) {
    if (GAnimation) Finish();
    if (!Menu.HandleAllocated() || (Kind != maUnfold && Kind != maSlide)) return false;
    pg::TRect Window{}, Client{};
    pw::GetWindowRect(Menu.Handle(), &Window);
    pw::GetClientRect(Menu.Handle(), &Client);
    auto A = std::make_unique<TAnimationRecord>();
    A->Window = &Menu;
    A->Kind = Kind;
    A->FromRight = FromRight;
    A->FromBottom = FromBottom;
    A->FinalLeft = Window.Left;
    A->FinalTop = Window.Top;
    A->ClientWidth = Client.Width();
    A->ClientHeight = Client.Height();
    A->ExtraWidth = Window.Width() - Client.Width();
    A->ExtraHeight = Window.Height() - Client.Height();
    A->Frames = dxBarMenuAnimationFrames(Kind, A->ClientWidth, A->ClientHeight);
    if (A->Frames < 1) return false;
    // The finished menu, painted once while nothing animates yet.
    pg::BITMAPINFO Info;
    Info.bmiHeader.biWidth = A->ClientWidth;
    Info.bmiHeader.biHeight = -A->ClientHeight;
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    A->Image = pg::CreateDIBSection(pg::NullDC, &Info, pg::DIB_RGB_COLORS, &Bits);
    A->ImageDC = pg::CreateCompatibleDC(pg::NullDC);
    A->OldBitmap = pg::SelectObject(A->ImageDC, A->Image);
    platform::core::SendMessage(Menu.Handle(), pw::WM_PAINT, static_cast<pw::WPARAM>(A->ImageDC),
                                0);
    if (!dxBarUnit().BarControlExists(&Menu)) return false;
    GAnimation = std::move(A);
    platform::core::SetTimer(Menu.Handle(), dxBarMenuAnimationTimerId, dxBarMenuAnimationInterval);
    DrawFrame(*GAnimation, 1);
    return true;
}

bool dxBarMenuAnimating(const TdxBarSubMenuControl* Menu) {
    return GAnimation && Menu && GAnimation->Window == Menu;
}

bool dxBarMenuAnimationRunning() {
    return GAnimation != nullptr;
}

void dxBarStopMenuAnimation(TdxBarSubMenuControl* Menu) {
    if (dxBarMenuAnimating(Menu)) Finish();
}

int dxBarMenuAnimationFrame() {
    return GAnimation ? GAnimation->Frame : 0;
}

} // namespace toolkit::bars
