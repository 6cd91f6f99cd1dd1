#include "platform/core/window_handle.h"

#include "platform/core/no_destructor.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform::core {

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<HWND, std::shared_ptr<const WNDPROC>> procs;
    // Handles are never reused, so a stale handle can never reach a newer window.
    std::uintptr_t next = 1;
    std::function<void(HWND&, UINT, WPARAM, LPARAM)> sendHook;
};

Registry& TheRegistry() {
    static NoDestructor<Registry> registry;
    return *registry;
}

std::shared_ptr<const WNDPROC> ProcOf(HWND wnd) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.procs.find(wnd);
    return it == r.procs.end() ? nullptr : it->second;
}

} // namespace

HWND RegisterWindowHandle(WNDPROC proc) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    HWND wnd{r.next++};
    r.procs.emplace(wnd, std::make_shared<const WNDPROC>(std::move(proc)));
    return wnd;
}

void UnregisterWindowHandle(HWND wnd) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.procs.erase(wnd);
}

bool IsWindow(HWND wnd) {
    return ProcOf(wnd) != nullptr;
}

std::vector<HWND> WindowHandles() {
    std::vector<HWND> handles;
    {
        auto& r = TheRegistry();
        std::lock_guard lock(r.mutex);
        handles.reserve(r.procs.size());
        for (const auto& entry : r.procs)
            handles.push_back(entry.first);
    }
    std::sort(handles.begin(), handles.end());
    return handles;
}

WNDPROC SetWindowProc(HWND wnd, WNDPROC proc) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.procs.find(wnd);
    if (it == r.procs.end()) return {};
    WNDPROC previous = *it->second;
    it->second = std::make_shared<const WNDPROC>(std::move(proc));
    return previous;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(wnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::function<void(HWND&, UINT, WPARAM, LPARAM)> hook;
    {
        auto& r = TheRegistry();
        std::lock_guard lock(r.mutex);
        hook = r.sendHook;
    }
    if (hook && IsWindow(wnd)) {
        HWND target = wnd;
        hook(target, msg, wParam, lParam);
        if (IsWindow(target)) wnd = target;
    }
    return DeliverMessage(wnd, msg, wParam, lParam);
}

LRESULT DeliverMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto proc = ProcOf(wnd);
    return proc ? CallWindowProc(*proc, wnd, msg, wParam, lParam) : 0;
}

void SetSendMessageHook(std::function<void(HWND&, UINT, WPARAM, LPARAM)> hook) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.sendHook = std::move(hook);
}

HWND AllocateHWnd(TWndMethod method) {
    return RegisterWindowHandle([method = std::move(method)](HWND, UINT msg, WPARAM w, LPARAM l) {
        TMessage m{msg, w, l, 0};
        if (method) method(m);
        return m.Result;
    });
}

void DeallocateHWnd(HWND wnd) {
    UnregisterWindowHandle(wnd);
}

} // namespace platform::core
