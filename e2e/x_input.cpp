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
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string program = (folder.empty() ? "." : folder) + "/xdotool";
        if (::access(program.c_str(), X_OK) == 0) return true;
    }
    return false;
}

std::optional<std::string> XInput::Run(const std::vector<std::string>& args) {
    if (folder_.Path().empty()) return std::nullopt;
    const std::string log = folder_.PathOf("output");
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
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

std::optional<XWindowGeometry> XInput::Geometry(const std::string& window) {
    const auto output = Run({"getwindowgeometry", "--shell", window});
    if (!output) return std::nullopt;
    XWindowGeometry geometry;
    int found = 0;
    std::istringstream lines(*output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const int value = std::atoi(line.c_str() + equals + 1);
        for (auto [name, field] :
             {std::pair{"X", &geometry.X}, std::pair{"Y", &geometry.Y},
              std::pair{"WIDTH", &geometry.Width}, std::pair{"HEIGHT", &geometry.Height}})
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

bool XInput::MoveTo(int x, int y) {
    return Run({"mousemove", "--sync", std::to_string(x), std::to_string(y)}).has_value();
}

bool XInput::Click(int x, int y) {
    return Run({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"})
        .has_value();
}

bool XInput::Press(int x, int y) {
    return Run({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1"}).has_value();
}

bool XInput::Release(int x, int y) {
    return Run({"mousemove", std::to_string(x), std::to_string(y), "mouseup", "1"}).has_value();
}

bool XInput::DoubleClick(int x, int y) {
    return Run({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "--repeat",
                "2", "--delay", "100", "1"})
        .has_value();
}

bool XInput::Key(const std::string& keys) {
    return Run({"key", keys}).has_value();
}

} // namespace e2e
