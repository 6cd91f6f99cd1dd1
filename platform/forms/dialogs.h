#pragma once
// The class library's dialogs: message dialogs and message boxes with the platform's kinds and
// buttons, and the open and save dialogs for files. A TDialogScript, while it lives, answers
// every dialog instead of the user and checks that each asks the question expected.

#include "platform/core/component.h"
#include "platform/forms/controls.h"

#include <deque>
#include <string>
#include <vector>

namespace platform::forms {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// A set of the buttons below.
using TMsgDlgButtons = unsigned;
inline constexpr TMsgDlgButtons mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16,
                                mbRetry = 32, mbIgnore = 64, mbAll = 128, mbNoToAll = 256,
                                mbYesToAll = 512, mbHelp = 1024;
inline constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// A modal result (mrYes, mrOk...).
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
void ShowMessage(const std::string& msg);

// MessageBox flags and answers.
inline constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2,
                      MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5;
inline constexpr UINT MB_ICONHAND = 0x10, MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10,
                      MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30,
                      MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40;
inline constexpr UINT MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6,
                     IDNO = 7;
// The answer (IDOK, IDYES...); the caption empty gives the application's title.
int MessageBox(const std::string& text, const std::string& caption, UINT flags);

// Options of the file dialogs, a set of the flags below. No overwrite question is asked by the
// dialog: ofOverwritePrompt is accepted and ignored, the program asks its own.
using TOpenOptions = unsigned;
inline constexpr TOpenOptions ofReadOnly = 1, ofOverwritePrompt = 2, ofHideReadOnly = 4,
                              ofNoChangeDir = 8, ofAllowMultiSelect = 16, ofPathMustExist = 32,
                              ofFileMustExist = 64, ofCreatePrompt = 128, ofNoReadOnlyReturn = 256,
                              ofEnableSizing = 512;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner);

    std::string Title;
    // "Description|pattern;pattern|Description|pattern...".
    std::string Filter;
    // 1 for the first filter.
    int FilterIndex = 1;
    // Without the dot; added to a chosen name that has no extension.
    std::string DefaultExt;
    std::string InitialDir;
    std::string FileName;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;

    // False when the user cancels.
    virtual bool Execute();

protected:
    virtual bool Saving() const { return false; }
    bool Finish(std::string chosen);
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    bool Saving() const override { return true; }
};

enum class TDialogKind { MessageBox, MessageDlg, Open, Save };

struct TDialogQuestion {
    TDialogKind Kind = TDialogKind::MessageBox;
    std::string Caption; // a message box's caption, a file dialog's title
    std::string Text;    // the message; a file dialog's initial file name
    UINT Flags = 0;      // MessageBox flags
    TMsgDlgType Type = mtCustom;
    TMsgDlgButtons Buttons = 0;
    std::string Filter, InitialDir, DefaultExt;
};

// The test seam: answers dialogs in order. A message is answered only when its text is the
// one expected; a question that is not expected, or that differs, is written down as a
// mismatch and cancelled.
class TDialogScript {
public:
    TDialogScript();
    ~TDialogScript();
    TDialogScript(const TDialogScript&) = delete;
    TDialogScript& operator=(const TDialogScript&) = delete;

    // A message box or message dialog with exactly this text gets answer (IDxx or mrXxx).
    void Answer(const std::string& text, int answer);
    // A file dialog with this title gets this file name (empty: the user cancels).
    void AnswerFile(const std::string& title, const std::string& fileName);

    const std::vector<TDialogQuestion>& Asked() const { return asked_; }
    const std::vector<std::string>& Mismatches() const { return mismatches_; }
    // Every answer was used.
    bool Done() const { return answers_.empty(); }

    // Used by the dialogs.
    static TDialogScript* Current();
    int AnswerMessage(const TDialogQuestion& question, int cancel);
    bool AnswerFileDialog(const TDialogQuestion& question, std::string& fileName);

private:
    struct Entry {
        bool file;
        std::string text;
        int answer;
        std::string fileName;
    };
    std::deque<Entry> answers_;
    std::vector<TDialogQuestion> asked_;
    std::vector<std::string> mismatches_;
    TDialogScript* previous_;
};

} // namespace platform::forms
