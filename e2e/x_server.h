#pragma once
// A virtual X server of a test's own (Xvfb) on the first free display, with no window manager.
// It is put in force for this process (DISPLAY), and so for the children it starts; the
// destructor stops it and puts the earlier display back. Its screen is kept in a file, so that
// the test reads the pixels the programs drew without a client of its own.

#include "platform/gdi/surface.h"
#include "testsupport/child_process.h"
#include "testsupport/temp_folder.h"

#include <memory>
#include <optional>
#include <string>

namespace e2e {

class XServer {
public:
    // The Xvfb program is in PATH.
    static bool Installed();
    // Null, with the reason in whyNot, when no server could be started within a few seconds.
    static std::unique_ptr<XServer> Start(int width, int height, std::string& whyNot);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N".
    const std::string& Display() const { return display_; }
    // The screen as it shows now; none when it cannot be read.
    std::optional<platform::gdi::Surface> Screen() const;
    // The screen as a client of the server reads it (XGetImage of the root window, as screenshot
    // tools and screen recorders read it); none when it cannot be read.
    std::optional<platform::gdi::Surface> ScreenAsClientsReadIt() const;

    struct Key {
        explicit Key() = default;
    };
    XServer(Key, int width, int height);

private:
    testsupport::TempFolder folder_{"quintaron-xvfb-"};
    // None when the folder could not be made.
    std::string log_ = folder_.Path().empty() ? std::string() : folder_.PathOf("xvfb.log");
    testsupport::ChildProcess process_;
    std::string display_;
    std::optional<std::string> previousDisplay_;
};

} // namespace e2e
