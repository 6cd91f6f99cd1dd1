#pragma once
// The class library's controls: TControl (a rectangle on a parent, with the mouse, click and
// drag events), TWinControl (a control with a window of its own, which routes the mouse to the
// graphic controls on it, aligns its children and runs the keyboard and focus events),
// TGraphicControl (drawn on its parent's window) and TCustomControl (a window with a canvas).
// Every message reaches a control through WndProc, which passes what it does not take to
// Dispatch and from there to DefaultHandler.

#include "platform/core/component.h"
#include "platform/gdi/canvas.h"
#include "platform/win/messages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::forms {

using core::TComponent;
using core::TMessage;
using core::TNotifyEvent;
using core::TObject;
using gdi::TCanvas;
using gdi::TColor;
using gdi::TFont;
using gdi::TPoint;
using gdi::TRect;
using win::HWND;
using win::LPARAM;
using win::LRESULT;
using win::NullHWnd;
using win::UINT;
using win::WPARAM;
using WORD = std::uint16_t;

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

// The class library's own messages.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr UINT CM_HITTEST = CM_BASE + 10;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr UINT CM_ENTER = CM_BASE + 26;
inline constexpr UINT CM_EXIT = CM_BASE + 27;
inline constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr UINT CM_CHILDKEY = CM_BASE + 46;
// Before a hint shows, its control may change the text and the area it stands for; LParam
// points at a THintInfo, and a non-zero result shows no hint.
inline constexpr UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr UINT CM_CHANGED = CM_BASE + 55;
// A child window's notification to its parent comes back to the child as CN_BASE plus the
// message, so that the control itself handles what its own window reports.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + win::WM_COMMAND;
inline constexpr UINT CN_DRAWITEM = CN_BASE + win::WM_DRAWITEM;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + win::WM_MEASUREITEM;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A set of the flags below.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;
// The shift state of a mouse message's key flags, and of the keyboard now.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// The scroll bars of a control that scrolls its content (grids, memos).
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TDragMode { dmManual, dmAutomatic };
// What dragging the control does: a drag and drop, or docking it elsewhere.
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// Cursor numbers of the screen's cursor table.
using TCursor = int;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                         crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                         crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crNo = -18,
                         crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

// A set of the flags below.
using TControlStyle = unsigned;
inline constexpr TControlStyle csAcceptsControls = 1, csCaptureMouse = 2, csClickEvents = 4,
                               csDoubleClicks = 8, csOpaque = 16, csSetCaption = 32;

// What a control is going through; a set of the flags below. csPaintCopy: it is painted as a copy
// into someone else's device context (under a transparent child), not onto its own window.
using TControlState = unsigned;
inline constexpr TControlState csPaintCopy = 1;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// MousePos in screen coordinates; a handler that sets Handled ends the wheel's way there.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// MousePos in the control's client coordinates; a handler that sets Handled shows its own menu
// (or none) in place of the menu the control would show.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender)>;

namespace drag {
class TDragImageList;
}

