#pragma once
// Real input and what the X server knows of windows, through xdotool and xwininfo on the display
// in force (DISPLAY): a click is a press and a release the server delivers as a person's would be.

#include "testsupport/temp_folder.h"

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct XWindowGeometry {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

class XInput {
public:
    // The xdotool and xwininfo programs are in PATH.
    static bool Installed();
    XInput() = default;
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    // Runs xdotool with these arguments, at most five seconds; its output, none when it failed.
    std::optional<std::string> Run(const std::vector<std::string>& args);
    // Runs any program so.
    std::optional<std::string> RunProgram(const std::vector<std::string>& argv);

    // The top-level windows shown now whose class is className, in the server's order.
    std::vector<std::string> VisibleWindows(const std::string& className);
    // Where the window itself (without a window manager's frame) lies on the screen.
    std::optional<XWindowGeometry> Geometry(const std::string& window);
    std::optional<std::string> Name(const std::string& window);
    // The pointer moves to the screen point; without a window manager the keys go to the
    // window under it.
    bool MoveTo(int x, int y);
    // The pointer moves to the screen point and clicks a button there (1 left, 3 right).
    bool Click(int x, int y, int button = 1);
    // The pointer moves to the screen point and presses the left button there, to be released by
    // Release: a drag is a press, moves and a release, each delivered before the next is sent.
    bool Press(int x, int y);
    bool Release(int x, int y);
    // Two clicks a tenth of a second apart, well within a double click's time.
    bool DoubleClick(int x, int y);
    // Keys as xdotool names them ("alt+f", "Escape", "Return"), to the window with the focus.
    bool Key(const std::string& keys);

private:
    // The arguments that move the pointer to the point and wait until it got there; none when it
    // is there already.
    std::vector<std::string> MoveThere(int x, int y);

    testsupport::TempFolder folder_{"quintaron-xdotool-"};
};

} // namespace e2e
