#pragma once
// The layout calculator of every editor: given the properties, the style in force and whether
// the editor is drawn in place, it fills a view info for a bounds rectangle and a mouse event
// (point, button, shift): the state, the border extents and colours, the popup border, each
// visible button's bounds, style and state, and the client and inner-edit rectangles. It also
// answers how large an editor must be. Editors derive their own view data and override the
// content slots; the border and button layout here is shared by all.
//
// A view data is made per calculation (the properties' CreateViewData) and owns nothing.

#include "toolkit/edit/cx_edit_buttons.h"
#include "toolkit/edit/cx_edit_style.h"
#include "toolkit/edit/cx_edit_view_info.h"

#include "platform/core/variant.h"
#include "platform/forms/controls.h"

#include <functional>
#include <memory>
#include <string>

namespace toolkit::edit {

using platform::core::Variant;
using platform::gdi::TSize;

class TcxCustomEdit;
class TcxCustomEditProperties;

// Where an editor's content lies within its client area.
struct TcxEditContentParams {
    TRect Rect{};
    TRect Offsets{};
    unsigned Flags = 0;
    int ExtraHorzMargin = 0;
    int ExtraVertMargin = 0;
};

// What an in-place owner asks of the text (GetTextFlags adds the content bits 4 and 16): an empty
// text may take no height, the text is laid out in rows for its height, the last row ends in an
// ellipsis when the text does not fit.
inline constexpr unsigned cxvtfAllowZeroHeight = 1, cxvtfTextRows = 2, cxvtfEndEllipsis = 8;

// What a size query asks: the width available (-1: any) and the number of lines.
struct TcxEditSizeProperties {
    int Width = -1;
    int MaxLineCount = 1;
};

class TcxCustomEditViewData {
public:
    TcxCustomEditViewData(TcxCustomEditProperties& AProperties, TcxCustomEditStyle& AStyle,
                          bool AIsInplace);
    virtual ~TcxCustomEditViewData() = default;
    TcxCustomEditViewData(const TcxCustomEditViewData&) = delete;
    TcxCustomEditViewData& operator=(const TcxCustomEditViewData&) = delete;

    // Fills V for bounds B and the mouse at P with Button and Shift.
    virtual void Calculate(TcxCanvas& Canvas, const TRect& B, const TPoint& P,
                           TcxMouseButton Button, platform::forms::TShiftState Shift,
                           TcxCustomEditViewInfo& V, bool IsMouseEvent);

    virtual TcxContainerState GetContainerState(const TRect& Bounds, const TPoint& P,
                                                platform::forms::TShiftState Shift,
                                                bool IsMouseEvent);
    virtual TRect GetEditContentDefaultOffsets();
    virtual void InitEditContentParams(TcxEditContentParams& Params);
    // The content offsets with their extra margins: what a content size counts around its text.
    TSize GetEditContentOffsetsSize() const;
    virtual bool HasThickBorders();
    // The theme state of the native edit frame for the last calculated state: disabled 4,
    // read-only 6, focused 3 (5 without desktop composition), hot 2, else 1.
    virtual int GetEditNativeState();
    virtual TRect GetBorderExtent();
    TRect GetBorderExtentByEdges(int W);
    virtual TcxEditBorderStyle GetContainerBorderStyle();
    virtual TRect GetButtonsExtent();
    virtual TRect GetClientExtent(TcxCanvas& Canvas, TcxCustomEditViewInfo& V);
    // The border highlight in force; Hot tells whether the editor counts as hot.
    virtual TColor GetBorderColor(bool& Hot);
    virtual bool IsShadowDrawingNeeded();
    virtual bool IsNativeStyleUsed();
    virtual bool CanPressButton(TcxCustomEditViewInfo&, int /*Index*/) { return true; }
    // The editor holds the button down by itself (an open drop-down).
    virtual bool IsButtonPressed(TcxCustomEditViewInfo&, int /*Index*/) { return false; }
    virtual bool IsButtonHidden(TcxCustomEditViewInfo&, int /*Index*/) { return false; }
    virtual TSize GetEditContentSize(TcxCanvas&, const Variant&, const TcxEditSizeProperties&) {
        return {0, 0};
    }
    // The content size; an editor of buttons alone asks one text row within its offsets.
    TSize GetEditContentSizeEx(TcxCanvas& Canvas, const Variant& Value,
                               const TcxEditSizeProperties& SizeProperties);
    virtual void CalculateButtonsViewInfo(TcxCanvas& Canvas, const TPoint& P, TcxMouseButton Button,
                                          platform::forms::TShiftState Shift,
                                          TcxCustomEditViewInfo& V, bool IsMouseEvent);
    virtual void CalculateButtonViewInfo(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                         int ButtonIndex, TRect& R);
    virtual void CalculateButtonBounds(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                       TcxEditButtonViewInfo& Button, TRect& R);
    virtual void StretchButtons(TcxCustomEditViewInfo& V, int TotalWidth, int FreeWidth);

    // btsDefault resolved by the border style and look-and-feel.
    TcxEditButtonStyle GetButtonsStyle();
    TcxEditPopupBorderStyle GetPopupBorderStyle();
    // The editor's size for Value: its frame and buttons around the content.
    TSize GetEditSize(TcxCanvas& Canvas, const Variant& Value,
                      const TcxEditSizeProperties& SizeProperties);
    // The size of the frame and buttons around the content, of V or (null) of a layout made for
    // the purpose; MinContent is the least content size the buttons' glyphs and, in place, their
    // captions ask, each within its button's margins.
    TSize GetEditConstantPartSize(TcxCanvas& Canvas, const TcxEditSizeProperties& SizeProperties,
                                  TSize& MinContent, TcxCustomEditViewInfo* V = nullptr);
    // Text of a display value; the base editor shows none (empty, false).
    virtual bool DisplayValueToDisplayText(const Variant& Value, std::string& Text);
    // The text drawn for a display value: its display text, then the owner's OnGetDisplayText.
    void DisplayValueToDrawValue(const Variant& Value, std::string& Text);
    // The editor's pressed button, -1 without an editor.
    int GetPressedButtonIndex() const;
    bool InternalFocused() const;
    unsigned GetTextFlags() const;

    TcxCustomEditProperties& Properties;
    TcxCustomEditStyle* Style;
    TcxCustomEdit* Edit = nullptr;
    bool IsInplace;
    bool Enabled = true;
    bool Focused = false;
    // The in-place owner shows the editor selected.
    bool Selected = false;
    bool ButtonsFillEditor = false;
    bool IsNativeStyle = false;
    int VisibleButtonCount = 0;
    TcxContainerState ContainerState = cstNormal;
    TRect Bounds{};
    TRect InplaceContentMargins{};
    TcxEditContentParams EditContentParams;
    // The cxvtf bits the owner sets.
    unsigned TextFlagsCache = 0;
    int FirstLeftButton = -1, LastLeftButton = -1, FirstRightButton = -1, LastRightButton = -1;
    // The width of a button whose Width is 0; without it the default width.
    std::function<int(int ButtonIndex)> OnGetDefaultButtonWidth;
    // May change the text made of a value before it is drawn.
    std::function<void(TcxCustomEditViewData* Sender, std::string& Text)> OnGetDisplayText;

protected:
    void InitCacheData();
    virtual void InternalGetEditConstantPartSize(TcxCanvas& Canvas, TcxCustomEditViewInfo& V,
                                                 TSize& Size, TSize& MinContent);
};

} // namespace toolkit::edit
