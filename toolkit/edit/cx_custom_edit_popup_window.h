#pragma once
// The popup a drop-down editor opens: a borderless window placed against its editor, framed in
// one of the popup border styles, with an optional shadow and an optional system panel (a strip
// with a close button and a sizing grip on the side the window grows to). The user sizes it by
// the grip or the edges on the grip's sides; while dragging only a size frame moves, and the
// window takes the frame's rectangle when the button comes up. The grip lies at the corner away
// from the editor: bottom-right below it, top-right when the window opened above.
//
// The editor copies its settings in before each opening; the window tells its editor, through
// IcxEditPopupWindowOwner, when the user sized it and why it closed.

#include "toolkit/edit/cx_custom_edit.h"
#include "toolkit/edit/cx_edit_popup_window.h"
#include "toolkit/edit/cx_edit_style.h"

#include "toolkit/base/cx_popup_window.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace toolkit::edit {

using platform::gdi::TSize;

// Why a popup closed; the drop-down edit turns it into accept or cancel.
enum TcxEditCloseUpReason : std::uint8_t {
    CloseReasonNone,
    CloseReasonTab,
    CloseReasonToggle,
    CloseReasonCancel,
    CloseReasonAccept
};

// What the drop-down edit that owns the popup supplies to it.
class IcxEditPopupWindowOwner {
public:
    virtual ~IcxEditPopupWindowOwner() = default;
    // Closes the popup for AReason (the editor applies it).
    virtual void PopupCloseUp(TcxEditCloseUpReason AReason) = 0;
    // The user sized the popup: PopupSizeChanged and PopupSizeChangedNow are set.
    virtual void PopupWindowSized() = 0;
    // The popup closed while the editor lives on.
    virtual void DoFinalizePopup() = 0;
    // The editor's visible bounds (in place: its in-place bounds when set), 3 pixels wider on
    // the right with its shadow, in its parent's coordinates.
    virtual TRect GetPopupOwnerBounds() = 0;
    virtual bool IsPopupOwnerDestroying() = 0;
};

// Grip corners.
enum TcxEditPopupGripCorner : std::uint8_t { gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight };

// Custom border painting: Handled stops the view info's own; BorderWidth is the frame it takes.
using TcxEditPopupCustomBorderEvent =
    std::function<void(platform::core::TObject* Sender, TcxCanvas& Canvas, const TRect& R,
                       int& BorderWidth, bool& Handled)>;

class TcxCustomEditPopupWindowViewInfo : public TcxContainerViewInfo {
public:
    TRect FrameRect;
    TRect PanelRect;
    TcxEditPopupBorderStyle BorderStyle = epbsDefault;
    bool ClientEdge = false;
    bool CloseButton = false;
    TRect CloseButtonRect;
    toolkit::base::TcxLookAndFeelKind LookAndFeelKind = toolkit::base::lfStandard;
    // 1 normal, 2 hot, 3 pressed.
    int CloseButtonState = 1;
    bool Sizeable = false;
    TcxEditPopupGripCorner GripCorner = gcBottomRight;
    TRect GripRect;
    int SizingRegionWidth = 0;
    int SysPanelHeight = 0;
    bool SysPanelStyle = false;
    TcxEditPopupCustomBorderEvent OnCustomDrawBorder;

    // Per style: 0, 2, 2, 1; with native style or a skin painter 2.
    int GetBorderWidth() const;
    // Per style: 0, 1, 4, 2 (1 native or skinned), or the width the custom border gave when it
    // last handled the painting; plus the border width with the client edge.
    int GetFrameWidth();
    // Left, top, right and bottom widths around the client area.
    TRect GetClientExtents();
    bool HasSysPanel() const { return SysPanelStyle && Sizeable; }
    // Rectangles from Bounds and the settings.
    virtual void Calculate();
    void DrawBorder(TcxCanvas& Canvas, TRect R) override;

protected:
    void InternalPaint(TcxCanvas& Canvas) override;
    virtual void DrawSizeGrip(TcxCanvas& Canvas);
    virtual void DrawCloseButton(TcxCanvas& Canvas);

private:
    int FCustomBorderWidth = -1;
};

class TcxCustomEditPopupWindow : public TcxCustomPopupWindow {
public:
    // AOwnerControl is the drop-down edit; it supplies IcxEditPopupWindowOwner.
    explicit TcxCustomEditPopupWindow(TcxCustomEdit* AOwnerControl);
    ~TcxCustomEditPopupWindow() override;

    // Settings copied in by the editor before each opening.
    bool AutoSize = false;
    TcxEditPopupBorderStyle BorderStyle = epbsDefault;
    bool ClientEdge = false;
    bool CloseButton = false;
    bool NativeStyle = false;
    int MinHeight = 0;
    int MinWidth = 0;
    int PreferredHeight = 0;
    int PreferredWidth = 0;
    bool Shadow = false;
    bool Sizeable = false;
    bool SysPanelStyle = false;
    bool IsLayoutLocked = false;

    TcxCustomEditPopupWindowViewInfo& EditViewInfo();
    // The editor's window going takes the popup's first.
    void DestroyPopupHandle() { DestroyHandle(); }
    IcxEditPopupWindowOwner* Edit() const;
    bool IsSizing() const { return FSizingState; }
    toolkit::base::TcxSizeFrame* SizeFrame() const { return FSizeFrame.get(); }

    TPoint CalculatePosition() override;
    void CalculateSize() override;
    TRect GetClientBounds() override;
    // The sizing direction (dx, dy) at P (client coordinates); false where none.
    bool GetSizingDirection(TPoint P, int& DX, int& DY);
    virtual TSize GetMinSize();
    // Sizes clamped to the minimums; false when the window may not be resized now.
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    // Room for the client beside the editor on the monitor.
    TSize GetMaxClientSize();
    // Sends WM_CHAR to the focused window.
    void ProcessChar(char C);

    void Dispatch(TMessage& Message) override;

protected:
    TcxContainerViewInfoClass GetViewInfoClass() override;
    // The client's size when AutoSize.
    virtual TSize GetClientPreferredSize() { return {0, 0}; }
    virtual void CalculateViewInfo();
    // The look-and-feel moved: the frame, close button and grip are painted again.
    void StyleChanged() override;
    void AdjustClientRect(TRect& Rect) override;
    void CreateParams(TCreateParams& Params) override;
    void CloseUpByModalResult() override;
    void DoClosed() override;
    void VisibleChanged() override;
    void MouseDown(platform::forms::TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void Paint() override;

private:
    void SetCloseButtonState(int Value);
    void EndSizing();

    bool FSizingState = false;
    int FDX = 0;
    int FDY = 0;
    // The cursor's offset from the moving edges.
    TPoint FCapturePointOffset;
    TRect FSizingRect;
    std::unique_ptr<toolkit::base::TcxSizeFrame> FSizeFrame;
};

// Posted: ProcessChar(WParam) while the window is visible.
inline constexpr UINT CM_POPUPPROCESSCHAR = platform::win::WM_APP + 150;

} // namespace toolkit::edit
