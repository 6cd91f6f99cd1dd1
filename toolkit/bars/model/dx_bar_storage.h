#pragma once
// Layout storage of a bar manager: the options, the bars with their places and links, and the
// links of the named sub-items, kept in our stand-in of the registry (TRegistry) or in a
// settings file. The manager's members SaveToRegistry, LoadFromRegistry, SaveToIniFile and
// LoadFromIniFile live in dx_bar_storage.cpp; here are the name-path helpers they share.
//
// A stored layout is input from outside and is not trusted: counts above the caps are
// ignored, set bytes are masked to their bits, an ordinal outside its enumeration fails that
// bar (which then shows) or keeps the current option, rows, sizes and recent positions are
// clamped to what can be.

#include <string>

namespace platform::core {
class TComponent;
}

namespace toolkit::bars {

class TdxBarManager;
class TdxBarDockControl;

// More bars or links than these in a stored layout: the count is ignored.
inline constexpr int MaxStoredBarCount = 1000;
inline constexpr int MaxStoredLinkCount = 10000;

// The component's Name, preceded by its owners' names and "." while the owner is not Form and
// has a name.
std::string GetComponentNamePath(const platform::core::TComponent* Component,
                                 const platform::core::TComponent* Form);
// The dock site a name path names: "Form.Name" inside the form of that name on the screen,
// else inside the manager's form. nil for an empty path or one nothing has; raises
// EInvalidCast when the component found is no TdxBarDockControl.
TdxBarDockControl* FindDockControlByPath(const TdxBarManager& Manager, const std::string& Path);

} // namespace toolkit::bars
