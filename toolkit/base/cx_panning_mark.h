#pragma once
// The small round window that marks where middle-button panning began: a top-most popup owned
// by the panning control, centred on the start point, cut to an ellipse by its window region,
// never activated and never in the way of the mouse that pans. Its picture shows the axes the
// content can scroll along.

#include "platform/gdi/objects.h"
#include "platform/win/messages.h"

namespace toolkit::base {

class TcxPanningMark {
public:
    // Shown at once, cxPanningMarkSize square around Center (screen).
    TcxPanningMark(platform::win::HWND Owner, platform::gdi::TPoint Center, bool HVisible,
                   bool VVisible);
    ~TcxPanningMark();
    TcxPanningMark(const TcxPanningMark&) = delete;
    TcxPanningMark& operator=(const TcxPanningMark&) = delete;

    platform::win::HWND Handle() const { return FHandle; }

private:
    void Paint(platform::gdi::HDC DC) const;

    platform::win::HWND FHandle{};
    bool FHVisible;
    bool FVVisible;
};

} // namespace toolkit::base
