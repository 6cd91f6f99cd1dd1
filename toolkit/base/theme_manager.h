#pragma once
// One open theme handle per theme class, opened on demand and reopened lazily after the user
// changes the visual style; listeners hear of each change.

#include "toolkit/base/ux_theme.h"

#include "platform/core/object.h"
#include "platform/core/window_handle.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace toolkit::base {

// The ordinal indexes the theme table.
enum TdxThemeClassKind : int {
    tcButton,
    tcClock,
    tcComboBox,
    tcEdit,
    tcExplorerBar,
    tcHeader,
    tcListBox,
    tcListView,
    tcMenu,
    tcPage,
    tcProgress,
    tcRebar,
    tcScrollBar,
    tcSpin,
    tcStartPanel,
    tcStatus,
    tcTab,
    tcTaskBand,
    tcTaskBar,
    tcToolBar,
    tcToolTip,
    tcTrackBar,
    tcTrayNotify,
    tcTreeView,
    tcWindow
};
inline constexpr int dxThemeClassKindCount = 25;

// A set of theme classes, one bit per ordinal.
using TdxThemeClassKinds = std::uint32_t;
constexpr TdxThemeClassKinds dxThemeClassKinds(std::initializer_list<TdxThemeClassKind> Kinds) {
    TdxThemeClassKinds Result = 0;
    for (TdxThemeClassKind Kind : Kinds)
        Result |= 1u << Kind;
    return Result;
}

// The class name a kind opens with unless told otherwise ("Button", ...).
const std::wstring& dxThemeClassName(TdxThemeClassKind Kind);

// The user's visual style is switched on: taken at start-up and after every theme change.
bool dxThemeActive();

// The open handle of a theme class, opening it when needed; NullTheme when visual styles are
// not available or the class does not open. An empty ClassName means the name used last (at
// first, the kind's default); another name than the open one closes it and opens the new one.
HTHEME OpenTheme(TdxThemeClassKind Kind, const std::wstring& ClassName = L"");
// The close result; 0 when the entry was not open, 1 when the library is not loaded.
HRESULT CloseTheme(TdxThemeClassKind Kind);
// The stored class names stay, for the next OpenTheme.
void CloseAllThemes();
bool IsThemePartAvailable(TdxThemeClassKind Kind);
// The style is active and the library loaded; and every class of Kinds opens (tried in ordinal
// order up to the first that fails).
bool AreVisualStylesAvailable(TdxThemeClassKinds Kinds = 0);

// Hears of theme changes while it lives. One made while the library is not loaded never hears.
class TdxThemeChangedNotificator : public platform::core::TObject {
public:
    TdxThemeChangedNotificator();
    ~TdxThemeChangedNotificator() override;
    TdxThemeChangedNotificator(const TdxThemeChangedNotificator&) = delete;
    TdxThemeChangedNotificator& operator=(const TdxThemeChangedNotificator&) = delete;

    std::function<void()> OnThemeChanged;
};

// Owns the hidden window where WM_THEMECHANGED arrives: it closes every handle, takes the new
// active state and tells the notificators in the order they were made. An exception from a
// listener goes to the application's handler and ends the round.
class TdxThemeChangedEventReceiver {
public:
    TdxThemeChangedEventReceiver();
    TdxThemeChangedEventReceiver(const TdxThemeChangedEventReceiver&) = delete;
    TdxThemeChangedEventReceiver& operator=(const TdxThemeChangedEventReceiver&) = delete;

    platform::core::HWND Handle() const { return FWindow.Handle(); }

private:
    void WndProc(platform::core::TMessage& Message);

    platform::core::MessageWindow FWindow;
};

// The process's receiver; nullptr when the library is not loaded. With it go the handles and
// the active state, at the end of the process.
TdxThemeChangedEventReceiver* dxThemeChangedEventReceiver();

} // namespace toolkit::base
