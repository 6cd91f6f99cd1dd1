#include "toolkit/bars/windows/dx_bar_hint_window.h"

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_item_control.h"

#include "toolkit/base/cx_controls_routines.h"
#include "toolkit/base/cx_timer.h"

#include "platform/forms/actions.h"
#include "platform/forms/shortcuts.h"
#include "platform/gdi/colors.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/draw_text.h"
#include "platform/gdi/frame_controls.h"
#include "platform/win/messages.h"
#include "platform/win/painting.h"
#include "platform/win/window.h"

#include <algorithm>
#include <memory>

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pg = platform::gdi;
namespace pw = platform::win;

namespace {

constexpr std::uint32_t kHintPause = 1000;
constexpr std::uint32_t kHintHidePause = 10000;
constexpr std::uint32_t kGracePause = 400;
// How far below the cursor the hint's top goes.
constexpr int kCursorOffset = 20;

// The process-wide hint state. It belongs to the bar unit it was made under: a unit made later
// (tests make their own) starts from a fresh one.
struct THintState {
    TdxBarUnit* Unit = nullptr;
    std::unique_ptr<TdxBarHintWindow> Window;
    // One timer in turn for the show delay and the automatic hide.
    std::unique_ptr<toolkit::base::TcxTimer> HintTimer;
    std::unique_ptr<toolkit::base::TcxTimer> GraceTimer;
    bool Grace = false;
    std::string ExplicitText;
    bool Requested = false;
    bool Shown = false;
    TdxBarManager* Manager = nullptr;
};

THintState& State() {
    static THintState S;
    if (S.Unit != &dxBarUnit()) {
        S = THintState{};
        S.Unit = &dxBarUnit();
    }
    return S;
}

// The manager a timer ran for, unless it is gone or going.
TdxBarManager* LiveManager(TdxBarManager* Manager) {
    if (Manager == nullptr || !dxBarUnit().BarManagerList().Contains(Manager)) return nullptr;
    return Manager->IsDestroying() ? nullptr : Manager;
}

void StartHintTimer(std::uint32_t Interval, bool Hides) {
    THintState& S = State();
    if (!S.HintTimer) {
        S.HintTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
        S.HintTimer->SetEnabled(false);
    }
    S.HintTimer->SetInterval(Interval);
    S.HintTimer->SetOnTimer([Hides](platform::core::TObject*) {
        TdxBarManager* Manager = LiveManager(State().Manager);
        StopHintTimer();
        if (Manager == nullptr) return;
        if (Hides)
            UpdateHint(Manager, false);
        else
            ShowHintNow(Manager);
    });
    S.HintTimer->SetEnabled(true);
}

void StartGraceTimer() {
    THintState& S = State();
    if (!S.GraceTimer) {
        S.GraceTimer = std::make_unique<toolkit::base::TcxTimer>(nullptr);
        S.GraceTimer->SetEnabled(false);
        S.GraceTimer->SetInterval(kGracePause);
        S.GraceTimer->SetOnTimer([](platform::core::TObject*) { StopGraceTimer(); });
    }
    S.Grace = true;
    S.GraceTimer->SetEnabled(true);
}

bool HintWindowVisible() {
    THintState& S = State();
    return S.Window && S.Window->HandleAllocated() && pw::IsWindowVisible(S.Window->Handle());
}

// A bar window is active while a menu is open from it or menu mode runs in it.
bool InInactiveBar(const TdxBarItemControl* Control) {
    return Control && Control->Parent() && !Control->Parent()->Active();
}

} // namespace

// --- The window ---

TdxBarHintWindow::TdxBarHintWindow() : TCustomControl(nullptr) {
    SetVisible(false);
    SetColor(pg::clInfoBk);
    canvas_.Brush().SetStyle(pg::TBrushStyle::bsClear);
}

void TdxBarHintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.className = "TdxBarHintWindow";
    Params.style = pw::WS_POPUP | pw::WS_DISABLED;
    Params.exStyle = pw::WS_EX_TOPMOST | pw::WS_EX_TOOLWINDOW;
    Params.parent = platform::core::NullHWnd;
}

