#pragma once
// The platform's edit window inside every text editor: it does the caret and the selection, and
// passes each key to the outer editor first. It never changes its text by itself for the
// clipboard: cut, paste and clear arriving from anywhere (its keys, other senders) go to the
// outer editor, which computes, validates and sets the new text. Tab never reaches the window.

#include "platform/forms/std_ctrls.h"

#include <functional>

namespace toolkit::edit {

class TcxCustomTextEdit;

class TcxCustomInnerTextEdit : public platform::forms::TEdit {
public:
    TcxCustomInnerTextEdit(platform::core::TComponent* AOwner, TcxCustomTextEdit& AContainer);

    TcxCustomTextEdit& Container() const { return FContainer; }
    platform::forms::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(platform::forms::TAlignment Value) { FAlignment = Value; }
    // 0 normal, 1 password.
    int EchoMode() const { return FEchoMode; }
    void SetEchoMode(int Value);
    // #0 echoes "*".
    char EditPasswordChar() const { return FPasswordChar; }
    void SetEditPasswordChar(char Value);
    // The outer editor swallowed the current key.
    bool InternalUpdating() const { return FKeyHandled; }
    // Runs the text's default procedure for a message, past the outer editor.
    platform::core::LRESULT CallDefWndProc(platform::core::UINT Msg, platform::core::WPARAM WParam,
                                           platform::core::LPARAM LParam);

    void Dispatch(platform::core::TMessage& Message) override;

    // After EM_SETSEL.
    std::function<void()> OnSelChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    void Change() override;

private:
    void UpdatePasswordChar();

    TcxCustomTextEdit& FContainer;
    platform::forms::TAlignment FAlignment = platform::forms::taLeftJustify;
    int FEchoMode = 0;
    char FPasswordChar = '\0';
    bool FKeyHandled = false;
};

} // namespace toolkit::edit
