#pragma once
// The process-wide list of live bar managers, in registration order. A manager belongs to its
// form and is freed once, by it: the list never owns or frees one, it only lists it, and a
// list that goes while managers are still listed has been given a fault (a debug build
// asserts it is empty).
//
// The bar unit's thread hooks (keyboard, mouse, call-window-procedure) come with the first
// registration and go with the last.

#include "platform/win/hooks.h"

#include <vector>

namespace toolkit::bars {

class TdxBarManager;

class TdxBarManagerList {
public:
    TdxBarManagerList() = default;
    // Detaches whatever is still listed (unhooking when needed); asserts in a debug build that
    // nothing was.
    ~TdxBarManagerList();
    TdxBarManagerList(const TdxBarManagerList&) = delete;
    TdxBarManagerList& operator=(const TdxBarManagerList&) = delete;

    int GetCount() const { return static_cast<int>(FItems.size()); }
    // nil out of range.
    TdxBarManager* GetItem(int Index) const;
    bool Contains(const TdxBarManager* Manager) const;
    // The first manager that IsCustomizing; nil when none.
    TdxBarManager* GetCustomizingManager() const;

    // Called by the manager's constructor after its owner checks: appends it once (stopping a
    // bar sound when the list was empty), makes the hint window unless the manager is
    // Designing and installs the hooks that are not installed.
    void RegisterBarManager(TdxBarManager* Manager, bool Designing = false);
    // Called by the manager's destructor: removes it; with the list then empty, removes the
    // window-procedure, mouse and keyboard hooks in that order and frees the hint window.
    void UnregisterBarManager(TdxBarManager* Manager);

    // The hooks exist exactly while the list is not empty.
    bool HooksInstalled() const;
    platform::win::HHOOK KeyboardHook() const { return FKeyboardHook; }
    platform::win::HHOOK MouseHook() const { return FMouseHook; }
    platform::win::HHOOK CallWndProcHook() const { return FCallWndProcHook; }

private:
    void InstallHooks();
    void RemoveHooks();

    std::vector<TdxBarManager*> FItems;
    platform::win::HHOOK FKeyboardHook{};
    platform::win::HHOOK FMouseHook{};
    platform::win::HHOOK FCallWndProcHook{};
};

} // namespace toolkit::bars
