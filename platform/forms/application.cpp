#include "platform/forms/application.h"

#include "platform/core/exception.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/forms/help_manager.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/hooks.h"
#include "platform/win/input_state.h"
#include "platform/win/modal_loop.h"
#include "platform/win/window.h"

#include <iostream>

namespace platform::forms {

using namespace win;

TApplication& Application() {
    static TApplication application;
    return application;
}

namespace {

constexpr std::uintptr_t HintShowTimer = 1;
constexpr std::uintptr_t HintHideTimer = 2;

} // namespace

std::string GetShortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string GetLongHint(const std::string& hint) {
    const auto bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

// The small window with the hint, in the tooltip colours.
class TApplication::THintWindow : public TCustomControl {
public:
    THintWindow() : TCustomControl(nullptr) {
        visible_ = false;
        color_ = gdi::clInfoBk;
    }
    void ActivateHint(TPoint at, const std::string& text) {
        SetText(text);
        const gdi::TSize size = MeasureText(font_, text);
        SetBounds(at.X, at.Y, size.cx + 6, size.cy + 4);
        HandleNeeded();
        SetWindowPos(handle_, HWND_TOP, left_, top_, width_, height_,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        visible_ = true;
        Invalidate();
    }
    void ReleaseHint() {
        if (!visible_) return;
        visible_ = false;
        if (handle_ != NullHWnd) ShowWindow(handle_, SW_HIDE);
    }
    bool Showing() const override { return visible_; }

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.className = "THintWindow";
        params.style = WS_POPUP | WS_BORDER;
        params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        params.parent = NullHWnd;
    }
    void Paint() override {
        canvas_.Brush().SetColor(color_);
        canvas_.FillRect(ClientRect());
        canvas_.Brush().SetStyle(gdi::TBrushStyle::bsClear);
        canvas_.Font().SetColor(gdi::clInfoText);
        canvas_.TextOut(2, 1, text_);
        canvas_.Brush().SetStyle(gdi::TBrushStyle::bsSolid);
    }
};

TApplication::TApplication()
    : TComponent(nullptr), window_([this](TMessage& m) { TimerMessage(m); }) {
    // The screen is made first, so that it outlives the forms this object frees at the end.
    Screen();
    core::SetExceptionHandler(
        [](std::exception_ptr error) { Application().HandleException(std::move(error)); });
    HHOOK hook = SetWindowsHookEx(WH_GETMESSAGE, [this](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION) {
            auto* msg = reinterpret_cast<core::MSG*>(lParam);
            DispatchOne(*msg);
        }
        return CallNextHookEx(HHOOK{hook_}, code, wParam, lParam);
    });
    hook_ = static_cast<std::uintptr_t>(hook);
}

TApplication::~TApplication() {
    hintWindow_.reset();
    UnhookWindowsHookEx(HHOOK{hook_});
    core::SetExceptionHandler(nullptr);
}

void TApplication::TimerMessage(TMessage& message) {
    message.Result = 0;
    if (message.Msg != WM_TIMER) return;
    core::KillTimer(window_.Handle(), message.WParam);
    if (message.WParam == HintShowTimer) ShowHintNow();
    if (message.WParam == HintHideTimer) CancelHint();
}

void TApplication::ShowHintNow() {
    auto* control = const_cast<TControl*>(mouseControl_);
    if (!ShowHint || !control) return;
    TPoint p;
    GetCursorPos(&p);
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(p);
    info.CursorRect = control->ClientRect();
    info.HintStr = control->HintShowing() ? control->Hint : std::string();
    const bool refused = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    // Also an area without a hint is kept: the pointer leaving it asks again.
    const TPoint topLeft = control->ClientToScreen({info.CursorRect.Left, info.CursorRect.Top});
    hintArea_ = {topLeft.X, topLeft.Y, topLeft.X + info.CursorRect.Width(),
                 topLeft.Y + info.CursorRect.Height()};
    hintAreaSet_ = true;
    const std::string text = refused ? std::string() : GetShortHint(info.HintStr);
    if (text.empty()) return;
    if (!hintWindow_) hintWindow_ = std::make_unique<THintWindow>();
    hintWindow_->ActivateHint({p.X, p.Y + 20}, text);
    core::SetTimer(window_.Handle(), HintHideTimer, HintHidePause);
}

std::string TApplication::HintText() const {
    return hintWindow_ && hintWindow_->Showing() ? hintWindow_->Caption() : std::string();
}

void TApplication::CancelHint() {
    core::KillTimer(window_.Handle(), HintShowTimer);
    core::KillTimer(window_.Handle(), HintHideTimer);
    hintAreaSet_ = false;
    // The window goes with the hint: none is left behind for the end of the program.
    if (hintWindow_) {
        hintWindow_->ReleaseHint();
        hintWindow_.reset();
    }
}

// Every message taken from the queue passes here before it is dispatched.
void TApplication::DispatchOne(core::MSG& msg) {
    if (OnMessage) {
        bool handled = false;
        try {
            OnMessage(msg, handled);
        } catch (...) {
            HandleException(std::current_exception());
        }
        if (handled) {
            msg.message = WM_NULL;
            return;
        }
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) TrackMouseControl(msg);
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
        msg.message == WM_KEYDOWN || msg.message == WM_NCLBUTTONDOWN)
        CancelHint();
    if (msg.message == WM_ACTIVATEAPP) {
        const bool active = msg.wParam != 0;
        if (active != active_) {
            active_ = active;
            if (active && OnActivate) OnActivate(this);
            if (!active && OnDeactivate) OnDeactivate(this);
        }
    }
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
        msg.message == WM_MBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN ||
        msg.message == WM_LBUTTONDBLCLK) {
        // A press inside a multiple-document child brings it forward first.
        HWND wnd = msg.hwnd;
        while (wnd != NullHWnd) {
            auto* form = dynamic_cast<TCustomForm*>(FindControl(wnd));
            if (form && form->FormStyle() == fsMDIChild) {
                if (TCustomForm* main = mainForm_; main && main->ActiveMDIChild() != form)
                    form->Show();
                break;
            }
            wnd = GetParent(wnd);
        }
    }
}

