#pragma once
// A help library whose HtmlHelpA writes its calls down instead of starting a viewer.

#include "platform/win/html_help.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace app::test {

namespace help_win = platform::win;

// One call of HTML Help as the help library saw it.
struct Call {
    help_win::HWND owner{};
    std::string file; // "(none)" for a null file
    help_win::UINT command = 0;
    std::uintptr_t data = 0;
    bool operator==(const Call&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Call& call) {
    return out << "{owner " << static_cast<std::uintptr_t>(call.owner) << ", " << call.file
               << ", command " << call.command << ", data " << call.data << "}";
}

// A help library whose HtmlHelpA writes its calls down; an index keyword is kept as its text
// in the file column, after a '|'.
class RecordingLibrary : public help_win::THtmlHelpLibrary {
public:
    explicit RecordingLibrary(std::vector<Call>& calls)
        : THtmlHelpLibrary("recording"), calls_(calls) {}
    help_win::THtmlHelpA GetProcAddress(const std::string& name) const override {
        if (name != "HtmlHelpA") return {};
        return [&calls = calls_](help_win::HWND owner, const char* file, help_win::UINT command,
                                 std::uintptr_t data) {
            std::string text = file ? file : "(none)";
            if (command == help_win::HH_DISPLAY_INDEX) {
                text += "|" + std::string(reinterpret_cast<const char*>(data));
                data = 0;
            }
            calls.push_back({owner, text, command, data});
            return true;
        };
    }

private:
    std::vector<Call>& calls_;
};

} // namespace app::test
