#include "toolkit/bars/windows/dx_bar_mouse_hooks.h"

#include "toolkit/bars/model/dx_bar_customizing_services.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_item_drag.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_menu_animation.h"
#include "toolkit/bars/windows/dx_bar_popup_menu.h"
#include "toolkit/bars/windows/dx_bar_quick_control.h"
#include "toolkit/bars/windows/dx_bar_quick_customize.h"

#include "platform/forms/application.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <vector>

namespace toolkit::bars {

namespace pf = platform::forms;
namespace pw = platform::win;

namespace {

bool GMouseHookEntered = false;
bool GCallWndProcEntered = false;

// The hooks' own sends come back into them; the flag is set for as long as one runs.
class TReentryGuard {
public:
    explicit TReentryGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TReentryGuard() { FFlag = false; }
    TReentryGuard(const TReentryGuard&) = delete;
    TReentryGuard& operator=(const TReentryGuard&) = delete;

private:
    bool& FFlag;
};

TCustomdxBarControl* BarControlOf(pw::HWND Wnd) {
    if (Wnd == pw::NullHWnd) return nullptr;
    return dynamic_cast<TCustomdxBarControl*>(pf::FindControl(Wnd));
}

// The active bar window and every bar window it was opened from.
bool InsideActiveChain(TCustomdxBarControl* Active, pw::HWND Target) {
    for (TCustomdxBarControl* C = Active; C; C = C->ParentBarControl()) {
        if (!C->HandleAllocated()) continue;
        const pw::HWND Wnd = C->Handle();
        if (Target == Wnd || pw::IsChild(Wnd, Target)) return true;
        if (Target != pw::NullHWnd && Target == C->OpenPopup) return true;
    }
    return false;
}

// The item control the point is over: the selection of the bar window there, or, while some
// window holds the capture, the active window's selection when the point is over it or over the
// list its combo holds dropped down.
TdxBarItemControl* ItemControlUnder(TCustomdxBarControl* Active, pw::TPoint Point) {
    const pw::HWND AtPoint = pw::WindowFromPoint(Point);
    if (pw::GetCapture() != pw::NullHWnd) {
        if (Active->HandleAllocated() && AtPoint == Active->Handle())
            return Active->SelectedControl();
        if (AtPoint != pw::NullHWnd && Active->OpenPopup != pw::NullHWnd &&
            (AtPoint == Active->OpenPopup || pw::IsChild(Active->OpenPopup, AtPoint)))
            return Active->SelectedControl();
        return nullptr;
    }
    TCustomdxBarControl* Bar = BarControlOf(AtPoint);
    return Bar ? Bar->SelectedControl() : nullptr;
}

bool IsRightOrMiddleUp(pw::UINT Message) {
    return Message == pw::WM_RBUTTONUP || Message == pw::WM_NCRBUTTONUP ||
           Message == pw::WM_MBUTTONUP || Message == pw::WM_NCMBUTTONUP;
}

bool IsLeftUp(pw::UINT Message) {
    return Message == pw::WM_LBUTTONUP || Message == pw::WM_NCLBUTTONUP;
}

// Closes the menus of the active window for as long as the press lies outside its chain.
void CloseMenusOutside(pw::HWND Target) {
    TCustomdxBarControl* Previous = nullptr;
    while (TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl()) {
        // A window that stays active after HideAll would hold the loop for ever.
        if (Active == Previous || InsideActiveChain(Active, Target)) return;
        Previous = Active;
        Active->HideAll();
    }
}

// A right click on a control bound by a popup-menu link (or on a child of one) opens the menu.
// True when the link took the click (the menu opened, or the control's own handler took it):
// the release then goes no further, so that the control does not ask its handler again.
bool OpenBoundPopupMenu(pw::HWND Target, pw::TPoint ScreenPoint) {
    pf::TWinControl* Control = FindControlUp(Target);
    if (Control == nullptr || !Control->Enabled()) return false;
    TdxBarManager* Manager = GetBarManagerByControl(Control->ParentForm());
    return Manager && Manager->PopupMenuLinks() &&
           Manager->PopupMenuLinks()->ProcessContextPopup(Control, Target, ScreenPoint);
}

// A button message anywhere but on the quick-customise bar, or on its toolbar's mark (for any
// message but a right press), closes the bar while it is not active; an active one closes with
// the active window chain.
void CloseQuickControlOutside(pw::UINT Message, const pw::MOUSEHOOKSTRUCT& Info) {
    const bool Client = Message >= pw::WM_LBUTTONDOWN && Message <= pw::WM_MBUTTONDBLCLK;
    const bool Frame = Message >= pw::WM_NCLBUTTONDOWN && Message <= pw::WM_NCMBUTTONDBLCLK;
    if (!Client && !Frame) return;
    TdxBarQuickControl* Quick = dxBarQuickControl();
    if (Quick == nullptr || Quick->Active() || !Quick->HandleAllocated()) return;
    const pw::HWND Target = Info.hwnd;
    if (Target == Quick->Handle() || pw::IsChild(Quick->Handle(), Target)) return;
    TdxBarControl& Toolbar = Quick->ParentBar();
    if (Message != pw::WM_RBUTTONDOWN && BarControlOf(Target) == &Toolbar &&
        platform::gdi::PtInRect(Toolbar.GetMarkScreenRect(), Info.pt))
        return;
    Quick->Close();
}

// While an MDI child's bars are customized, the frame is disabled with the rest: what lands on
// the child inside it is taken as landing on the child's frame, to be redirected to the
// child's bar under the point.
void TakeAsMDIChildFrame(pw::UINT& Message, pw::MOUSEHOOKSTRUCT& Info) {
    TdxBarManager* Manager = dxBarCustomizingServices().CustomizingManager();
    pf::TCustomForm* Child = Manager ? Manager->Form() : nullptr;
    if (Child == nullptr || Child->FormStyle() != pf::fsMDIChild || Manager->IsDesigning() ||
        !Child->HandleAllocated())
        return;
    auto* Frame = dynamic_cast<pf::TCustomForm*>(pf::FindControl(Info.hwnd));
    if (Frame == nullptr || Frame->FormStyle() != pf::fsMDIForm) return;
    const pw::HWND Client = Frame->ClientHandle();
    pw::TPoint P = Info.pt;
    pw::ScreenToClient(Client, &P);
    if (pw::ChildWindowFromPointEx(Client, P, pw::CWP_SKIPINVISIBLE) != Child->Handle()) return;
    if (Message >= pw::WM_MOUSEFIRST && Message <= pw::WM_MBUTTONDBLCLK)
        Message -= pw::NonClientMouseOffset;
    Info.hwnd = Child->Handle();
    Info.wHitTestCode = static_cast<pw::UINT>(pw::HTERROR);
}

} // namespace

bool dxBarMouseHookSwallows(int Code, pw::UINT HookMessage, const pw::MOUSEHOOKSTRUCT& HookInfo) {
    if (GMouseHookEntered || Code < 0) return false;
    TReentryGuard Guard(GMouseHookEntered);
    pw::UINT Message = HookMessage;
    pw::MOUSEHOOKSTRUCT Info = HookInfo;
    TakeAsMDIChildFrame(Message, Info);
    TdxBarCustomizingServices& Customizing = dxBarCustomizingServices();
    if (const pw::HWND Bar = Customizing.BarUnderCustomizingForm(Message, Info);
        Bar != pw::NullHWnd) {
        // A press on another bar takes menu mode from the active one before that bar hears it:
        // the active bar would keep every mouse message to itself.
        if (TCustomdxBarControl::ActiveBarControl() && pw::IsMouseButtonPress(Message) &&
            TdxBarItemDragging::Current() == nullptr)
            CloseMenusOutside(Bar);
        if (pw::IsWindowVisible(Bar)) Customizing.RedirectToBar(Bar, Message, Info);
        return true;
    }
    CloseQuickControlOutside(Message, Info);
    TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
    if (Active == nullptr) {
        if (Message == pw::WM_RBUTTONUP || Message == pw::WM_NCRBUTTONUP)
            return OpenBoundPopupMenu(Info.hwnd, Info.pt);
        return false;
    }
    const pw::HWND Target = Info.hwnd;
    if (IsRightOrMiddleUp(Message)) {
        if (ItemControlUnder(Active, Info.pt) == nullptr && !InsideActiveChain(Active, Target))
            return true;
        if (Message == pw::WM_RBUTTONUP || Message == pw::WM_NCRBUTTONUP)
            return OpenBoundPopupMenu(Target, Info.pt);
        return false;
    }
    // A command dragged while customizing takes the menus it passes; they close with its drop.
    if (TdxBarItemDragging::Current() != nullptr) return false;
    if (IsLeftUp(Message)) {
        // A menu still unfolding under a press keeps its place for the release.
        if (ItemControlUnder(Active, Info.pt) != nullptr || dxBarMenuAnimationRunning() ||
            Active->IsCustomizing())
            return false;
        if (Active->IsSubMenuControl() && Active->ParentBarControl() == nullptr) return false;
        CloseMenusOutside(Target);
    } else if (pw::IsMouseButtonPress(Message)) {
        CloseMenusOutside(Target);
    } else {
        return false;
    }
    // The press went to a menu that has just closed.
    return Target == pw::NullHWnd || !pw::IsWindowVisible(Target);
}

namespace {

// The first form of the framework at Wnd or above it (parents, then owners).
pf::TCustomForm* FormAtOrAbove(pw::HWND Wnd) {
    for (; Wnd != pw::NullHWnd; Wnd = pw::GetParent(Wnd))
        if (auto* Form = dynamic_cast<pf::TCustomForm*>(pf::FindControl(Wnd))) return Form;
    return nullptr;
}

// F1 while a menu is open asks the window with the focus, which may lie on another form (an
// MDI child, a form that borrows the main form's menu): the help is the open menu's, so its
// manager's form takes the request.
void RetargetHelp(pw::CWPSTRUCT& Info) {
    TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
    TdxBarManager* Manager = Active ? Active->BarManager() : nullptr;
    pf::TCustomForm* Form = Manager ? Manager->Form() : nullptr;
    if (Form == nullptr || !Form->HandleAllocated()) return;
    if (FormAtOrAbove(Info.hwnd) != Form) Info.hwnd = Form->Handle();
}

// The manager a floating toolbar passes its activation to: its form's, unless the window is a
// menu, the quick-customise window, or a toolbar whose own form is the other side of it.
TdxBarManager* ManagerOfActivatedToolbar(const pw::CWPSTRUCT& Info, pf::TWinControl* Control) {
    // A floating toolbar passes its activation on to its form's manager; a menu does not, nor
    // the quick-customise bar, nor a toolbar whose own form is the other side of the activation.
    auto* Bar = dynamic_cast<TCustomdxBarControl*>(Control);
    if (Bar == nullptr || Bar->IsSubMenuControl() || dynamic_cast<TdxBarQuickControl*>(Bar))
        return nullptr;
    const pw::HWND Parent = pw::GetParent(Info.hwnd);
    if (Parent == static_cast<pw::HWND>(Info.lParam)) return nullptr;
    auto* ParentForm = dynamic_cast<pf::TCustomForm*>(pf::FindControl(Parent));
    if (ParentForm == nullptr || !pw::IsWindowVisible(Parent)) return nullptr;
    return GetBarManagerByControl(ParentForm);
}

// The floating bars of the MDI children's managers follow the frame's activation: when it
// comes, only the active child's show; up to the child whose bar window takes it over.
void MDIChildrenFollowFrameActivation(const pw::CWPSTRUCT& Info) {
    const bool Active = pw::LOWORD(Info.wParam) != pw::WA_INACTIVE;
    const auto Other = static_cast<pw::HWND>(Info.lParam);
    pf::TCustomForm* Main = pf::Application().MainForm();
    pf::TCustomForm* ActiveChild = Main ? Main->ActiveMDIChild() : nullptr;
    std::vector<TdxBarManager*> Children;
    const TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I)
        if (TdxBarManager* M = List.GetItem(I);
            M->Form() && M->Form()->FormStyle() == pf::fsMDIChild)
            Children.push_back(M);
    for (TdxBarManager* M : Children) {
        if (!dxBarUnit().BarManagerList().Contains(M)) continue;
        if (Active && M->Form() != ActiveChild) continue;
        UpdateFloatingBars(*M, Active, false, Other);
        if (auto* Window = dynamic_cast<TCustomdxBarControl*>(pf::FindControl(Other));
            Window && Window->BarManager() == M)
            break;
    }
}

} // namespace