// What CM_HINTSHOW hands its control: the pointer and the area in client coordinates, and the
// hint text (the control's own while it shows hints, else empty). The hint goes when the pointer
// leaves the area.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    TRect CursorRect;
    std::string HintStr;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* value);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The client origin on the screen.
    virtual TPoint ClientOrigin() const;

    TAlign Align() const { return align_; }
    // Virtual so that a control that must follow its own alignment (a dock site turning its
    // bars) does so however it is reached.
    virtual void SetAlign(TAlign value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent too.
    virtual bool Showing() const;
    // Its own setting; input reaches it only while every parent is enabled too.
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    bool EnabledWithParents() const;

    TColor Color() const { return color_; }
    // Virtual, so that a control may note that its colour was set on it (its own now).
    virtual void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    virtual void SetParentColor(bool value);
    // Changing the font clears ParentFont.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    // Caption and Text are the same string.
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& value);
    // "short|long": the hint window shows the short part.
    std::string Hint;
    bool ShowHint = false;
    // Takes ShowHint from the parent (the default) unless ShowHint is set here.
    bool ParentShowHint = true;
    // Whether the pointer resting here shows the hint.
    bool HintShowing() const;
    std::intptr_t Tag = 0;
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    int HelpContext = 0;

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState = 0;

    // Drag and drop.
    TDragMode DragMode() const { return dragMode_; }
    virtual void SetDragMode(TDragMode value) { dragMode_ = value; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    TCursor DragCursor = crDrag;
    // Threshold -1: the platform's (5 pixels).
    void BeginDrag(bool immediate, int threshold = -1);
    void EndDrag(bool drop);
    bool Dragging() const;

    void Invalidate();
    void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void WndProc(TMessage& message);
    // Handles the messages this class knows, and passes the rest to DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // The action the control shows and runs: its caption, enabled state, help context, hint,
    // visibility and execute routine reach the control while it still shows the action's value.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const { return actionLink_.get(); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;

    // The form this control lies on; nullptr when it lies on none.
    TCustomForm* ParentForm() const;

    // The application's idle step (TCustomForm::UpdateActions) reaches every visible control of
    // a shown form here: a control that shows the state of actions brings it up to date. Nothing
    // in the base.
    virtual void InitiateAction() {}

    // OnClick; with an action, the action runs instead unless OnClick is a routine of the
    // control's own.
    virtual void Click();
    virtual void DblClick();
    // A context menu is asked for at mousePos (client coordinates): OnContextPopup may handle
    // it itself. The control's right click asks before it shows its PopupMenu; whoever else
    // shows a menu for the control asks first too.
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    // Asks OnDragOver; without one the control refuses.
    virtual bool DragOver(TObject* source, int x, int y, TDragState state);
    virtual void DragDrop(TObject* source, int x, int y);
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DoStartDrag();
    // What a drag from this control shows beside the pointer; nullptr (the base) for nothing.
    virtual drag::TDragImageList* GetDragImages() { return nullptr; }

protected:
    // Forgets a pop-up menu or an action that goes.
    void Notification(TComponent* component, core::TOperation operation) override;
    // The action changed, or was just linked: the control takes its values; with checkDefaults
    // (an action still loading) only where the control holds its defaults.
    virtual void ActionChange(core::TObject* sender, bool checkDefaults);
    // The link the control holds its action by.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // A turn of the wheel over the control (WM_MOUSEWHEEL, MousePos on the screen): OnMouseWheel,
    // then, when it left the turn unhandled, OnMouseWheelDown (a negative delta) or
    // OnMouseWheelUp. True when handled; an unhandled turn goes on to the parent window.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();
    virtual void Changed();
    // The window the control draws on (its own, or its parent's for a graphic control).
    virtual HWND PaintWindow() const;
    // Where the control lies in its paint window's client area.
    virtual TRect PaintRect() const;
    virtual void VisibleChanging() {}
    virtual void BoundsChanged() {}
    void ApplyParentFont();
    void ApplyParentColor();
    bool PressedInside() const { return clicked_; }

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = gdi::clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    std::string text_;
    TPopupMenu* popupMenu_ = nullptr;
    TCursor cursor_ = crDefault;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
    bool clicked_ = false;
    bool fontFromParent_ = false;
    std::unique_ptr<TControlActionLink> actionLink_;

    friend class TWinControl;
};

// What the input method does while a control has the focus.
enum TImeMode : std::uint8_t {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // Made on first request; a control whose parent has no window yet gets none.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != NullHWnd; }
    void HandleNeeded() { Handle(); }

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    // Bottom of the z-order first.
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    // The enabled, visible graphic or windowed child at a client point; nullptr for none.
    TControl* ControlAtPos(TPoint p, bool allowDisabled = false, bool allowWinControls = false);
    bool ContainsControl(const TControl* control) const;

    void SetBounds(int left, int top, int width, int height) override;
    void SetText(const std::string& value) override;
    void SetEnabled(bool value) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Update() override;

