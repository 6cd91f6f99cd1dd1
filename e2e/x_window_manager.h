#pragma once
// A window manager (openbox) on the display in force (DISPLAY), as a user's desktop has one: it
// frames, stacks and focuses the program's windows by its own rules. Stopped by the destructor.

#include "testsupport/child_process.h"
#include "testsupport/temp_folder.h"

#include <memory>
#include <string>

namespace e2e {

class XWindowManager {
public:
    // The openbox program is in PATH.
    static bool Installed();
    // Null, with the reason in whyNot, when it did not manage the display within a few seconds.
    static std::unique_ptr<XWindowManager> Start(std::string& whyNot);
    ~XWindowManager() = default;
    XWindowManager(const XWindowManager&) = delete;
    XWindowManager& operator=(const XWindowManager&) = delete;

    struct Key {
        explicit Key() = default;
    };
    explicit XWindowManager(Key);

private:
    testsupport::TempFolder folder_{"quintaron-openbox-"};
    std::string log_ = folder_.Path().empty() ? std::string() : folder_.PathOf("openbox.log");
    testsupport::ChildProcess process_;
};

} // namespace e2e
