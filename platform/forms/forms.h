#pragma once
// The class library's forms: top-level windows (and multiple-document children) with the close
// protocol, modal showing and modal results, the dialog keys, and the multiple-document parent
// that keeps its children in a client window of its own. The window manager draws the frame of
// a top-level form outside its bounds, so there Width and Height are the client area's; a
// multiple-document child draws its own frame and caption inside its bounds.

#include "platform/core/clock.h"
#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "platform/forms/mdi_client.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::forms {

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// A set of the flags below.
using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                              mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                              mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class EInvalidOperation : public core::Exception {
public:
    using core::Exception::Exception;
};

// The character after a caption's single '&', in lower case; 0 for none ("&&" is a plain '&').
char CaptionAccelerator(const std::string& caption);

class TCustomForm : public TCustomControl {
public:
    // FormStyle decides the kind of window, so it comes with the form; a child of the multiple-
    // document kind lives in the main form's client window.
    explicit TCustomForm(TComponent* owner, TFormStyle style = fsNormal);
    ~TCustomForm() override;

    // Runs OnCreate once; CreateForm, Show and ShowModal call it when nobody did before.
    void AfterConstruction();
    // Runs OnDestroy once and lets the windows go, while the whole form still exists: the
    // owner's freeing calls it before any destructor runs (the application hears of every form
    // that goes); a form that is not freed by an owner gets it from its own destructor.
    void BeforeDestruction();
    bool Destroying() const { return destroying_; }
    // In a form stream of the form: its own components that have no parent component.
    void GetChildren(const std::function<void(core::TComponent*)>& Proc,
                     core::TComponent* Root) const override;

    TFormStyle FormStyle() const { return formStyle_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    // A multiple-document child of poDefault or poDefaultPosOnly is placed where its parent puts
    // a new child when it is constructed: below and right of the last one so placed, by a
    // caption's height, and back at the top left corner of the client area when the next step
    // would reach past its bottom or right edge.
    TPosition Position = poDesigned;
    // The form's icon, which its window carries (WM_SETICON, ICON_BIG) and the desktop shows;
    // empty, the platform's picture of a program stands for it.
    TIcon& Icon() { return icon_; }
    // The icon the window carries: Icon's, or the platform's stock one.
    win::HICON GetIconHandle() const;
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    bool KeyPreview = false;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // The focus moved to a control of this form.
    void FocusControl(TWinControl* control);
    // The window of control took the focus. The controls that lose it hear CM_EXIT, from the one
    // that had it outwards to below the nearest ancestor they share with control; then those
    // that gain it hear CM_ENTER, from there inwards to control. A handler that moves the focus
    // elsewhere ends the walk, as the move makes one of its own.
    void SetFocusedControl(TWinControl* control);
    // control leaves the form, freed or taken elsewhere: the form keeps no pointer into it and
    // sends it nothing more.
    void DefocusControl(TWinControl* control);
    // Tab order: the next control that can take the focus after current.
    void SelectNext(TWinControl* current, bool forward);
    // Tab, Enter (the default button) and Esc (the cancel button); true when taken.
    bool DialogKey(WORD key, TShiftState shift);
    // The accelerator of a caption ("&Close": Alt+C, or C where the focus takes no typing)
    // clicks its button, check box or radio button, or focuses the control of its label. Each
    // showing window control is offered it first as CM_DIALOGCHAR; a non-zero answer takes it.
    bool DialogChar(char key);

    void Show();
    void Close();
    bool CloseQuery();
    // Hides now and frees the form through its owner once the messages queued now are done;
    // nothing of it paints in between.
    void Release();
    bool Released() const { return released_; }
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value);
    bool Modal() const { return modal_; }
    bool Showing() const override;
    bool Active() const { return active_; }

    // The idle step for this form, while it shows: the form, then every visible control on it,
    // parents before children, runs its InitiateAction.
    virtual void UpdateActions();

    // The multiple-document parent.
    HWND ClientHandle();
    int MDIChildCount() const;
    // Index 0 is the front child.
    TCustomForm* MDIChildren(int index) const;
    TCustomForm* ActiveMDIChild() const;
    TTileMode TileMode = tbHorizontal;
    // Cascade and Tile lay out the children that are not minimised in the client area above the
    // icons' rows, which they arrange first.
    void Cascade();
    // Side by side in cells (stacked for tbHorizontal up to three, in columns beyond). A child
    // without a sizing border keeps its size; one that keeps a size of its own pushes the next
    // ones on: no two overlap, and what lies beyond the client area is reached by scrolling.
    void Tile();
    // The minimised children's icons in rows along the bottom of the client area, from the left.
    void ArrangeIcons();
    void Next();
    void Previous();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;