    bool TabStop = false;
    int TabOrder = 0;
    // The input method's mode and the input method by name (empty: the user's) while the control
    // has the focus. This desktop has no input method to switch: they are kept for what asks.
    TImeMode ImeMode = imDontCare;
    std::string ImeName;
    // Paints through an off-screen image of its own.
    bool DoubleBuffered = false;
    // Whether the control holds the keyboard focus; a control that hands the focus on to a window
    // inside it answers for that window too.
    virtual bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    // Lays out the aligned children again.
    void AlignControls() { AlignControl(nullptr); }
    // Called when control (nullptr: none in particular) changed its bounds, alignment or
    // visibility: hands AlignControls the client area less AdjustClientRect's frame.
    void AlignControl(TControl* control);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Draws the graphic children into a context of this control's client area.
    void PaintControls(gdi::HDC dc);

protected:
    struct TCreateParams {
        std::string className = "TWinControl";
        win::DWORD style = win::WS_CHILD | win::WS_CLIPSIBLINGS;
        win::DWORD exStyle = 0;
        int x = 0, y = 0, width = 0, height = 0;
        HWND parent{};
        std::intptr_t id = 0;
        // A system class the window's messages fall back to (CreateSubClass), instead of the
        // default window procedure.
        win::UINT classStyle = win::CS_DBLCLKS;
        core::WNDPROC defWndProc;
    };
    virtual void CreateParams(TCreateParams& params);
    // The area aligned children share, narrowed from the client rectangle (the base keeps it).
    virtual void AdjustClientRect(TRect& /*rect*/) {}
    // Lays the aligned children out in rect; control is the child that changed, if any. The base
    // does nothing for a child that is not aligned itself.
    virtual void AlignControls(TControl* control, TRect& rect);
    // The focusable controls inside this one in tab order, depth first (what Tab walks).
    virtual void GetTabOrderList(std::vector<TWinControl*>& list);
    // Makes the window one of the system class className under params' own class name: what the
    // control leaves goes to that class's procedure.
    static void CreateSubClass(TCreateParams& params, const std::string& className);
    virtual void CreateHandle();
    void DestroyHandle();
    void RecreateWnd();
    // Called once the window exists.
    virtual void CreateWnd() {}
    // Called while the window still exists, before the control lets it go.
    virtual void DestroyWnd() {}
    virtual void PaintWindow(gdi::HDC dc);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // Keys the control takes itself instead of the form's dialog keys (Tab, Enter, Esc, arrows).
    virtual bool WantsKey(WORD key) const;
    virtual void DoEnter();
    virtual void DoExit();
    // Taking the focus when pressed.
    bool focusOnClick_ = false;
    HWND PaintWindow() const override { return handle_; }
    TRect PaintRect() const override { return ClientRect(); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    HWND handle_{};

private:
    friend class TControl;
    core::WNDPROC defWndProc_;
    static LRESULT WindowProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool RouteMouse(TMessage& message);
    // Into dc when it is given (WM_PAINT with a device context), else the window's update region.
    void HandlePaint(gdi::HDC dc = gdi::NullDC);
    void HandleKey(TMessage& message);
    void SyncBoundsFromWindow();
    void ApplyVisible();

    // Hands a child's notification back to the child; false when no control of ours sent it.
    bool ReflectNotification(TMessage& message);

    std::vector<TControl*> controls_;
    TControl* captureControl_ = nullptr;
    int alignDisabled_ = 0;
    bool destroyingHandle_ = false;
    bool syncing_ = false;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    TCanvas& Canvas() { return canvas_; }

protected:
    friend class TWinControl;
    virtual void Paint() {}

    TCanvas canvas_;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(gdi::HDC dc) override;

    // Drawing at once, outside Paint (a value that changes under the mouse): for the guard's
    // life the canvas draws on the window's client area with the control's font. Inside Paint,
    // or in another guard, the canvas keeps the context it has; a control without a window has
    // none, and its drawing does nothing.
    class TDrawingNow {
    public:
        explicit TDrawingNow(TCustomControl& control);
        ~TDrawingNow();
        TDrawingNow(const TDrawingNow&) = delete;
        TDrawingNow& operator=(const TDrawingNow&) = delete;

    private:
        TCustomControl& control_;
        gdi::HDC dc_{};
    };

    TCanvas canvas_;
};

// Drag and drop in this process: the control under the pointer that a drag reaches (graphic
// controls included); nullptr over no control of ours.
TControl* FindDragTarget(TPoint screen, bool allowDisabled);
// The control that owns a window; nullptr for another window.
TWinControl* FindControl(HWND wnd);

} // namespace platform::forms
