#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_manager_list.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/win/input_state.h"
#include "platform/win/messages.h"
#include "platform/win/window.h"

#include <array>
#include <cstdint>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

namespace {

struct TKeyboardHookState {
    bool SwallowKeyUp = false;
    pw::WPARAM SwallowKey = 0;
    bool AltAlone = false;
    bool DirectCall = false;
    bool CaptionButtonCapture = false;
};

TKeyboardHookState& HookState() {
    static TKeyboardHookState State;
    return State;
}

// As the keys stood when the message in hand was made, not as the keyboard is now: keys typed
// faster than the program takes them (Alt already up when Alt+F's letter is handled) still
// count together.
bool KeyDownNow(int Key) {
    return pw::GetKeyState(Key) < 0;
}

// The key table as it will be once the key going up is released: the table itself still
// holds it while the hook runs.
bool IsAnyKeyPressedBut(int GoingUp) {
    std::array<std::uint8_t, 256> Keys{};
    pw::GetKeyboardState(Keys.data());
    const auto Releasing = [GoingUp](int Key) {
        if (Key == GoingUp) return true;
        switch (GoingUp) {
        case pw::VK_MENU:
            return Key == pw::VK_LMENU || Key == pw::VK_RMENU;
        case pw::VK_SHIFT:
            return Key == pw::VK_LSHIFT || Key == pw::VK_RSHIFT;
        case pw::VK_CONTROL:
            return Key == pw::VK_LCONTROL || Key == pw::VK_RCONTROL;
        default:
            return false;
        }
    };
    for (int Key = 0; Key < 256; ++Key)
        if ((Keys[static_cast<std::size_t>(Key)] & 0x80) && !Releasing(Key)) return true;
    return false;
}

TdxBarManager* ManagerOfForm(const pf::TCustomForm* Form) {
    if (Form == nullptr) return nullptr;
    TdxBarManagerList& List = dxBarUnit().BarManagerList();
    for (int I = 0; I < List.GetCount(); ++I)
        if (TdxBarManager* Manager = List.GetItem(I); Manager && Manager->Form() == Form)
            return Manager;
    return nullptr;
}

pf::TCustomForm* FrameworkForm(pw::HWND Wnd) {
    return Wnd == pw::NullHWnd ? nullptr : dynamic_cast<pf::TCustomForm*>(pf::FindControl(Wnd));
}

TdxBarControl* MainMenuBarWindow(const TdxBarManager* Manager) {
    TdxBar* Bar = Manager ? Manager->MainMenuBar() : nullptr;
    return Bar ? dynamic_cast<TdxBarControl*>(Bar->Control()) : nullptr;
}

// The bars whose keys count: the main menu bar, then the visible bars with a visible window.
template <class F> bool ForEachKeyBar(TdxBarManager* Manager, F&& Each) {
    if (TdxBar* Main = Manager->MainMenuBar(); Main && Each(*Main)) return true;
    TdxBars* Bars = Manager->Bars();
    if (Bars == nullptr) return false;
    for (int I = 0; I < Bars->Count(); ++I) {
        TdxBar* Bar = Bars->Items(I);
        if (Bar == nullptr || Bar == Manager->MainMenuBar() || !Bar->Visible() || Bar->Hidden())
            continue;
        auto* Window = dynamic_cast<TdxBarControl*>(Bar->Control());
        if (Window && Window->Visible() && Each(*Bar)) return true;
    }
    return false;
}

bool IsBarShortCut(TdxBarManager* Manager, pf::TShortCut ShortCut) {
    return ForEachKeyBar(Manager, [ShortCut](TdxBar& Bar) { return Bar.IsShortCut(ShortCut); });
}

// The first link of the menu bar (or, without a menu bar window, of the visible bars) whose
// accelerator Key types.
TdxBarItemLink* FindAccelLink(TdxBarManager* Manager, std::uint16_t Key, pf::TShiftState Shift) {
    if (TdxBar* Main = Manager->MainMenuBar(); Main && MainMenuBarWindow(Manager))
        return Main->ItemLinks().FindAccel(Key, Shift, nullptr);
    TdxBarItemLink* Found = nullptr;
    ForEachKeyBar(Manager, [&](TdxBar& Bar) {
        if (&Bar == Manager->MainMenuBar()) return false;
        Found = Bar.ItemLinks().FindAccel(Key, Shift, nullptr);
        return Found != nullptr;
    });
    return Found;
}

bool RunAccel(TdxBarItemLink& Link, std::uint16_t Key, pf::TShiftState Shift) {
    TdxBarItemControl* Control = Link.Control();
    auto* Window = dynamic_cast<TdxBarControl*>(Link.GetBarControl());
    if (Control == nullptr || Window == nullptr || !Control->GetEnabled()) return true;
    const TdxBarItemLinks* Links = Window->ItemLinks();
    const bool Unique = Links && Links->FindAccel(Key, Shift, &Link) == &Link;
    auto* Sub = dynamic_cast<TdxBarSubItemControl*>(Control);
    // A button on a toolbar runs at once; a menu entry opens its menu in menu mode.
    if (Sub || !Unique) Window->EnterMenuMode(Control);
    if (!Unique || !dxBarUnit().BarControlExists(Window) || !Window->HasItemControl(Control))
        return true;
    if (Sub) {
        Sub->MouseDown(false);
    } else {
        Control->Click(false);
    }
    return true;
}

bool SearchShortCut(std::uint16_t Key, TdxBarManager* MenuManager, TdxBarManager* Second) {
    pf::TShortCut ShortCut = Key & 0xFF;
    if (KeyDownNow(pw::VK_SHIFT)) ShortCut |= pf::scShift;
    if (KeyDownNow(pw::VK_CONTROL)) ShortCut |= pf::scCtrl;
    if (KeyDownNow(pw::VK_MENU)) ShortCut |= pf::scAlt;
    pf::TWinControl* Focused = nullptr;
    if (TdxBarPopupMenuLinks* Links = GetFocusedPopupMenuLinks(Focused))
        if (Links->ProcessShortCut(Focused, ShortCut)) return true;
    const bool TwoManagers = Second && Second != MenuManager;
    if (IsBarShortCut(MenuManager, ShortCut)) return true;
    if (TwoManagers && IsBarShortCut(Second, ShortCut)) return true;
    if (!KeyDownNow(pw::VK_MENU)) return false;
    const pf::TShiftState Shift = GetShiftStateByKeys() & ~pf::ssAlt;
    TdxBarItemLink* Link = FindAccelLink(MenuManager, Key, Shift);
    if (Link == nullptr && TwoManagers) Link = FindAccelLink(Second, Key, Shift);
    return Link && RunAccel(*Link, Key, Shift);
}

// Steps 9 to 13 of a key that reaches the form's managers; Result 1 swallows it.
pw::LRESULT FormKey(pw::WPARAM WParam, pw::LPARAM LParam) {
    TKeyboardHookState& S = HookState();
    pf::TCustomForm* Form = FrameworkForm(pw::GetActiveWindow());
    if (Form == nullptr || !Form->Enabled() || (Form->ComponentState() & pc::csDesigning)) return 0;
    pf::TCustomForm* MainForm = pf::Application().MainForm();
    if (Form->FormStyle() == pf::fsMDIForm)
        if (pf::TCustomForm* Child = Form->ActiveMDIChild()) Form = Child;
    TdxBarManager* Own = ManagerOfForm(Form);
    if (Own == nullptr && Form->HandleAllocated())
        Own = ManagerOfForm(FrameworkForm(pw::GetParent(Form->Handle())));
    TdxBarManager* MenuManager = Own;
    TdxBarManager* MainManager = MainForm != Form ? ManagerOfForm(MainForm) : nullptr;
    if (Form->FormStyle() == pf::fsMDIChild) {
        MenuManager = MainManager;
    } else if (Own == nullptr && MainManager && MainManager->AllowCallFromAnotherForm &&
               MainForm->Enabled()) {
        MenuManager = MainManager;
    }
    TdxBarManager* Second = MenuManager;
    if (Own != nullptr) {
        Second = Own;
        if (Form->FormStyle() == pf::fsMDIChild && MainMenuBarWindow(Own) && MenuManager) {
            Second = MenuManager;
            MenuManager = Own;
        }
    }
    if (MenuManager == nullptr || MenuManager->IsCustomizing() || MenuManager->IsInMenuMode())
        return 0;
    const auto Key = static_cast<std::uint16_t>(WParam);
    if (LParam & (pw::LPARAM{1} << 31)) {
        if (TdxBarControl* Bar = MainMenuBarWindow(MenuManager)) {
            const bool AltAlone = Key == pw::VK_MENU && S.AltAlone && !IsAnyKeyPressedBut(Key);
            const bool F10 = Key == pw::VK_F10 && MenuManager->UseF10ForMenu &&
                             !KeyDownNow(pw::VK_SHIFT) && !KeyDownNow(pw::VK_CONTROL) &&
                             !KeyDownNow(pw::VK_MENU);
            if (AltAlone || F10) {
                S.AltAlone = false;
                Bar->EnterMenuMode(nullptr);
                return 1;
            }
        }
        S.AltAlone = false;
        return 0;
    }
    if (Key == pw::VK_MENU) {
        S.AltAlone = true;
        return 0;
    }
    S.AltAlone = false;
    return SearchShortCut(Key, MenuManager, Second) ? 1 : 0;
}

// Steps 5 to 13; Result 1 swallows the key.
pw::LRESULT HandleKey(pw::WPARAM WParam, pw::LPARAM LParam) {
    TKeyboardHookState& S = HookState();
    const bool Up = (LParam & (pw::LPARAM{1} << 31)) != 0;
    if (S.SwallowKeyUp && S.SwallowKey == WParam && Up) {
        S.SwallowKeyUp = false;
        return 1;
    }
    TCustomdxBarControl* Active = TCustomdxBarControl::ActiveBarControl();
    // Typing in an edit hosted by the bar window: the edit window takes its keys itself.
    if (Active && Active->HandleAllocated() && Active->SelectedControl() &&
        Active->SelectedControl()->IsWindowControl() && pw::GetFocus() != pw::NullHWnd &&
        pw::GetParent(pw::GetFocus()) == Active->Handle())
        return 0;
    if (Active && Active->BarManager()) {
        if (!Active->IsCustomizing()) {
            if (!Up) {
                S.SwallowKeyUp = true;
                S.SwallowKey = WParam;
            }
            if (Active->HandleAllocated())
                pc::SendMessage(Active->Handle(), Up ? pw::WM_KEYUP : pw::WM_KEYDOWN, WParam,
                                LParam);
            // The key that closed the last menu keeps its key-up from reaching the form.
            const bool KeepSwallow = TCustomdxBarControl::ActiveBarControl() == nullptr && !Up;
            if (!KeepSwallow) S.SwallowKeyUp = false;
            return 1;
        }
        if (WParam == static_cast<pw::WPARAM>(pw::VK_ESCAPE)) {
            if (Active->HandleAllocated() && pw::GetCapture() == Active->Handle())
                pw::ReleaseCapture();
            return 1;
        }
    }
    if (pw::GetCapture() != pw::NullHWnd) return 0;
    const bool MenuKeyUp = WParam == static_cast<pw::WPARAM>(pw::VK_APPS) && Up;
    const bool ShiftF10Down = WParam == static_cast<pw::WPARAM>(pw::VK_F10) && !Up &&
                              KeyDownNow(pw::VK_SHIFT) && !KeyDownNow(pw::VK_CONTROL) &&
                              !KeyDownNow(pw::VK_MENU);
    if (MenuKeyUp || ShiftF10Down) {
        pf::TWinControl* Focused = nullptr;
        if (TdxBarPopupMenuLinks* Links = GetFocusedPopupMenuLinks(Focused))
            if (Links->ProcessContextPopup(Focused, Focused->Handle(), {-1, -1})) return 1;
    }
    return FormKey(WParam, LParam);
}

} // namespace