    // The caption buttons of a multiple-document child, in window coordinates. A minimised child
    // is its icon: a caption with its title and the buttons that restore (cbMinimize's),
    // maximise and close it; a double click on it restores it too, at its former bounds, which
    // its Left, Top, Width and Height keep meanwhile, as its ClientRect keeps the client area
    // it will have again.
    enum TCaptionButton { cbMinimize, cbMaximize, cbClose };
    TRect CaptionButtonRect(TCaptionButton button) const;
    // A click on the icon opens the child's window menu (its system menu's commands as they
    // apply to it now), dropped below the icon or above it; a choice sends the child
    // WM_SYSCOMMAND. The menu while it is open, for the drivers of tests; null otherwise.
    TPopupMenu* WindowMenu() const { return windowMenu_; }
    TRect ClientRect() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    virtual void DoClose(TCloseAction& action);
    virtual void DoShow();
    virtual void DoHide();
    void Activate();
    void Deactivate();

private:
    friend class TMDIClient;
    // The messages Dispatch handles, one handler each; each says whether it took its message.
    bool WMSetFocus(TMessage& message);
    bool WMPaint(TMessage& message);
    bool WMClose(TMessage& message);
    bool WMNCPaintOrActivate(TMessage& message);
    bool WMNCHitTest(TMessage& message);
    bool WMNCLButtonDown(TMessage& message);
    bool CMRelease(TMessage& message);
    bool CMVisibleChanged(TMessage& message);
    bool WMActivate(TMessage& message);
    bool WMSysCommand(TMessage& message);
    bool WMWindowPosChanged(TMessage& message);
    // The client window works its scroll bars out again.
    void MDIChildMoved();
    void ApplyVisibility();
    void ApplyPosition();
    void ApplyWindowState();
    void MinimizeMDIChild();
    void RestoreMDIChild();
    void MaximizeMDIChild();
    void ActivateMDIChild(TCustomForm* child);
    void MDIChildGone(TCustomForm* child);
    std::vector<TCustomForm*> MDIChildList(bool includeHidden) const;
    TCustomForm* MDIParent() const;
    void DisableOtherForms(std::vector<HWND>& disabled);
    bool Iconic() const;
    TRect AreaAboveIcons();
    // The place of the next child placed by default, of that size (the parent's).
    TPoint NextDefaultChildPlace(int width, int height);
    TRect CaptionBar() const;
    bool HasCaptionButton(TCaptionButton button) const;
    void PaintChildCaption();
    int ChildHitTest(TPoint screen) const;
    // The icon's window menu, after a click on its caption.
    void ShowIconMenu();
    bool moving_ = false;
    TPoint moveStart_;
    TRect moveBounds_;
    // A press on the icon's caption, held until its release opens the window menu; where and
    // when it came, so that a second press on the icon is taken for a double click.
    bool iconPressed_ = false;
    TPoint iconPress_;
    core::Millis iconPressTime_ = 0;
    TPopupMenu* windowMenu_ = nullptr;

    void IconChanged();
    TIcon icon_;
    TFormStyle formStyle_;
    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TWindowState windowState_ = wsNormal;
    TWinControl* activeControl_ = nullptr;
    // The control the last CM_ENTER went to (the form itself when null).
    TWinControl* focusedControl_ = nullptr;
    TMDIClient* client_ = nullptr;
    TCustomForm* activeChild_ = nullptr;
    // How many steps from the corner the last child placed by default stands (the parent's).
    int defaultPlaceStep_ = -1;
    TRect normalBounds_;
    // What the frame took of the size before the child became its icon.
    gdi::TSize iconFrame_;
    TModalResult modalResult_ = mrNone;
    void* modalLoop_ = nullptr;
    bool created_ = false;
    bool destroying_ = false;
    bool modal_ = false;
    bool released_ = false;
    bool positioned_ = false;
    bool active_ = false;
    bool shown_ = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// Frees f through its owner when it has one (the form's Release, done now).
void FreeForm(TCustomForm& form);

} // namespace platform::forms
