#include "platform/core/text.h"
#include "platform/win/messages.h"

#include <map>

namespace platform::win {

UINT RegisterWindowMessage(const std::string& name) {
    static std::map<std::string, UINT> registered;
    if (name.empty()) return 0;
    const std::string key = core::UpperCase(name);
    if (auto it = registered.find(key); it != registered.end()) return it->second;
    const UINT next = 0xC000 + static_cast<UINT>(registered.size());
    if (next > 0xFFFF) return 0;
    registered.emplace(key, next);
    return next;
}

} // namespace platform::win