void TApplication::TrackMouseControl(const core::MSG&) {
    TPoint p;
    GetCursorPos(&p);
    TControl* now = FindDragTarget(p, true);
    if (now == mouseControl_) {
        // Leaving the area a shown hint stands for (a part of its control) starts a new one.
        if (now && hintAreaSet_ && !PtInRect(hintArea_, p)) {
            CancelHint();
            core::SetTimer(window_.Handle(), HintShowTimer, HintPause);
        }
        return;
    }
    CancelHint();
    if (auto* old = const_cast<TControl*>(mouseControl_)) old->Perform(CM_MOUSELEAVE, 0, 0);
    mouseControl_ = now;
    if (now) now->Perform(CM_MOUSEENTER, 0, 0);
    Hint = now ? GetLongHint(now->Hint) : std::string();
    if (OnHint) OnHint(this);
    // A control without a hint of its own may still answer one for a part of it (CM_HINTSHOW).
    if (now && ShowHint) core::SetTimer(window_.Handle(), HintShowTimer, HintPause);
}

void TApplication::SetHint(const std::string& value) {
    if (value == Hint) return;
    Hint = value;
    if (OnHint) OnHint(this);
}

void TApplication::Notification(TComponent* component, core::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != core::opRemove) return;
    // During the owner's freeing the form is still whole, so its own type still answers.
    if (auto* form = dynamic_cast<TCustomForm*>(component)) form->BeforeDestruction();
}

void TApplication::ControlGoing(const TControl* control) {
    if (mouseControl_ != control) return;
    mouseControl_ = nullptr;
    CancelHint();
}

