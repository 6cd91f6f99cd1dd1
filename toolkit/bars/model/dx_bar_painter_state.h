#pragma once
// What the item-control painters read of the windows they draw for. The bar windows, menu
// windows, dock sites and item controls do not exist yet; until they do, a painter reads these
// plain records, which the caller fills. Each record is named for the class that will take its
// place (TdxBarControlState for TCustomdxBarControl and its toolbar and menu descendants,
// TdxDockControlState for TdxDockControl, TdxBarItemControlState for TdxBarItemControl), and the
// painter header refers to them only through the aliases TdxBarPaintedBar, TdxBarPaintedDock
// and TdxBarPaintedItem, so that those units retarget one alias each. Where a model class
// exists (the manager, items, links), the record points at it.

#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/forms/graphics.h"
#include "platform/forms/img_list.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"

#include <functional>
#include <string>
#include <vector>

namespace toolkit::bars {

class TdxBarItem;
class TdxBarItemLink;
struct TdxDockControlState;
struct TdxBarItemControlState;

// The kinds of bar window a painter tells apart.
enum TdxBarControlKind : std::uint8_t { bckToolbar, bckSubMenu, bckQuickCustomize };

// Of the bar (TdxBar) a toolbar window shows.
struct TdxBarState {
    std::string Caption;
    bool CanClose = true;
    bool CanDock = true;
    bool IsMainMenu = false;
    bool IsStatusBar = false;
    // 0 none, 1 single.
    int BorderStyle = 1;
    bool ShowMark = true;
    bool AllowQuickCustomizing = true;
};

// A bar window: toolbar, menu window or quick-customise popup.
struct TdxBarControlState {
    TdxBarManager* Manager = nullptr;
    TdxBarControlKind Kind = bckToolbar;
    TdxBarState Bar;
    // The canvas the window paints on; item drawing without a DC goes here.
    platform::gdi::TCanvas* Canvas = nullptr;
    TdxBarDockingStyle DockingStyle = dsTop;
    // Vertically docked and its captions turn.
    bool Rotated = false;
    // The dock site a docked toolbar lies on, and its position there.
    TdxDockControlState* DockSite = nullptr;
    platform::gdi::TPoint Position{};
    // The brush item backgrounds are filled with (switched by a menu for non-recent entries),
    // the non-recent brush, and the non-recent flag set while such an entry is drawn.
    platform::gdi::HBRUSH BkBrush{};
    platform::gdi::HBRUSH NonRecentBrush{};
    bool NonRecent = false;
    // Text height of "0" + 6; arrow size (at least 4); edit height; combo-button width.
    int RowSize = 22;
    int ArrowSize = 4;
    int EditHeight = 19;
    int ComboButtonWidth = 11;
    bool ShowsCaptions = true;
    // Mark: 0 normal, 1 hot, 2 pressed; the links got less room than they need.
    int MarkState = 0;
    bool LinksCutOff = false;
    bool CaptionShowsMark = false;
    platform::gdi::TRect MarkWindowRect{};
    bool Active = false;
    // The strip where a menu touches the item that opened it; empty when none.
    platform::gdi::TRect OwnerJoinRect{};
    // The bitmap behind the window's items: a toolbar's own, its dock site's or the manager's
    // bar bitmap; a popup menu's own or the manager's sub-menu bitmap. Nil when none.
    platform::forms::TBitmap* BackgroundBitmap = nullptr;
    // The font a menu measures its captions in; nil: the manager's.
    platform::gdi::HFONT FontHandle{};
    platform::gdi::TRect ClientRect{};
    // The window's whole rectangle, frame included, in the coordinates being painted (client
    // ones for the client, window ones for the frame); empty when the window gives none.
    platform::gdi::TRect WindowRect{};
    // The quick-customise bar and the menu of its "Add or Remove Buttons": their rows have a
    // check column before the glyph column.
    bool QuickCustomizeMenu = false;
    // Menu windows.
    int BarSize = 0;
    // The second glyph column of a quick-customise menu; 0 in every other menu.
    int GlyphAreaWidth = 0;
    int ItemHeight = 22;
    int ReferenceGlyphSize = 19;
    int ArrowAreaWidth = 16;
    bool Detachable = false;
    bool DetachSelected = false;
    int DetachCaptionSize = 7;
    bool CanScrollUp = false;
    bool CanScrollDown = false;
    bool ChevronOffered = false;
    bool ChevronHighlighted = false;
    int ChevronHeight = 0;
    platform::gdi::TRect FirstVisibleRect{};
    platform::gdi::TRect AfterLastRect{};
    bool LastStartsGroup = false;
    bool LastIsNonRecent = false;
    // The scroll areas at the top and bottom of a menu that can scroll.
    platform::gdi::TRect ScrollUpRect{};
    platform::gdi::TRect ScrollDownRect{};
    // Main menu bar: which of minimise, restore and close the active child allows.
    bool MDIButtonsEnabled[3] = {true, true, true};
    // Calls into the window the painters make; each may stay unassigned.
    std::function<void(platform::gdi::HDC DC, const platform::gdi::TRect& R)> OnDrawCloseButton;
    std::function<void(platform::gdi::HDC DC)> OnDrawMark;
    std::function<void(const platform::gdi::TRect& R)> OnInvalidate;
    // The window's own background routine over R (client coordinates), which the items'
    // backgrounds that are not opaque show; unassigned, the painter fills as a toolbar would.
    std::function<void(platform::gdi::HDC DC, const platform::gdi::TRect& R)> OnFillBackground;
    // A main menu's active MDI child has a system menu; the bar shows all its MDI buttons.
    bool MDIChildHasSystemMenu = false;
    bool ShowsAllMDIButtons = true;
    // A menu window's visible entries from the top, which its non-recent band reads.
    std::vector<const TdxBarItemControlState*> VisibleEntries;
    // The manager's menu-glyph scaling: menu glyphs scale with ReferenceGlyphSize.
    bool ScaleMenuGlyphs = false;
};

// A dock site.
struct TdxDockControlState {
    TdxBarManager* Manager = nullptr;
    platform::gdi::HBRUSH BkBrush{};
    platform::forms::TBitmap* BackgroundBitmap = nullptr;
};

// An item control: one link of an item shown in a bar window.
struct TdxBarItemControlState {
    TdxBarControlState* Parent = nullptr;
    TdxBarItem* Item = nullptr;
    TdxBarItemLink* Link = nullptr;
    // The entry belongs to the part of a menu shown once it is expanded.
    bool NonRecent = false;
    // A check-style button and whether it is checked (Down).
    bool CheckStyle = false;
    bool Checked = false;
    // Drawn as a plain image (no button cell).
    bool PlainImage = false;
    // Shown as a customising placeholder; shows its caption.
    bool Placeholder = false;
    bool ShowsCaption = true;
    // An entry of the quick-customise menu under the mouse.
    bool Selected = false;
    // In a menu: the width of the glyph column before the caption.
    int GlyphColumnWidth = 0;
    // The menu window the control opened, while it is open.
    const TdxBarControlState* OpenMenu = nullptr;
    // A combo's drop-down button, as the painter last placed it.
    mutable platform::gdi::TRect ComboButtonRect{};
    // Edit and combo items: the text, the entries and the current one.
    std::string Text;
    std::vector<std::string> Entries;
    int ItemIndex = -1;
    // A drop-down button whose drop-down part is being pressed.
    bool DropDownPartPressed = false;
    // Where the group-separator strip above this entry was last painted in a menu.
    mutable platform::gdi::TRect SeparatorRect{};

    TdxBarManager* Manager() const { return Parent ? Parent->Manager : nullptr; }
};

} // namespace toolkit::bars
