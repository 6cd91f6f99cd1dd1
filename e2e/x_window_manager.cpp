#include "e2e/x_window_manager.h"

#include <chrono>
#include <thread>

namespace e2e {

namespace {

constexpr const char* Ready = "window manager ready";

} // namespace

bool XWindowManager::Installed() {
    return testsupport::InPath("openbox");
}

// Its start-up command runs once it manages the display: the line it prints says so. No session
// manager: the test's display has none.
XWindowManager::XWindowManager(Key)
    : process_(folder_.Path().empty()
                   ? std::vector<std::string>{}
                   : std::vector<std::string>{"openbox", "--sm-disable", "--startup",
                                              std::string("echo ") + Ready},
               log_) {}

std::unique_ptr<XWindowManager> XWindowManager::Start(std::string& whyNot) {
    auto manager = std::make_unique<XWindowManager>(Key{});
    if (manager->folder_.Path().empty()) {
        whyNot = "no temporary folder for the window manager";
        return nullptr;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!manager->process_.Running()) {
            whyNot = "openbox did not start or ended at once: " + manager->process_.Output();
            return nullptr;
        }
        if (manager->process_.Printed(Ready)) return manager;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    whyNot = "openbox did not manage the display within 10 s: " + manager->process_.Output();
    return nullptr;
}

} // namespace e2e
