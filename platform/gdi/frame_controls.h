#pragma once
// Three-dimensional edges and the small frame controls (scroll arrows, size grip, check boxes,
// radio buttons, push and caption buttons, menu glyphs), drawn in the system colours in our own
// classic look.

#include "platform/gdi/device_context.h"

namespace platform::gdi {

enum : UINT {
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = 0x0003,
    BDR_INNER = 0x000C,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : UINT {
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_TOPRIGHT = BF_TOP | BF_RIGHT,
    BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_DIAGONAL = 0x0010,
    BF_MIDDLE = 0x0800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};
enum : UINT { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4, DFC_POPUPMENU = 5 };
enum : UINT {
    DFCS_CAPTIONCLOSE = 0x0000,
    DFCS_CAPTIONMIN = 0x0001,
    DFCS_CAPTIONMAX = 0x0002,
    DFCS_CAPTIONRESTORE = 0x0003,
    DFCS_CAPTIONHELP = 0x0004,
    DFCS_MENUARROW = 0x0000,
    DFCS_MENUCHECK = 0x0001,
    DFCS_MENUBULLET = 0x0002,
    DFCS_SCROLLUP = 0x0000,
    DFCS_SCROLLDOWN = 0x0001,
    DFCS_SCROLLLEFT = 0x0002,
    DFCS_SCROLLRIGHT = 0x0003,
    DFCS_SCROLLCOMBOBOX = 0x0005,
    DFCS_SCROLLSIZEGRIP = 0x0008,
    DFCS_SCROLLSIZEGRIPRIGHT = 0x0010,
    DFCS_BUTTONCHECK = 0x0000,
    DFCS_BUTTONRADIOIMAGE = 0x0001,
    DFCS_BUTTONRADIOMASK = 0x0002,
    DFCS_BUTTONRADIO = 0x0004,
    DFCS_BUTTON3STATE = 0x0008,
    DFCS_BUTTONPUSH = 0x0010,
    DFCS_INACTIVE = 0x0100,
    DFCS_PUSHED = 0x0200,
    DFCS_CHECKED = 0x0400,
    DFCS_TRANSPARENT = 0x0800,
    DFCS_HOT = 0x1000,
    DFCS_ADJUSTRECT = 0x2000,
    DFCS_FLAT = 0x4000,
    DFCS_MONO = 0x8000,
};

// Each border is one pixel per edge (outer, then inner); the left and top lines are drawn
// first, so the top-right and bottom-left corners take the right and bottom colours. Outer:
// raised 3D light / 3D dark shadow, sunken button shadow / button highlight; inner: raised
// button highlight / button shadow, sunken 3D dark shadow / 3D light. BF_SOFT swaps the raised
// top-left colours, BF_FLAT draws the outer edge in the shadow colour and the inner in the face,
// BF_MONO in the window frame and window colours. BF_DIAGONAL is not drawn (returns 0).
BOOL DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state);

// The system's predefined bitmaps. OBM_CHECKBOXES is a 4 x 3 grid of 13 x 13 cells drawn by
// DrawFrameControl: check boxes, radio buttons, three-state boxes by row; unchecked, checked,
// pushed, pushed and checked by column, on white.
enum : int { OBM_CHECKBOXES = 32759 };
// A new bitmap the caller deletes; a null handle for an id the system does not have.
HBITMAP LoadSystemBitmap(int id);

} // namespace platform::gdi
