#include "e2e/x_input.h"

#include "testsupport/child_process.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace e2e {

bool XInput::Installed() {
    return testsupport::InPath("xdotool") && testsupport::InPath("xwininfo");
}

std::optional<std::string> XInput::Run(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
}

std::optional<std::string> XInput::RunProgram(const std::vector<std::string>& argv) {
    if (folder_.Path().empty()) return std::nullopt;
    const std::string log = folder_.PathOf("output");
    std::optional<int> status;
    {
        testsupport::ChildProcess xdotool(argv, log);
        status = xdotool.WaitForExit(std::chrono::seconds(5));
    }
    if (status != 0) return std::nullopt;
    std::ifstream in(log);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> XInput::VisibleWindows(const std::string& className) {
    std::vector<std::string> windows;
    // Nothing found is a failure to xdotool.
    const auto output = Run({"search", "--onlyvisible", "--classname", className});
    std::istringstream lines(output.value_or(""));
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
            windows.push_back(line);
    return windows;
}

// xdotool adds the window manager's frame to a framed window's place; xwininfo tells where the
// window itself lies on the screen.
std::optional<XWindowGeometry> XInput::Geometry(const std::string& window) {
    const auto output = RunProgram({"xwininfo", "-id", window});
    if (!output) return std::nullopt;
    XWindowGeometry geometry;
    int found = 0;
    std::istringstream lines(*output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key =
            line.substr(line.find_first_not_of(' '), colon - line.find_first_not_of(' '));
        const int value = std::atoi(line.c_str() + colon + 1);
        for (auto [name, field] :
             {std::pair{"Absolute upper-left X", &geometry.X},
              std::pair{"Absolute upper-left Y", &geometry.Y}, std::pair{"Width", &geometry.Width},
              std::pair{"Height", &geometry.Height}})
            if (key == name) {
                *field = value;
                ++found;
            }
    }
    if (found != 4) return std::nullopt;
    return geometry;
}

std::optional<std::string> XInput::Name(const std::string& window) {
    auto output = Run({"getwindowname", window});
    if (output && !output->empty() && output->back() == '\n') output->pop_back();
    return output;
}

// xdotool waits for ever for a synchronised move to where the pointer already is.
std::vector<std::string> XInput::MoveThere(int x, int y) {
    const auto where = Run({"getmouselocation", "--shell"});
    if (where && where->find("X=" + std::to_string(x) + "\n") != std::string::npos &&
        where->find("Y=" + std::to_string(y) + "\n") != std::string::npos)
        return {};
    return {"mousemove", "--sync", std::to_string(x), std::to_string(y)};
}

bool XInput::MoveTo(int x, int y) {
    const auto move = MoveThere(x, y);
    return move.empty() || Run(move).has_value();
}

bool XInput::Click(int x, int y, int button) {
    auto args = MoveThere(x, y);
    args.insert(args.end(), {"click", std::to_string(button)});
    return Run(args).has_value();
}

bool XInput::Press(int x, int y) {
    return Run({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1"}).has_value();
}

bool XInput::Release(int x, int y) {
    return Run({"mousemove", std::to_string(x), std::to_string(y), "mouseup", "1"}).has_value();
}

bool XInput::DoubleClick(int x, int y) {
    auto args = MoveThere(x, y);
    args.insert(args.end(), {"click", "--repeat", "2", "--delay", "100", "1"});
    return Run(args).has_value();
}

bool XInput::Key(const std::string& keys) {
    return Run({"key", keys}).has_value();
}

} // namespace e2e
