#pragma once
// A value that is made on first use and never destroyed. Process-wide tables use it where code
// that runs during static destruction (the teardown of an object that lives until the process
// ends) may still reach them: the order statics are destroyed in follows the order they were
// made, which no single file controls. What the value holds goes with the process.

#include <new>
#include <utility>

namespace platform::core {

template <typename T> class NoDestructor {
public:
    template <typename... Args> explicit NoDestructor(Args&&... args) {
        ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
    }
    NoDestructor(const NoDestructor&) = delete;
    NoDestructor& operator=(const NoDestructor&) = delete;

    T& operator*() { return *Get(); }
    T* operator->() { return Get(); }
    T* Get() { return std::launder(reinterpret_cast<T*>(storage_)); }

private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

} // namespace platform::core
