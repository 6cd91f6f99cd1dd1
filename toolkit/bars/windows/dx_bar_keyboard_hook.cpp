#include "toolkit/bars/windows/dx_bar_keyboard_hook.h"

#include "toolkit/bars/model/dx_bar.h"
#include "toolkit/bars/model/dx_bar_item_link.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_manager_list.h"
#include "toolkit/bars/model/dx_bar_popup_menu_links.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/windows/dx_bar_control.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"
#include "toolkit/bars/windows/dx_bar_toolbar_control.h"

#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/shortcuts.h"
#include "platform/win/input_state.h"
#include "platform/win/keyboard_layout.h"
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

pf::TCustomForm* FrameworkForm(pw::HWND Wnd) {
    return Wnd == pw::NullHWnd ? nullptr : dynamic_cast<pf::TCustomForm*>(pf::FindControl(Wnd));
}

TdxBarControl* MainMenuBarWindow(const TdxBarManager* Manager) {
    return Manager ? dynamic_cast<TdxBarControl*>(Manager->GetMainMenuControl()) : nullptr;
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
    // The accelerator of a disabled command is no one's: the key goes on.
    if (Link.Item() == nullptr || !Link.Item()->Enabled()) return false;
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
    TdxBarManager* Own = GetBarManagerByControl(Form);
    // A form whose parent (or owner) window is a form of ours uses that form's bars, unless it
    // is modal: a dialog keeps its keys from the bars of the form it stands over.
    if (Own == nullptr && !Form->Modal() && Form->HandleAllocated())
        Own = GetBarManagerByControl(FrameworkForm(pw::GetParent(Form->Handle())));
    TdxBarManager* MenuManager = Own;
    TdxBarManager* MainManager = MainForm != Form ? GetBarManagerByControl(MainForm) : nullptr;
    const bool PlainForm =
        Form->FormStyle() == pf::fsNormal || Form->FormStyle() == pf::fsStayOnTop;
    if (Form->FormStyle() == pf::fsMDIChild) {
        MenuManager = MainManager;
    } else if (Own == nullptr && PlainForm && MainManager &&
               MainManager->AllowCallFromAnotherForm && MainForm->Enabled()) {
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

// The keys an edit of a bar takes for itself, going down or up: without Alt, what types a
// character, the moves and deletions, and the bar edit's own keys (Enter, Esc and Tab leave it,
// Up, Down and F4 step through or open a combo's list); with Ctrl only the moves, deletions and
// the clipboard, undo and select-all chords. Every other key may be a command's.
bool EditTakesKey(std::uint16_t Key) {
    if (KeyDownNow(pw::VK_MENU)) return false;
    switch (Key) {
    case pw::VK_LEFT:
    case pw::VK_RIGHT:
    case pw::VK_HOME:
    case pw::VK_END:
    case pw::VK_INSERT:
    case pw::VK_DELETE:
    case pw::VK_BACK:
        return true;
    default:
        break;
    }
    if (KeyDownNow(pw::VK_CONTROL))
        return Key == 'A' || Key == 'C' || Key == 'V' || Key == 'X' || Key == 'Z';
    return IsBarEditKey(Key) || pw::MapVirtualKey(Key, 2) != 0;
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
    // Typing in an edit hosted by the bar window: the edit window takes its own keys; the
    // others look for their command as they would from the form.
    const bool Editing = Active && Active->HandleAllocated() && Active->SelectedControl() &&
                         Active->SelectedControl()->IsWindowControl() &&
                         pw::GetFocus() != pw::NullHWnd &&
                         pw::GetParent(pw::GetFocus()) == Active->Handle();
    if (Editing && EditTakesKey(static_cast<std::uint16_t>(WParam))) return 0;
    if (Active && Active->BarManager() && !Editing) {
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
    Control = FindControlUp(pw::GetFocus());
    if (Control == nullptr) return nullptr;
    pf::TWinControl* Top = Control;
    while (Top->Parent())
        Top = Top->Parent();
    TdxBarManager* Manager = GetBarManagerByControl(dynamic_cast<pf::TCustomForm*>(Top));
    return Manager ? Manager->PopupMenuLinks() : nullptr;
}

} // namespace toolkit::bars
