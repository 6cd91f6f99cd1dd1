#pragma once
// The platform's HTML Help, stood in for by a help viewer of this desktop. Loading the help
// library looks for the viewer: a compiled-help viewer on the search path, else the desktop's
// opener; when there is neither, there is no library, as when the platform's is missing.
// HtmlHelpA starts the viewer as a process of its own and never waits for it: the viewer
// outlives the call and the program, and its windows are its own, so HH_CLOSE_ALL has nothing
// of ours to close. Tests replace the process start and see what would have been started.

#include "platform/win/messages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::win {

// HTML Help commands.
inline constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
inline constexpr UINT HH_DISPLAY_TOC = 0x0001;
inline constexpr UINT HH_DISPLAY_INDEX = 0x0002;
inline constexpr UINT HH_HELP_CONTEXT = 0x000F;
inline constexpr UINT HH_CLOSE_ALL = 0x0012;

// The library's entry point. file is the help file, followed by "::/" and the topic for
// HH_DISPLAY_TOPIC; data is the keyword (a const char*, may be null) for HH_DISPLAY_INDEX and
// the context number for HH_HELP_CONTEXT. The viewer opens the file at the topic or keyword
// where it can take one, at its start otherwise (no viewer here reads context numbers). True
// when a viewer was started.
using THtmlHelpA =
    std::function<bool(HWND owner, const char* file, UINT command, std::uintptr_t data)>;

class THtmlHelpLibrary {
public:
    // The help library of this system: the first viewer found in the folders of searchPath
    // (separated by ':', as PATH), or null when none is there.
    static std::unique_ptr<THtmlHelpLibrary> Load(const std::string& searchPath);
    // The same on PATH.
    static std::unique_ptr<THtmlHelpLibrary> Load();

    explicit THtmlHelpLibrary(std::string viewer);
    virtual ~THtmlHelpLibrary() = default;
    THtmlHelpLibrary(const THtmlHelpLibrary&) = delete;
    THtmlHelpLibrary& operator=(const THtmlHelpLibrary&) = delete;

    // The exported function by its name, "HtmlHelpA"; empty for any other name. It stays
    // usable after the library is freed.
    virtual THtmlHelpA GetProcAddress(const std::string& name) const;
    // The viewer program, with its folder.
    const std::string& Viewer() const { return viewer_; }

private:
    std::string viewer_;
};

// Starts program with the arguments, detached; true when it started.
using THelpProcessStart =
    std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>;
// Tests: put a recording start in place; nullptr restores the real one.
void SetHelpProcessStart(THelpProcessStart start);

} // namespace platform::win