pw::LRESULT BarKeyboardHookProc(int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
    TKeyboardHookState& S = HookState();
    if (Code == pw::HC_NOREMOVE) return 0;
    if (S.CaptionButtonCapture) return 1;
    if (WParam == static_cast<pw::WPARAM>(pw::VK_PROCESSKEY)) return 0;
    pw::LRESULT Result = 0;
    // Nothing raised by a handler leaves the hook: the key then only goes on.
    if (Code >= 0) try {
            Result = HandleKey(WParam, LParam);
        } catch (...) {
        }
    if (S.DirectCall) return Result;
    const pw::LRESULT Next =
        pw::CallNextHookEx(dxBarUnit().BarManagerList().KeyboardHook(), Code, WParam, LParam);
    return Result == 0 ? Next : Result;
}

void SetBarKeyboardHookDirectCall(bool Value) {
    HookState().DirectCall = Value;
}

void SetBarCaptionButtonCapture(bool Value) {
    HookState().CaptionButtonCapture = Value;
}

bool ClosesBarWindows(std::uint16_t Key, const TdxBarManager* Manager) {
    return Key == pw::VK_MENU || (Key == pw::VK_F10 && Manager && Manager->UseF10ForMenu);
}

bool IsAccelKey(std::uint16_t Key) {
    return (Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9');
}

pf::TShiftState GetShiftStateByKeys() {
    pf::TShiftState Shift = 0;
    if (KeyDownNow(pw::VK_SHIFT)) Shift |= pf::ssShift;
    if (KeyDownNow(pw::VK_MENU)) Shift |= pf::ssAlt;
    if (KeyDownNow(pw::VK_CONTROL)) Shift |= pf::ssCtrl;
    return Shift;
}

bool IsAnyKeyPressed() {
    return IsAnyKeyPressedBut(-1);
}

TdxBarPopupMenuLinks* GetFocusedPopupMenuLinks(pf::TWinControl*& Control) {
    Control = nullptr;
    for (pw::HWND Wnd = pw::GetFocus(); Wnd != pw::NullHWnd; Wnd = pw::GetParent(Wnd))
        if ((Control = pf::FindControl(Wnd)) != nullptr) break;
    if (Control == nullptr) return nullptr;
    pf::TWinControl* Top = Control;
    while (Top->Parent())
        Top = Top->Parent();
    TdxBarManager* Manager = ManagerOfForm(dynamic_cast<pf::TCustomForm*>(Top));
    return Manager ? Manager->PopupMenuLinks() : nullptr;
}

} // namespace toolkit::bars