void dxBarCallWndProcHook(int Code, pw::CWPSTRUCT& Info) {
    if (Code < 0) return;
    if (Info.message == pw::WM_HELP) RetargetHelp(Info);
    if (!GCallWndProcEntered) {
        // The look-ups are guarded against the sends they cause; the managers' reactions are
        // not, so that a form's message sent while its manager reacts reaches it too.
        TdxBarManager* FormManager = nullptr;
        TdxBarManager* ToolbarManager = nullptr;
        bool MainMDIFrame = false;
        {
            TReentryGuard Guard(GCallWndProcEntered);
            pf::TWinControl* Control = pf::FindControl(Info.hwnd);
            if (auto* Form = dynamic_cast<pf::TCustomForm*>(Control))
                FormManager = GetBarManagerByControl(Form);
            else if (Info.message == pw::WM_ACTIVATE)
                ToolbarManager = ManagerOfActivatedToolbar(Info, Control);
            pf::TCustomForm* Main = pf::Application().MainForm();
            MainMDIFrame =
                Main && Main->FormStyle() == pf::fsMDIForm && Main->HandleAllocated() &&
                Main->Handle() == Info.hwnd &&
                (Info.message == pw::WM_ACTIVATE || Info.message == pw::WM_WINDOWPOSCHANGED) &&
                !IsAnyPopupMenuShowing();
        }
        if (FormManager) FormManager->HandleFormMessage(Info.message, Info.wParam, Info.lParam);
        if (ToolbarManager)
            ToolbarManager->HandleFormMessage(Info.message, Info.wParam, Info.lParam);
        if (MainMDIFrame && Info.message == pw::WM_ACTIVATE) MDIChildrenFollowFrameActivation(Info);
        if (MainMDIFrame && Info.message == pw::WM_WINDOWPOSCHANGED)
            if (TdxBarManager* Edited = dxBarCustomizingServices().CustomizingManager())
                dxBarCustomizingServices().CustomizingFormFollowForm(
                    *Edited, *reinterpret_cast<const pw::WINDOWPOS*>(Info.lParam));
    }
    if (Info.message == pw::WM_CHILDACTIVATE || Info.message == pw::WM_MDIACTIVATE ||
        Info.message == pw::WM_DESTROY)
        dxBarMDIChildMessage(Info.hwnd, Info.message);
}

} // namespace toolkit::bars
