#include "toolkit/bars/model/dx_bar_manager_list.h"

#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_unit.h"
#include "toolkit/bars/model/dx_bar_window_services.h"

#include "toolkit/base/cx_hooks.h"

#include <algorithm>
#include <cassert>

namespace toolkit::bars {

namespace pw = platform::win;

TdxBarManagerList::~TdxBarManagerList() {
    // Managers belong to their forms: one still listed here outlived its form's freeing.
    assert(FItems.empty() && "a bar manager outlived the bar unit");
    FItems.clear();
    RemoveHooks();
}

TdxBarManager* TdxBarManagerList::GetItem(int Index) const {
    if (Index < 0 || Index >= GetCount()) return nullptr;
    return FItems[static_cast<std::size_t>(Index)];
}

bool TdxBarManagerList::Contains(const TdxBarManager* Manager) const {
    return std::find(FItems.begin(), FItems.end(), Manager) != FItems.end();
}

TdxBarManager* TdxBarManagerList::GetCustomizingManager() const {
    for (TdxBarManager* Manager : FItems)
        if (Manager->IsCustomizing()) return Manager;
    return nullptr;
}

void TdxBarManagerList::RegisterBarManager(TdxBarManager* Manager, bool Designing) {
    if (!Contains(Manager)) {
        if (FItems.empty()) PlayBarSound(dxBarSoundNone);
        FItems.push_back(Manager);
    }
    if (!Designing) dxBarWindowServices().CreateHintWindow();
    InstallHooks();
}

void TdxBarManagerList::UnregisterBarManager(TdxBarManager* Manager) {
    if (!Contains(Manager)) return;
    std::erase(FItems, Manager);
    if (!FItems.empty()) return;
    RemoveHooks();
    dxBarWindowServices().FreeHintWindow();
}

bool TdxBarManagerList::HooksInstalled() const {
    return FKeyboardHook != pw::NullHook && FMouseHook != pw::NullHook &&
           FCallWndProcHook != pw::NullHook;
}

void TdxBarManagerList::InstallHooks() {
    // Menu mode and shortcuts, the closing of menus, and forms passing their messages to
    // their manager.
    if (FKeyboardHook == pw::NullHook)
        toolkit::base::cxSetHook(
            FKeyboardHook, pw::WH_KEYBOARD, [](int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
                return dxBarWindowServices().KeyboardHook(Code, WParam, LParam);
            });
    if (FMouseHook == pw::NullHook)
        toolkit::base::cxSetHook(
            FMouseHook, pw::WH_MOUSE, [this](int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
                const auto* Info = reinterpret_cast<const pw::MOUSEHOOKSTRUCT*>(LParam);
                const bool Swallow = Info && dxBarWindowServices().MouseHookSwallows(
                                                 Code, static_cast<pw::UINT>(WParam), *Info);
                const pw::LRESULT Next = pw::CallNextHookEx(FMouseHook, Code, WParam, LParam);
                return Swallow ? pw::LRESULT{1} : Next;
            });
    if (FCallWndProcHook == pw::NullHook)
        toolkit::base::cxSetHook(FCallWndProcHook, pw::WH_CALLWNDPROC,
                                 [this](int Code, pw::WPARAM WParam, pw::LPARAM LParam) {
                                     if (auto* Info = reinterpret_cast<pw::CWPSTRUCT*>(LParam))
                                         dxBarWindowServices().CallWndProcHook(Code, *Info);
                                     return pw::CallNextHookEx(FCallWndProcHook, Code, WParam,
                                                               LParam);
                                 });
}

void TdxBarManagerList::RemoveHooks() {
    toolkit::base::cxReleaseHook(FCallWndProcHook);
    toolkit::base::cxReleaseHook(FMouseHook);
    toolkit::base::cxReleaseHook(FKeyboardHook);
}

} // namespace toolkit::bars
