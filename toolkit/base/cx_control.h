#pragma once
// The base of the library's custom-drawn windowed controls: a border drawn by the look-and-feel's
// painter, focus taken on a click, a configurable WM_GETDLGCODE answer, popup menus that are
// either the class library's or any object implementing IcxPopupMenu, an own drag-and-drop
// gesture (cx_drag_and_drop.h) and the mouse-enter/leave and focus events. Every message path
// that may free the control (an event handler, a focus change) holds an object link and touches
// nothing once the control is gone.
//
// The control's own scroll bars and size grip (cx_control_scroll_bars.h) lie inside its client
// area; descendants feed them through InitScrollBarsParameters and SetScrollBarInfo and hear them
// through Scroll. The middle button pans: the content scrolls towards where the mouse goes.

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/cx_lf_painter.h"
#include "toolkit/base/cx_scroll_bar.h"
#include "toolkit/base/look_and_feel.h"

#include "platform/forms/controls.h"
#include "platform/forms/drag_drop.h"

#include <functional>
#include <memory>
#include <vector>

namespace toolkit::base {

class TcxDragAndDropObject;
class TcxDragImageList;
class TcxControl;
class TcxControlChildComponent;
class TcxControlScrollBar;
class TcxSizeGrip;
class TcxTimer;
class TcxPanningMark;

// A popup menu that is not the class library's.
class IcxPopupMenu {
public:
    virtual ~IcxPopupMenu() = default;
    virtual bool IsShortCut(platform::core::TMessage& Message) = 0;
    // Screen coordinates.
    virtual void Popup(int X, int Y) = 0;
};

// An object that holds the mouse for a control; it hears when it loses it.
class IcxMouseCaptureObject {
public:
    virtual ~IcxMouseCaptureObject() = default;
    virtual void DoCancelMode() = 0;
};

class IcxFontListener {
public:
    virtual ~IcxFontListener() = default;
    virtual void Changed(platform::core::TObject* Sender, platform::gdi::TFont& Font) = 0;
};

enum TcxControlBorderStyle { cbsNone, cbsSingle };
enum TcxControlKey { ckAll, ckArrows, ckChars, ckTab };
// A set of TcxControlKey bits (1 << ckAll ...).
using TcxControlKeys = unsigned;
inline constexpr TcxControlKeys cxKeys(std::initializer_list<TcxControlKey> Keys) {
    TcxControlKeys Result = 0;
    for (TcxControlKey K : Keys)
        Result |= 1u << K;
    return Result;
}
enum TcxDragAndDropState { ddsNone, ddsStarting, ddsInProcess };
enum TcxMouseWheelScrollingKind { mwskNone, mwskHorizontal, mwskVertical };
using TcxScrollBarKind = TScrollBarKind;
// Scroll directions of ScrollContent.
enum TcxDirection { dirNone, dirLeft, dirRight, dirUp, dirDown };
// The scroll styles of ScrollBars.
enum TcxScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The class of a control's drag-and-drop object: makes one for the control.
using TcxDragAndDropObjectClass = std::function<std::unique_ptr<TcxDragAndDropObject>(TcxControl&)>;

// The class of the drag object a platform drag from a control carries; empty: the platform's.
using TcxDragControlObjectClass =
    std::function<std::unique_ptr<platform::forms::drag::TDragObject>(TcxControl&)>;
using TcxDragImageListClass = std::function<std::unique_ptr<TcxDragImageList>()>;

// Shows Menu at the screen point: through IcxPopupMenu, or a TPopupMenu with AutoPopup (Caller
// becomes its popup component). False when Menu is neither.
bool cxShowPopupMenu(platform::core::TComponent* Caller, platform::core::TComponent* Menu, int X,
                     int Y);
bool cxIsPopupMenuShortCut(platform::core::TComponent* Menu, platform::core::TMessage& Message);

class TcxControl : public platform::forms::TCustomControl {
public:
    explicit TcxControl(platform::core::TComponent* AOwner);
    ~TcxControl() override;

    TcxControlBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TcxControlBorderStyle Value);
    // The area the control draws into; empty means the client rectangle.
    TRect Bounds;

    TcxCanvas& Canvas() { return *FCanvas; }
    TcxLookAndFeel& LookAndFeel() { return *FLookAndFeel; }
    TcxLookAndFeelPainterClass Painter() { return GetPainter(); }

    bool FocusOnClick = true;
    // What WM_GETDLGCODE asks for.
    TcxControlKeys Keys = 0;
    TcxScrollStyle ScrollBars = ssBoth;

    // A TPopupMenu or a component implementing IcxPopupMenu; anything else is taken as nullptr.
    platform::core::TComponent* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(platform::core::TComponent* Value);

    platform::core::TComponent* MouseCaptureObject() const { return FMouseCaptureObject; }
    void SetMouseCaptureObject(platform::core::TComponent* Value);
    bool MouseButtonPressed() const { return FMouseButtonPressed; }
    TPoint MouseDownPos() const { return FMouseDownPos; }
    bool RightButtonUpInProgress() const { return FRightButtonUpInProgress; }

    // A child component joins (it gets this control) or leaves (it loses it).
    virtual void AddChildComponent(TcxControlChildComponent* AComponent);
    virtual void RemoveChildComponent(TcxControlChildComponent* AComponent);

    void AddFontListener(IcxFontListener* Listener);
    void RemoveFontListener(IcxFontListener* Listener);

    // Own drag and drop (cx_drag_and_drop.h).
    TcxDragAndDropObjectClass DragAndDropObjectClass;
    // Made on first use.
    TcxDragAndDropObject& DragAndDropObject();
    TcxDragAndDropState DragAndDropState() const { return FDragAndDropState; }
    void SetDragAndDropState(TcxDragAndDropState Value);
    void FinishDragAndDrop(bool Accepted);

    // The platform's object drag (platform/forms/drag_drop.h): the images a drag from here shows,
    // made once per drag when HasDragImages, nullptr when they hold no image. Freed as it ends.
    platform::forms::drag::TDragImageList* GetDragImages() override;
    // The list as it stands, without making it.
    TcxDragImageList* DragImages() const { return FDragImages.get(); }
    // A drag with Ctrl down copies.
    virtual bool IsCopyDragDrop();
    bool DragOver(platform::core::TObject* Source, int X, int Y,
                  platform::forms::TDragState State) override;
    void DoStartDrag() override;
    void DoEndDrag(platform::core::TObject* Target, int X, int Y) override;

    // Only while the window exists.
    void InvalidateRect(const TRect& R, bool Erase);
    // The control can take focus, and so can its form (enabled and visible) when it has one.
    virtual bool CanFocusEx();
    virtual bool IsFocused();
    virtual TRect GetBounds();
    virtual TRect GetClientBounds();
    virtual int GetBorderSize();

    // Scrolls one line in Direction (the wheel, panning).
    void ScrollContent(TcxDirection Direction);
    // Rebuilds the scroll bars from InitScrollBarsParameters and lays them out; settles when one
    // bar's appearance makes the other necessary or unnecessary.
    virtual void UpdateScrollBars();
    // While locked, UpdateScrollBars only notes that it is needed; the last unlock runs it.
    void LockScrollBars() { ++FScrollBarsLockCount; }
    void UnlockScrollBars();

    // Null without HasScrollBars.
    TcxControlScrollBar* HScrollBar() const { return FHScrollBar.get(); }
    TcxControlScrollBar* VScrollBar() const { return FVScrollBar.get(); }
    TcxSizeGrip* SizeGrip() const { return FSizeGrip.get(); }
    bool Panning() const { return FPanning; }
    // The round mark at the point where panning began; null when not panning.
    TcxPanningMark* PanningMark() const { return FPanMark.get(); }

    platform::core::TNotifyEvent OnFocusChanged;
    platform::core::TNotifyEvent OnMouseEnter;
    platform::core::TNotifyEvent OnMouseLeave;

    void WndProc(platform::core::TMessage& Message) override;
    void Dispatch(platform::core::TMessage& Message) override;

protected:
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;

