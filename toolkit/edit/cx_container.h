#pragma once
// The window every editor of the framework is: it draws its own frame (border, transparent
// border, shadow) around an optional inner control, a plain window control that does the input,
// tracks four states (normal, focused, disabled, hot), picks the matching state style and lays
// itself out in a view info. It keeps the focus on the inner control: focus coming back from the
// inner control stays with it, keys reaching the container go to the inner control, and Tab
// (without Ctrl or Alt) moves on to the next control of the form.
//
// Any window control can be the inner control; the container hears its focus changes through a
// thread hook held while it has one, and forgets it when it is freed.

#include "toolkit/edit/cx_container_style.h"
#include "toolkit/edit/cx_container_view_info.h"

#include "toolkit/base/cx_control.h"
#include "toolkit/base/mouse_tracking.h"

#include "platform/win/hooks.h"

#include <functional>
#include <memory>
#include <vector>

namespace toolkit::edit {

using TcxContainerViewInfoClass = std::function<std::unique_ptr<TcxContainerViewInfo>()>;

// Private messages of the edit framework.
inline constexpr platform::core::UINT DXM_CONTAINERSETFOCUS = 0x807F;
inline constexpr platform::core::UINT DXM_UPDATESCROLLBARS = 0x8080;
inline constexpr platform::core::UINT DXM_BUFFEREDPAINTONGLASS = 0x8081;

class TcxContainer : public toolkit::base::TcxControl,
                     public IcxContainerStyleOwner,
                     public toolkit::base::IcxMouseTrackingCaller {
public:
    explicit TcxContainer(platform::core::TComponent* AOwner);
    ~TcxContainer() override;

    TcxContainerStyles& Styles() const { return *FStyles; }
    // The normal-state style.
    TcxContainerStyle& Style() const { return FStyles->Style(); }
    TcxContainerStyle& StyleFocused() const { return FStyles->StyleFocused(); }
    TcxContainerStyle& StyleDisabled() const { return FStyles->StyleDisabled(); }
    TcxContainerStyle& StyleHot() const { return FStyles->StyleHot(); }
    TcxContainerStyle& ActiveStyle() { return InternalGetActiveStyle(); }
    TcxContainerViewInfo& ViewInfo() const { return *FViewInfo; }

    platform::forms::TWinControl* InnerControl() const { return FInnerControl; }
    void SetInnerControl(platform::forms::TWinControl* Value);
    platform::forms::TWinControl& GetInnerControlOrSelf();
    // While the inner control's bounds change: the container does not lay itself out anew.
    bool InnerControlBoundsChanging() const { return FInnerControlBoundsLock; }
    // Raised by an inner list box while it hands its mouse press on: the press does not move
    // the focus to the container.
    bool InnerControlMouseDown() const { return FInnerControlMouseDown; }
    // The inner control's window procedure asks these first. A context-menu request is the
    // container's (handled when it answers non-zero), and so are the buffered repaints it
    // posted; a key that is a shortcut of a popup menu of the container or its parents is
    // taken (Result 1). True when handled.
    virtual bool ProcessInnerControlMessage(platform::core::TMessage& Message);
    virtual bool HandleInnerControlShortCut(platform::core::TMessage& Message);
    // The size-grip area the inner control reported last, in its window coordinates.
    struct TcxContainerSizeGripData {
        TRect Rect{};
        bool Visible = false;
    };
    const TcxContainerSizeGripData& SizeGripBounds() const { return FSizeGripBounds; }
    void SetSizeGripBounds(const TRect& Rect, bool Visible) { FSizeGripBounds = {Rect, Visible}; }

    // The container's window or the inner control has the focus; never while designing or
    // destroying.
    bool Focused() const override;
    virtual bool IsContainerFocused() { return Focused(); }
    bool IsFocused() override { return IsContainerFocused(); }
    void SetFocus() override;
    bool CanFocusEx() override;
    bool IsDestroyingOrLocked() const;

    // Recomputes the state and layout at P and repaints the frame; Shift is the keys and buttons
    // held. Always true.
    virtual bool RefreshContainer(platform::gdi::TPoint P, int Button,
                                  platform::forms::TShiftState Shift, bool IsMouseEvent);
    void ShortRefreshContainer(bool IsMouseEvent);
    // Whether a style value is stored for a state style: CheckStateDependence drops the values
    // shared by all states.
    bool IsStylePropertyPublished(const std::string& PropertyName, bool CheckStateDependence);

    // While locked (counted), every context popup request counts as handled.
    void LockPopupMenu(bool Lock);
    // While locked (counted), moving a child window clips nothing.
    void LockAlignControls(bool Lock);
    // Dragging the container drags (or docks) its inner control as well.
    void SetDragMode(platform::forms::TDragMode Value) override;
    virtual void SetDragKind(platform::forms::TDragKind Value);
    platform::forms::drag::TDragImageList* GetDragImages() override;
    // Scales an assigned style font by M / D: the style's own once loaded, else (while loading)
    // through the controller it takes its font from.
    void ChangeScale(int M, int D);
    // Paints through an off-screen buffer while the desktop composes the screen.
    bool BufferedPaintOnComposition = false;

    void WndProc(platform::core::TMessage& Message) override;

    // IcxContainerStyleOwner.
    bool StyleOwnerUsesParentColorByDefault() override { return UsesParentColorByDefault(); }
    bool StyleOwnerIsInplace() override { return IsInplace(); }
    bool StyleOwnerParentColor() override { return ParentColor(); }
    void StyleOwnerSetParentColor(bool Value) override { SetParentColor(Value); }
    bool StyleOwnerParentFont() override { return ParentFont(); }
    void StyleOwnerSetParentFont(bool Value) override { SetParentFont(Value); }
    bool StyleOwnerParentControlColor(TColor& Color) override;

protected:
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;
    void CreateWnd() override;
    void Paint() override;
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;
    void MouseEnter(platform::forms::TControl* AControl) override;
    void MouseLeave(platform::forms::TControl* AControl) override;
    void FocusChanged() override;
    void ColorChanged() override;
    void Resize() override;
    bool CanFocusOnClick() override;
    TRect GetClientBounds() override;
    toolkit::base::TcxLookAndFeel& GetLookAndFeel() override { return Style().LookAndFeel(); }
    bool HasScrollBars() override { return false; }

    // Makes the view info again, of GetViewInfoClass: a descendant's constructor calls it.
    void RecreateViewInfo();
    // Makes the state styles again, of GetStyleClass, and applies the parent-colour default of
    // UsesParentColorByDefault and IsInplace: a descendant's constructor calls it.
    void RecreateStyles();
    virtual void AdjustInnerControl();
    // While the style hands its colour and font to the control.
    bool IsStyleChanging() const { return FStyleChanging; }
    virtual void AdjustInnerControlBounds();
    virtual void CalculateViewInfo(platform::gdi::TPoint P, bool Hot);
    virtual TcxContainerStyle& CalculateActiveStyle();
    virtual TcxContainerStyle& InternalGetActiveStyle();
    virtual void ContainerStyleChanged(TcxContainerStyle* Sender);
    virtual bool MovesFocusOnTab() { return true; }
    virtual bool CanHaveTransparentBorder() { return true; }
    virtual bool UsesParentColorByDefault() { return false; }
    virtual bool HostsChildControls() { return false; }
    virtual bool IsReadOnly() { return false; }
    virtual bool CanShowPopupMenu(platform::gdi::TPoint /*P*/) { return true; }
    virtual bool HasParentDependentBackground() { return false; }
    void DoContextPopup(platform::gdi::TPoint MousePos, bool& Handled) override;
    void CursorChanged() override;
    // The inner control stands in the tab order for the container while it has the focus, so
    // that Shift+Tab from it does not land on the container and bounce back.
    void GetTabOrderList(std::vector<platform::forms::TWinControl*>& List) override;
    // The inner control shares the area inside the frame.
    void AdjustClientRect(TRect& Rect) override;
    // A child window that sticks out of Rect is clipped to it by a window region.
    void AlignControls(platform::forms::TControl* AControl, TRect& Rect) override;
    // The part of Control inside Region, in Control's own coordinates; IsEmpty when that is all
    // of it (no region needed).
    struct TcxContainerInnerControlBounds {
        bool IsEmpty = true;
        TRect Rect{};
    };
    virtual TcxContainerInnerControlBounds
    GetInnerControlBounds(const TRect& Region, platform::forms::TControl* Control);
    void ResetInnerControlBounds() { FInnerControlBounds = {}; }
    virtual bool IsInplace() { return false; }
    virtual bool IsNativeStyle();
    virtual TRect GetBorderExtent();
    virtual TRect GetVisibleBounds();
    virtual TRect GetMouseTrackingBounds();
    virtual bool HasShadow();
    virtual void SetShadowRegion();
    virtual void SetInnerControlFocus();
    virtual TcxContainerStyleValues InternalGetNotPublishedStyleValues() { return 0; }
    virtual TcxContainerStyleClass GetStyleClass() { return cxContainerStyleClass(); }
    virtual TcxContainerViewInfoClass GetViewInfoClass();

    // IcxMouseTrackingCaller: the cursor left the tracked bounds.
    void MouseLeave() override;

private:
    // Hands its keys and mouse events to the container first.
    friend class TcxCustomInnerListBox;
    friend class TcxCustomInnerTextEdit;

    void InstallFocusHook();
    void ReleaseFocusHook();
    bool HasInnerHandle() const;

    TcxContainerState FActiveStyleState = cstNormal;
    TcxContainerStyle* FActiveStyle = nullptr;
    platform::forms::TWinControl* FInnerControl = nullptr;
    bool FIsDestroying = false;
    bool FInnerControlBoundsLock = false;
    bool FViewInfoCalculated = false;
    bool FRefreshLock = false;
    bool FStyleChanging = false;
    bool FIsCreating = false;
    bool FRepaintPending = false;
    bool FInnerRepaintPending = false;
    bool FInnerControlMouseDown = false;
    TcxContainerSizeGripData FSizeGripBounds;
    int FPopupMenuLockCount = 0;
    int FAlignControlsLockCount = 0;
    TcxContainerInnerControlBounds FInnerControlBounds;
    platform::forms::TControl* FInnerControlBoundsControl = nullptr;
    platform::win::HHOOK FFocusHook{};
    std::unique_ptr<TcxContainerStyles> FStyles;
    std::unique_ptr<TcxContainerViewInfo> FViewInfo;
};

} // namespace toolkit::edit
