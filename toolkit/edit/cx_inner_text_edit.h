#pragma once
// The platform's edit window inside every text editor: it does the caret and the selection, and
// passes each key to the outer editor first. It never changes its text by itself for the
// clipboard: cut, paste and clear arriving from anywhere (its keys, other senders) go to the
// outer editor, which computes, validates and sets the new text. Tab never reaches the window.
//
// Alignment is a window style (ES_RIGHT, ES_CENTER), changed in place. When the outer properties
// ask for left alignment while editing, the window is left-aligned while the editor has the
// focus; a click that focuses such an editor starts the click timer (the system double-click
// time), and the next click while it runs is a double click, though the text moved under it.
//
// A key down that leaves caret, selection and text as they were fires the outer editor's
// after-key-down; a character that changed them ends the outer editor's completion. Tab never
// reaches the window; Enter and Escape reach it only where the outer editor lets them (Enter
// with BeepOnEnter, Escape outside a host and without a pending escape). While the outer
// editor's popup is open, the keys its properties name for the popup go to the popup's window.
//
// The outer editor sees every message first (a context menu, its buffered repaints). The window
// erases no background and paints no frame: the outer editor draws both. While an input method's
// character is typed (its one or two bytes), the selection reads as it was when it came.
//
// The mouse is the outer editor's too: presses, moves, releases, clicks and double clicks reach
// it in its own coordinates after the window has handled them. The window keeps no left margin
// and one pixel on the right, so the caret at the end of the text stays visible.
//
// Its bounds are the outer editor's to give: while the bounds lock is held, SetBounds does
// nothing, and a change that goes through holds the outer editor's guard, so the outer editor
// does not lay itself out again from within it.

#include "platform/forms/std_ctrls.h"

#include <functional>
#include <memory>
#include <string>

namespace toolkit::base {
class TcxTimer;
}

namespace toolkit::edit {

class TcxContainer;
class TcxCustomTextEdit;

// The inner edit before a key, compared with after it: the caret, the selection and the text
// (without case).
struct TcxInnerTextEditPrevState {
    bool SelectionKnown = false;
    std::string Text;
    int SelLength = 0;
    int SelStart = 0;
};

class TcxCustomInnerTextEdit : public platform::forms::TEdit {
public:
    TcxCustomInnerTextEdit(platform::core::TComponent* AOwner, TcxCustomTextEdit& AContainer);
    ~TcxCustomInnerTextEdit() override;

    TcxCustomTextEdit& Container() const { return FContainer; }
    platform::forms::TAlignment Alignment() const { return FAlignment; }
    // Left while the outer editor is focused and its properties ask for left alignment while
    // editing.
    void SetAlignment(platform::forms::TAlignment Value);
    // The properties' alignment, or left while focused when they ask for it.
    void ApplyFocusAlignment(bool AFocused);
    bool ClickTimerRunning() const;
    // The selection, or the one saved when an input method's character came while its bytes
    // are still being typed.
    int EditSelStart() const;
    int EditSelLength() const;
    // The lead byte of a double-byte character whose trail byte is still to come, else #0.
    char ImeLastChar() const { return FImeState == 2 ? FImeLeadByte : '\0'; }
    // 0 normal, 1 password.
    int EchoMode() const { return FEchoMode; }
    void SetEchoMode(int Value);
    // #0 echoes "*".
    char EditPasswordChar() const { return FPasswordChar; }
    void SetEditPasswordChar(char Value);
    // The outer editor swallowed the current key.
    bool InternalUpdating() const { return FKeyHandled; }
    // Nests: every lock wants its unlock; an unlock without a lock does nothing.
    void LockBounds(bool Lock);
    bool BoundsLocked() const { return FBoundsLockCount > 0; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The focus step of the platform's edit without its select-all: the outer editor decides
    // what is selected on entry.
    void DoWithoutAutoSelect();
    // Runs the text's default procedure for a message, past the outer editor.
    platform::core::LRESULT CallDefWndProc(platform::core::UINT Msg, platform::core::WPARAM WParam,
                                           platform::core::LPARAM LParam);

    void Dispatch(platform::core::TMessage& Message) override;
    // Lets the window go while the outer editor is still whole: the focus it loses as it goes
    // would otherwise be told to an editor partly gone.
    void ReleaseWindow() { DestroyHandle(); }

    // After EM_SETSEL.
    std::function<void()> OnSelChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void Change() override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;
    void Click() override;
    void DblClick() override;

private:
    TcxInnerTextEditPrevState SaveState();
    bool SameState(const TcxInnerTextEditPrevState& Prev);
    void UpdatePasswordChar();
    void UpdateAlignmentStyle();
    bool UsesLeftAlignmentOnEditing();
    void StartClickTimer();
    void SetMargins();
    // The outer editor as the container whose mouse handlers the window calls.
    TcxContainer& Outer();

    TcxCustomTextEdit& FContainer;
    std::unique_ptr<toolkit::base::TcxTimer> FClickTimer;
    platform::forms::TAlignment FAlignment = platform::forms::taLeftJustify;
    platform::forms::TAlignment FShownAlignment = platform::forms::taLeftJustify;
    int FBoundsLockCount = 0;
    int FEchoMode = 0;
    char FPasswordChar = '\0';
    bool FKeyHandled = false;
    // The pending click timer was started by the click that focused the control.
    bool FClickToFocus = false;
    // Bytes of an input method's character still to be typed (0 none, 1 or 2).
    int FImeState = 0;
    char FImeLeadByte = '\0';
    int FImeSelStart = 0;
    int FImeSelLength = 0;
    // Enter, Escape and Tab as the outer editor lets them through KeyPress and KeyUp.
    void FilterOuterKey(char& Key);
};

} // namespace toolkit::edit