    virtual bool DoShowPopupMenu(platform::core::TComponent* Menu, int X, int Y);
    virtual void AfterMouseDown(platform::forms::TMouseButton Button, int X, int Y);
    virtual bool AllowAutoDragAndDropAtPoint(int X, int Y);
    virtual void BeforeMouseDown(platform::forms::TMouseButton Button,
                                 platform::forms::TShiftState Shift, int X, int Y);
    virtual void BringInternalControlsToFront();
    virtual void FinishMouseAction();
    virtual bool CanFocusOnClick();
    virtual bool CanFocusOnClickAt(int X, int Y);
    virtual bool FocusWhenChildIsClicked(platform::forms::TControl* Child);
    virtual platform::forms::TCursor GetCurrentCursor(int X, int Y);
    virtual bool IsDesigning();
    virtual TcxMouseWheelScrollingKind GetMouseWheelScrollingKind();
    virtual bool NeedsEraseBackground();
    virtual bool IsInternalControl(platform::forms::TControl* Control);
    virtual TcxLookAndFeel& GetLookAndFeel();
    virtual TcxLookAndFeelPainterClass GetPainter();
    virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
    virtual void ParentBackgroundChanged() {}

    // The scroll-bar seam: the base has no bars, so none is visible and nothing scrolls.
    virtual bool CanScrollWithoutScrollBars(TcxDirection Direction);
    virtual bool HasScrollBars();
    virtual bool GetHScrollBarVisible();
    virtual bool GetVScrollBarVisible();
    // The thickness of the horizontal bar and the width of the vertical one.
    virtual int GetHScrollBarHeight();
    virtual int GetVScrollBarWidth();
    virtual TRect GetHScrollBarBounds();
    virtual TRect GetVScrollBarBounds();
    virtual TRect GetSizeGripBounds();
    virtual void InitScrollBarsParameters() {}
    // Fills the data of the bar of Kind; the bar shows it at the next ApplyData. A bar with
    // nothing to scroll hides, or stays disabled when AllowHide is false.
    void SetScrollBarInfo(TcxScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos,
                          bool AllowShow, bool AllowHide);
    virtual bool IsPixelScrollBar(TcxScrollBarKind Kind);
    // The bar's Position; 0 without bars.
    virtual int GetScrollBarPosition(TcxScrollBarKind Kind);
    virtual bool KeepScrollBarsOnTop();
    virtual void Scroll(TcxScrollBarKind Kind, int ScrollCode, int& ScrollPos);
    virtual void SetScrollBarsBounds();
    virtual void SetScrollBarsParent();
    // After every paint: the visible bars and the grip repaint.
    virtual void UpdateInternalControlsState();
    // The non-client metrics may have changed (message 0x8065): the bars take the system sizes.
    virtual void ScrollBarMetricsChanged();
    // Middle-button panning, until a click, Escape or the middle button's release away from
    // the mark; nothing when no bar is visible.
    virtual void StartPanning();

    virtual TcxDragAndDropObjectClass GetDragAndDropObjectClass();
    virtual bool IsMouseDownPointNear(int X, int Y);

    virtual void ColorChanged() {}
    virtual void VisibleChanged() {}
    virtual void TextChanged() {}
    virtual bool KeepMouseCaptureUnfocused();
    // Every move and resize.
    void BoundsChanged() override;
    virtual bool AllowAutoDragAtPoint(int X, int Y);
    virtual void CursorChanged();
    virtual void DoCancelMode();
    virtual void FocusChanged();
    virtual void FontChanged();
    virtual bool GetDesignHitTest(int X, int Y, platform::forms::TShiftState Shift);
    virtual bool MayFocus();
    virtual void MouseEnter(platform::forms::TControl* AControl);
    virtual void MouseLeave(platform::forms::TControl* AControl);
    // Whether a drag may start at P; false in the base.
    virtual bool StartDragAndDrop(const TPoint& P);
    virtual void BeginDragAndDrop();
    virtual void DragAndDrop(const TPoint& P, bool& Accepted);
    virtual void EndDragAndDrop(bool Accepted);