void TApplication::Run() {
    if (mainForm_) {
        mainForm_->AfterConstruction();
        if (!mainForm_->Visible()) mainForm_->Show();
    }
    ModalLoop loop;
    loop.OnIdle = [this] { Idle(); };
    runLoop_ = &loop;
    while (!terminated_) {
        loop.Run();
        core::MSG msg;
        if (core::PeekMessage(msg, NullHWnd, WM_QUIT, WM_QUIT, core::PM_REMOVE)) terminated_ = true;
    }
    runLoop_ = nullptr;
    // The program ends: its forms go now, while the windows they stand on still exist.
    CancelHint();
    while (ComponentCount() > 0)
        FreeComponent(*Components(ComponentCount() - 1));
    mainForm_ = nullptr;
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    if (runLoop_) static_cast<ModalLoop*>(runLoop_)->Quit();
    core::PostMessage(window_.Handle(), WM_QUIT, 0, 0);
}

void TApplication::ProcessMessages() {
    core::ProcessMessages();
}

void TApplication::HandleMessage() {
    core::MSG msg;
    if (!core::PeekMessage(msg, NullHWnd, 0, 0, core::PM_REMOVE)) {
        Idle();
        win::WaitMessage();
        return;
    }
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return;
    }
    try {
        core::DispatchMessage(msg);
    } catch (...) {
        HandleException(std::current_exception());
    }
}

void TApplication::Idle() {
    // A form's update may close or free forms: the count is read again at each step.
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* form = Screen().Forms(i);
        if (!form->HandleAllocated() || !IsWindowVisible(form->Handle()) ||
            !IsWindowEnabled(form->Handle()))
            continue;
        try {
            form->UpdateActions();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
}

void TApplication::NormalizeTopMosts() {
    if (topMostLevel_++ > 0) return;
    topMosts_.clear();
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* form = Screen().Forms(i);
        if (!form->HandleAllocated()) continue;
        const HWND wnd = form->Handle();
        if ((GetWindowLong(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) && IsWindowVisible(wnd))
            topMosts_.push_back(wnd);
    }
    for (HWND wnd : topMosts_)
        SetWindowPos(wnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TApplication::RestoreTopMosts() {
    if (topMostLevel_ == 0 || --topMostLevel_ > 0) return;
    // Bottom first, so that they keep their order among themselves.
    for (auto it = topMosts_.rbegin(); it != topMosts_.rend(); ++it)
        if (core::IsWindow(*it))
            SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    topMosts_.clear();
}

bool TApplication::HelpContext(int context) {
    return HelpCommand(HELP_CONTEXT, context);
}

bool TApplication::HelpCommand(WORD command, std::intptr_t data) {
    switch (command) {
    case HELP_CONTEXT:
        return HelpManager().ShowContextHelp(static_cast<int>(data), HelpFile);
    case HELP_CONTENTS:
    case HELP_FINDER:
        return HelpShowTableOfContents();
    default:
        return false;
    }
}

bool TApplication::HelpKeyword(const std::string& keyword) {
    return HelpManager().ShowHelp(keyword, HelpFile);
}

bool TApplication::HelpJump(const std::string& topic) {
    return HelpManager().ShowTopicHelp(topic, HelpFile);
}

bool TApplication::HelpShowTableOfContents() {
    return HelpManager().ShowTableOfContents(HelpFile);
}

void TApplication::HandleException(std::exception_ptr error) {
    HandleException(this, std::move(error));
}

void TApplication::HandleException(TObject* sender, std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const core::EAbort&) {
        return;
    } catch (...) {
    }
    if (OnException) {
        OnException(sender, error);
        return;
    }
    ShowException(error);
}

void TApplication::ShowException(const std::exception_ptr& error) {
    std::string text = "Unknown exception";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    if (!text.empty() && text.back() != '.') text += '.';
    // A failure that comes while one is shown (a timer's handler failing on each tick, as the
    // box's own loop runs the timers) is not stacked on it: one box per tick would go on until
    // the stack ran out. The box shown stands for it.
    if (showingException_) {
        std::cerr << Title << ": " << text << '\n';
        return;
    }
    showingException_ = true;
    try {
        MessageBox(text, Title, MB_OK | MB_ICONSTOP);
    } catch (...) {
        // A report that fails cannot be reported again.
    }
    showingException_ = false;
}

} // namespace platform::forms
