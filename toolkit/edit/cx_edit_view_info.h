#pragma once
// The result of an editor's layout (the view data fills it) and the painting that follows from
// it: the editor's frame and background, and each button's border, background and content in
// its style and state. It also answers which button lies under a point, and, against an older
// view info of the same editor, invalidates only what differs: the frame when the editor's look
// changed, and each button whose drawing changed.

#include "toolkit/edit/cx_container_view_info.h"
#include "toolkit/edit/cx_edit_buttons.h"
#include "toolkit/edit/cx_edit_style.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

class TcxCustomEdit;
class TcxCustomEditProperties;

// How an editor's background is drawn: by the in-place owner's OnDrawBackground; with the
// editor's frame (an editor of its own window without the native style); not at all (transparent
// in place); a plain fill of the background colour; the parent's image under a transparent
// editor; the themed parent background under an editor drawn natively.
enum TcxEditBackgroundKind : std::uint8_t {
    ebkOwnerDrawn,
    ebkWithEditor,
    ebkNone,
    ebkFill,
    ebkParentImage,
    ebkThemedParent,
};

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
public:
    TcxCustomEditViewInfo() = default;

    // Background colour, border colour and style, state, native state, the buttons and the
    // pressed and hot indices; then the container part.
    void Assign(const TcxContainerViewInfo& Source) override;
    // The frame when the look differs, else each button that draws differently.
    std::unique_ptr<toolkit::base::TcxRegion>
    CreateUpdateRegion(const TcxContainerViewInfo& Other) override;
    void Offset(int DX, int DY) override;

    void SetButtonCount(int Count) { ButtonsInfo.resize(static_cast<std::size_t>(Count)); }
    int ButtonCount() const { return static_cast<int>(ButtonsInfo.size()); }

    // The collection index of the hot button; without one -1 inside BorderRect, else -2.
    int GetHotButtonIndex(const TPoint& P) const;
    // -1: BorderRect up to the first button; 0..N-1: that button; else the invalid rectangle.
    TRect GetPartRect(int Part) const;
    bool IsHotTrack(const TPoint& P) const;
    bool HasHotButton() const;
    // The hot button's hint, true when it is not empty.
    bool NeedShowHint(std::string& Text) const;

    // Each button once, in index order; nothing while the buttons are being drawn.
    void DrawButtons(TcxCanvas& Canvas);
    virtual void DrawButton(TcxCanvas& Canvas, int Index);
    virtual void DrawButtonContent(TcxCanvas& Canvas, int Index, const TRect& R, bool Pressed,
                                   TColor TextColor);
    virtual void DrawButtonBackground(TcxCanvas& Canvas, const TcxEditButtonViewInfo& Button,
                                      const TRect& R, TColor Color);
    // Draws the border by the button's style, and answers the colours and the rectangles left.
    virtual void DrawButtonBorder(TcxCanvas& Canvas, int Index, TColor& BackgroundColor,
                                  TColor& TextColor, TRect& BackgroundRect, TRect& ContentRect);
    // The background within the frame: the in-place owner's, else a fill of BackgroundRect.
    virtual void DrawEditBackground(TcxCanvas& Canvas);
    // How the background is drawn (see TcxEditBackgroundKind).
    TcxEditBackgroundKind GetBackgroundKind() const;
    // The background is drawn apart from the editor's own painting.
    bool IsEditBackgroundDrawn() const;
    // The background by its kind into Inner, clipped to Outer unless KeepClip; the canvas's state
    // is restored afterwards.
    void DrawEditBackground(TcxCanvas& Canvas, const TRect& Inner, bool KeepClip,
                            const TRect& Outer);
    virtual void PrepareCanvasFont(TcxCanvas&) {}
    virtual bool IsPaintEnabled() const { return true; }

    // Invalidates in Control's window what differs from Old (everything but the client area
    // without Old). True when the editor's look changed or a button was invalidated.
    bool Repaint(toolkit::base::TcxControl& Control, const TcxCustomEditViewInfo* Old);

    // An in-place owner's background; asked with a null canvas whether it would draw one.
    std::function<void(TcxCustomEditViewInfo* Sender, TcxCanvas* Canvas, bool& Handled)>
        OnDrawBackground;
    std::function<void(TcxCustomEditViewInfo* Sender, TcxCanvas& Canvas, int Index, bool& Handled)>
        OnDrawButton;
    std::function<void(TcxCustomEditViewInfo* Sender, TcxCanvas& Canvas, int Index, const TRect& R,
                       bool& Handled)>
        OnDrawButtonBackground;
    std::function<void(TcxCustomEditViewInfo* Sender, TcxCanvas& Canvas, int Index,
                       TRect& BackgroundRect, TRect& ContentRect, bool& Handled)>
        OnDrawButtonBorder;
    // May change a button's computed state.
    std::function<void(TcxCustomEditViewInfo* Sender, int Index, TcxEditButtonState& State)>
        OnCalculateButtonState;
    std::function<void(TcxCustomEditViewInfo* Sender, TcxCanvas& Canvas)> OnPaint;

    TcxCustomEdit* Edit = nullptr;
    TcxCustomEditProperties* Properties = nullptr;
    TRect BorderExtent{};
    TcxEditBorderStyle EditBorderStyle = ebsNone;
    std::vector<TcxEditButtonViewInfo> ButtonsInfo;
    bool Enabled = true;
    bool Focused = false;
    const platform::gdi::TFont* Font = nullptr;
    bool UseEditColorForButtons = false;
    bool HasBorderExtent = false;
    bool HasTextButton = false;
    // 0 none, 1 hot tracking, 2 hot tracking while hot or focused.
    int HotTrackState = 0;
    TRect InnerEditRect{};
    // An inner control covers InnerEditRect.
    bool HasInnerEdit = false;
    // A button became pressed or hot in the last mouse calculation.
    bool ButtonPressed = false;
    bool IsInplace = false;
    unsigned TextFlags = 0;
    TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
    int PressedButton = -1;
    int HotButton = -1;
    // Bounds less the border extent.
    TRect BorderRect{};
    TRect BackgroundRect{};
    TColor TextColor = platform::gdi::clWindowText;
    bool TransparentBackground = false;

protected:
    void InternalPaint(TcxCanvas& Canvas) override;
    // The hot-flat and ultra-flat borders are the ones a descendant's own button layout may
    // have to draw differently (buttons stacked, sharing a line).
    virtual void DrawButtonBorderHotFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B, TColor& Back,
                                         TColor& Text, TRect& R);
    virtual void DrawButtonBorderUltraFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B,
                                           bool Office11, TColor& Back, TColor& Text,
                                           TRect& BackgroundRect, TRect& ContentRect);

private:
    void DrawButtonBorder3D(TcxCanvas& C, const TcxEditButtonViewInfo& B, TColor& Back,
                            TColor& Text, TRect& R);
    void DrawButtonBorderFlat(TcxCanvas& C, const TcxEditButtonViewInfo& B, TColor& Back,
                              TColor& Text, TRect& R);
    void DrawButtonBorderSimple(TcxCanvas& C, const TcxEditButtonViewInfo& B, TColor& Back,
                                TColor& Text, TRect& R);

    bool FDrawingButtons = false;
};

using TcxCustomEditViewInfoClass = std::function<std::unique_ptr<TcxCustomEditViewInfo>()>;

} // namespace toolkit::edit
