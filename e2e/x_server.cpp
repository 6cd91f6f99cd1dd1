#include "e2e/x_server.h"

#include "e2e/xwd_file.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace e2e {

namespace {

// Xvfb names the display it took on the descriptor given with -displayfd, here its output,
// which it shares with its messages: the display is the first whole line of digits.
std::optional<std::string> DisplayNumber(const std::string& log) {
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        if (in.eof()) break; // a line is whole only once its end has been written
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) return line;
    }
    return std::nullopt;
}

} // namespace

bool XServer::Installed() {
    return testsupport::InPath("Xvfb");
}

// No listening on TCP; the screen's file in the server's folder (-fbdir); no reset when the
// last client goes, so that the program's end leaves the screen to read.
XServer::XServer(Key, int width, int height)
    : process_(folder_.Path().empty()
                   ? std::vector<std::string>{}
                   : std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten", "tcp",
                                              "-noreset", "-fbdir", folder_.Path(), "-screen", "0",
                                              std::to_string(width) + "x" + std::to_string(height) +
                                                  "x24"},
               log_) {}

XServer::~XServer() {
    process_.Stop();
    if (previousDisplay_)
        ::setenv("DISPLAY", previousDisplay_->c_str(), 1);
    else
        ::unsetenv("DISPLAY");
}

std::unique_ptr<XServer> XServer::Start(int width, int height, std::string& whyNot) {
    auto server = std::make_unique<XServer>(Key{}, width, height);
    if (server->folder_.Path().empty()) {
        whyNot = "no temporary folder for the X server";
        return nullptr;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!server->process_.Running()) {
            whyNot = "Xvfb did not start or ended at once: " + server->process_.Output();
            return nullptr;
        }
        if (auto number = DisplayNumber(server->log_)) {
            server->display_ = ":" + *number;
            if (const char* old = std::getenv("DISPLAY")) server->previousDisplay_ = old;
            ::setenv("DISPLAY", server->display_.c_str(), 1);
            return server;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    whyNot = "Xvfb named no display within 10 s: " + server->process_.Output();
    return nullptr;
}

std::optional<platform::gdi::Surface> XServer::Screen() const {
    return ReadXwdFile(folder_.PathOf("Xvfb_screen0"));
}

std::optional<platform::gdi::Surface> XServer::ScreenAsClientsReadIt() const {
    ::Display* display = XOpenDisplay(display_.c_str());
    if (display == nullptr) return std::nullopt;
    const ::Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    std::optional<platform::gdi::Surface> screen;
    if (XGetWindowAttributes(display, root, &attributes)) {
        if (XImage* image =
                XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap)) {
            screen.emplace(attributes.width, attributes.height, 32);
            for (int y = 0; y < attributes.height; ++y)
                for (int x = 0; x < attributes.width; ++x)
                    screen->SetPixel(x, y,
                                     static_cast<platform::gdi::Pixel32>(XGetPixel(image, x, y)));
            XDestroyImage(image);
        }
    }
    XCloseDisplay(display);
    return screen;
}

} // namespace e2e