    // The platform drag: the object a drag from here carries (TcxDragControlObject), whether it
    // may begin with it, and the picture the drag shows.
    virtual TcxDragControlObjectClass GetDragObjectClass();
    virtual bool CanBeginDrag(platform::forms::drag::TDragObject* /*DragObject*/) { return true; }
    virtual bool HasDragImages() { return false; }
    virtual TcxDragImageListClass GetDragImagesClass();
    virtual platform::gdi::TSize GetDragImagesSize() { return {0, 0}; }
    // Sizes the list by GetDragImagesSize and adds what DrawDragImage paints.
    virtual void InitDragImages(TcxDragImageList& ADragImages);
    virtual void DrawDragImage(TcxCanvas& /*ACanvas*/, const TRect& /*R*/) {}

    // The class library's OnContextPopup first; then the context menu at a client point,
    // (-1, -1) for the keyboard; true when shown.
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    // The class library's events first; then the content scrolls by the scrolling kind.
    bool DoMouseWheel(platform::forms::TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // Whether the key message is a shortcut of the popup menu of this control or a parent.
    bool IsPopupMenuShortCut(platform::core::TMessage& Message);

private:
    friend class TcxControlScrollBar;

    bool WantsKey(platform::forms::WORD Key) const override;
    platform::win::LRESULT DialogCode() const;
    void HandleContextMenu(platform::core::TMessage& Message);
    // True when a key down was taken here: a popup-menu shortcut, or a key during drag and drop.
    bool TakeKeyDown(platform::core::TMessage& Message);

    // The scroll-bar machinery (cx_control_scroll_bars.cpp).
    void CreateScrollBars();
    void DestroyScrollBars();
    void CalculateScrollBars();
    // True when the message was taken by panning and must not be handled further.
    bool PanningMessage(platform::core::TMessage& Message);
    void PanningTimer();
    void StopPanning();

    TcxControlBorderStyle FBorderStyle = cbsNone;
    std::unique_ptr<TcxCanvas> FCanvas;
    std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
    platform::forms::TCursor FDefaultCursor = platform::forms::crDefault;
    bool FCreatingWindow = false;
    std::unique_ptr<TcxDragAndDropObject> FDragAndDropObject;
    TcxDragAndDropState FDragAndDropState = ddsNone;
    platform::forms::TCursor FSavedScreenCursor = platform::forms::crDefault;
    bool FFinishingDragAndDrop = false;
    std::unique_ptr<TcxDragImageList> FDragImages;
    std::vector<IcxFontListener*> FFontListeners;
    platform::core::TComponent* FPopupMenu = nullptr;
    platform::core::TComponent* FMouseCaptureObject = nullptr;
    bool FMouseButtonPressed = false;
    TPoint FMouseDownPos;
    bool FRightButtonUpInProgress = false;
    bool FLastParentBackground = true;
    bool FDestroying = false;
    // The mouse sets the shown cursor; DefaultCursor stays.
    bool FSettingCurrentCursor = false;

    std::unique_ptr<TcxControlScrollBar> FHScrollBar;
    std::unique_ptr<TcxControlScrollBar> FVScrollBar;
    std::unique_ptr<TcxSizeGrip> FSizeGrip;
    bool FCalculatingScrollBarsParams = false;
    bool FSavedHVisible = false;
    bool FSavedVVisible = false;
    bool FLooped = false;
    bool FUpdatingScrollBars = false;
    int FScrollBarsLockCount = 0;
    bool FScrollBarsUpdateNeeded = false;

    bool FPanning = false;
    TPoint FPanStart;
    TPoint FPanLast;
    bool FPanLeftMark = false;
    TcxDirection FPanDirection = dirNone;
    int FPanSpeed = 0;
    int FPanTicks = 0;
    std::unique_ptr<TcxTimer> FPanTimer;
    std::unique_ptr<TcxPanningMark> FPanMark;
};

} // namespace toolkit::base