void TdxBarHintWindow::WndProc(pf::TMessage& Message) {
    if (Message.Msg == pw::WM_NCHITTEST) {
        Message.Result = pw::HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TdxBarHintWindow::Paint() {
    pg::TRect R = ClientRect();
    canvas_.Brush().SetColor(Color());
    canvas_.Brush().SetStyle(pg::TBrushStyle::bsSolid);
    canvas_.FillRect(R);
    canvas_.Brush().SetStyle(pg::TBrushStyle::bsClear);
    pg::DrawEdge(canvas_.Handle(), &R, pg::BDR_RAISEDOUTER, pg::BF_RECT);
    pg::InflateRect(R, -1, -1);
    R.Left += 2;
    R.Top += 2;
    canvas_.Font().Assign(Font());
    pg::SelectObject(canvas_.Handle(), canvas_.Font().Handle());
    pg::SetTextColor(canvas_.Handle(), pg::ColorToRGB(Font().Color()));
    pg::SetBkMode(canvas_.Handle(), pg::TRANSPARENT);
    pg::DrawText(canvas_.Handle(), Caption().c_str(), -1, &R,
                 pg::DT_NOPREFIX | pg::DT_WORDBREAK | pg::DT_NOCLIP);
}

void TdxBarHintWindow::ActivateHint(TPoint Point, const std::string& Text, TdxBarManager* Manager) {
    SetCaption(Text);
    // The manager's font already follows the system's with UseSystemFont; the platform keeps
    // no separate status font to take instead.
    if (Manager) Font().Assign(Manager->Font());
    // The hint colours of the platform, whatever the manager's font says.
    Font().SetColor(pg::clInfoText);
    SetColor(pg::clInfoBk);
    HandleNeeded();

    const pg::TRect WorkArea = toolkit::base::cxGetWorkAreaFromPoint(Point);
    pg::TRect R{0, 0, WorkArea.Width(), 0};
    const pg::HDC DC = pw::GetDC(Handle());
    const pg::HGDIOBJ OldFont = pg::SelectObject(DC, Font().Handle());
    pg::DrawText(DC, Text.c_str(), -1, &R, pg::DT_CALCRECT | pg::DT_NOPREFIX | pg::DT_WORDBREAK);
    pg::SelectObject(DC, OldFont);
    pw::ReleaseDC(Handle(), DC);
    const int W = R.Width() + 6, H = R.Height() + 6;

    int X = Point.X, Y = Point.Y;
    if (X + W > WorkArea.Right) X = WorkArea.Right - W;
    if (Y + H > WorkArea.Bottom) Y = Point.Y - kCursorOffset - H;
    X = std::max(X, WorkArea.Left);
    Y = std::max(Y, WorkArea.Top);
    SetBounds(X, Y, W, H);
    Invalidate();
    pw::SetWindowPos(Handle(), pw::HWND_TOPMOST, X, Y, 0, 0,
                     pw::SWP_NOSIZE | pw::SWP_NOACTIVATE | pw::SWP_SHOWWINDOW);
}

void TdxBarHintWindow::HideHint() {
    if (HandleAllocated()) pw::ShowWindow(Handle(), pw::SW_HIDE);
}

// --- The timers ---

void StopHintTimer() {
    THintState& S = State();
    if (S.HintTimer) S.HintTimer->SetEnabled(false);
}

void StopGraceTimer() {
    THintState& S = State();
    if (S.GraceTimer) S.GraceTimer->SetEnabled(false);
    S.Grace = false;
}

bool dxBarHintGraceActive() {
    return State().Grace;
}

TdxBarHintWindow& dxBarHintWindow() {
    THintState& S = State();
    if (!S.Window) S.Window = std::make_unique<TdxBarHintWindow>();
    return *S.Window;
}

void dxBarCreateHintWindow() {
    dxBarHintWindow();
}

void dxBarFreeHintWindow() {
    StopHintTimer();
    StopGraceTimer();
    THintState& S = State();
    S.HintTimer.reset();
    S.GraceTimer.reset();
    S.Window.reset();
    S.Manager = nullptr;
    S.Requested = S.Shown = false;
    S.ExplicitText.clear();
}

void dxBarHintManagerDestroying(TdxBarManager* Manager) {
    THintState& S = State();
    if (S.HintTimer && S.HintTimer->Enabled()) {
        StopHintTimer();
        if (S.Window) S.Window->HideHint();
    }
    StopGraceTimer();
    if (S.Manager == Manager) S.Manager = nullptr;
}

// --- Requests ---

void UpdateHint(TdxBarManager* Manager, bool Show, const std::string& Text) {
    THintState& S = State();
    if (Manager == nullptr || Manager->IsCustomizing() || !Manager->ShowHint()) return;
    if (!Show && !S.Requested) return;
    S.Requested = Show;
    S.ExplicitText = Text;
    S.Shown = false;
    const bool Wanted = Show && (InInactiveBar(Manager->SelectedItem()) || !Text.empty());
    StopHintTimer();
    if (Wanted) {
        if (!HintWindowVisible() && !S.Grace) {
            S.Manager = Manager;
            StartHintTimer(kHintPause, false);
        } else {
            ShowHintNow(Manager);
        }
        return;
    }
    if (HintWindowVisible()) {
        S.Window->HideHint();
        if (Show) {
            StopGraceTimer();
            StartGraceTimer();
        }
    }
}

void ShowHintNow(TdxBarManager* Manager) {
    THintState& S = State();
    TdxBarItemControl* Control = Manager->SelectedItem();
    const bool Explicit = !S.ExplicitText.empty();
    if (!Explicit && !InInactiveBar(Control)) return;
    pg::TPoint P = toolkit::base::cxGetCursorPos();
    if (!Explicit && Control->Parent()->ItemAtPos(Control->Parent()->ScreenToClient(P)) != Control)
        return;
    P.Y += kCursorOffset;
    std::string Text = S.ExplicitText;
    if (!Explicit) {
        const std::string Hint = Control->GetHint();
        Text = Hint.substr(0, Hint.find('|'));
        // The item's action has the last word: it may rewrite the hint or refuse it.
        TdxBarItem* Item = Control->Item();
        if (auto* AAction = dynamic_cast<pf::TCustomAction*>(Item ? Item->Action() : nullptr);
            AAction && !AAction->DoHint(Text)) {
            UpdateHint(Manager, false);
            return;
        }
    }
    if (Text.empty() ||
        (!Explicit && !Control->GetEnabled() && !Manager->ShowHintForDisabledItems)) {
        UpdateHint(Manager, false);
        return;
    }
    if (!Explicit && Manager->ShowShortCutInHint() && Control->GetShortCut() != pf::scNone)
        Text += " (" + pf::ShortCutToText(Control->GetShortCut()) + ")";
    dxBarHintWindow().ActivateHint(P, Text, Manager);
    S.Shown = true;
    S.Manager = Manager;
    StartHintTimer(kHintHidePause, true);
}

} // namespace toolkit::bars
