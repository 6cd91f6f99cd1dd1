#include "platform/forms/dialogs.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/forms/application.h"
#include "platform/forms/forms.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/common_dialogs.h"

#include <algorithm>
#include <cctype>

namespace platform::forms {

namespace {

TDialogScript*& CurrentScript() {
    static TDialogScript* script = nullptr;
    return script;
}

struct ButtonInfo {
    TMsgDlgButtons button;
    const char* caption;
    int result;
};

constexpr ButtonInfo ButtonTable[] = {
    {mbYes, "&Yes", mrYes},
    {mbNo, "&No", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel},
    {mbAbort, "&Abort", mrAbort},
    {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore},
    {mbAll, "&All", mrAll},
    {mbNoToAll, "N&o to All", mrNoToAll},
    {mbYesToAll, "Yes to &All", mrYesToAll},
    {mbHelp, "&Help", mrNone},
};

std::string TypeCaption(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    default:
        return Application().Title;
    }
}

// The message dialog of the class library: a form with the text and a row of buttons.
int RunMessageForm(const std::string& caption, const std::string& text, TMsgDlgButtons buttons,
                   TMsgDlgButtons defaultButton) {
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.Position = poScreenCenter;
    form.SetCaption(caption);
    TLabel& label = form.Own<TLabel>();
    label.SetParent(&form);
    label.SetCaption(text);
    label.SetBounds(16, 16, label.Width(), label.Height());
    // A text wider than half the screen breaks into lines between its words, as wide as the
    // lines come out.
    const int widest = Screen().Width() / 2;
    if (label.Width() > widest) {
        label.WordWrap = true;
        label.SetBounds(16, 16, widest, Screen().Height());
        const TRect lines = label.TextRect();
        label.SetBounds(16, 16, lines.Width(), lines.Height());
    }
    std::vector<const ButtonInfo*> shown;
    for (const ButtonInfo& b : ButtonTable)
        if (buttons & b.button) shown.push_back(&b);
    const int width = std::max(label.Width() + 32, static_cast<int>(shown.size()) * 83 + 24);
    form.SetBounds(0, 0, width, label.Height() + 80);
    int x = (width - static_cast<int>(shown.size()) * 83 + 8) / 2;
    for (const ButtonInfo* b : shown) {
        TButton& button = form.Own<TButton>();
        button.SetParent(&form);
        button.SetCaption(b->caption);
        button.SetBounds(x, label.Height() + 36, 75, 25);
        button.ModalResult = b->result;
        button.Default = b->button == defaultButton;
        button.Cancel = b->button == mbCancel || (buttons == mbOK && b->button == mbOK);
        x += 83;
    }
    return form.ShowModal();
}

int MessageBoxButtons(UINT flags, TMsgDlgButtons& buttons) {
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        buttons = mbOKCancel;
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = mbAbortRetryIgnore;
        break;
    case MB_YESNOCANCEL:
        buttons = mbYesNoCancel;
        break;
    case MB_YESNO:
        buttons = mbYes | mbNo;
        break;
    case MB_RETRYCANCEL:
        buttons = mbRetry | mbCancel;
        break;
    default:
        buttons = mbOK;
        break;
    }
    return 0;
}

} // namespace

// ---- message boxes ----

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
    (void)helpContext;
    if (TDialogScript* script = TDialogScript::Current()) {
        TDialogQuestion q;
        q.Kind = TDialogKind::MessageDlg;
        q.Caption = TypeCaption(type);
        q.Text = msg;
        q.Type = type;
        q.Buttons = buttons;
        return script->AnswerMessage(q, (buttons & mbCancel) ? mrCancel
                                        : (buttons & mbNo)   ? mrNo
                                                             : mrOk);
    }
    TMsgDlgButtons defaultButton = 0;
    for (const ButtonInfo& b : ButtonTable)
        if (buttons & b.button) {
            defaultButton = b.button;
            break;
        }
    return RunMessageForm(TypeCaption(type), msg, buttons, defaultButton);
}

void ShowMessage(const std::string& msg) {
    MessageDlg(msg, mtCustom, mbOK, 0);
}

int MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    const std::string title = caption.empty() ? Application().Title : caption;
    TMsgDlgButtons buttons = mbOK;
    MessageBoxButtons(flags, buttons);
    auto toId = [](int result) {
        switch (result) {
        case mrOk:
            return IDOK;
        case mrCancel:
            return IDCANCEL;
        case mrAbort:
            return IDABORT;
        case mrRetry:
            return IDRETRY;
        case mrIgnore:
            return IDIGNORE;
        case mrYes:
            return IDYES;
        case mrNo:
            return IDNO;
        default:
            return IDCANCEL;
        }
    };
    if (TDialogScript* script = TDialogScript::Current()) {
        TDialogQuestion q;
        q.Kind = TDialogKind::MessageBox;
        q.Caption = title;
        q.Text = text;
        q.Flags = flags;
        q.Buttons = buttons;
        return script->AnswerMessage(q, (buttons & mbCancel) ? IDCANCEL
                                        : (buttons & mbNo)   ? IDNO
                                                             : IDOK);
    }
    std::vector<TMsgDlgButtons> order;
    for (const ButtonInfo& b : ButtonTable)
        if (buttons & b.button) order.push_back(b.button);
    const std::size_t defaultIndex = (flags >> 8) & 0xF;
    TMsgDlgButtons defaultButton =
        defaultIndex < order.size() ? order[defaultIndex] : order.front();
    return toId(RunMessageForm(title, text, buttons, defaultButton));
}

// ---- file dialogs ----

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Finish(std::string chosen) {
    if (chosen.empty()) return false;
    if (!DefaultExt.empty() && core::ExtractFileExt(chosen).empty()) chosen += "." + DefaultExt;
    if ((Options & ofFileMustExist) && !core::FileExists(chosen)) return false;
    if ((Options & ofPathMustExist) && !core::ExtractFileDir(chosen).empty() &&
        !core::DirectoryExists(core::ExtractFileDir(chosen)))
        return false;
    FileName = chosen;
    return true;
}

bool TOpenDialog::Execute() {
    if (TDialogScript* script = TDialogScript::Current()) {
        TDialogQuestion q;
        q.Kind = Saving() ? TDialogKind::Save : TDialogKind::Open;
        q.Caption = Title;
        q.Text = FileName;
        q.Filter = Filter;
        q.InitialDir = InitialDir;
        q.DefaultExt = DefaultExt;
        std::string chosen;
        if (!script->AnswerFileDialog(q, chosen)) return false;
        if (!InitialDir.empty() && !chosen.empty() && !core::IsAbsolutePath(chosen))
            chosen = core::IncludeTrailingPathDelimiter(InitialDir) + chosen;
        return Finish(chosen);
    }
    win::OPENFILENAME ofn;
    ofn.lpstrFilter = Filter;
    std::replace(ofn.lpstrFilter.begin(), ofn.lpstrFilter.end(), '|', '\0');
    ofn.nFilterIndex = static_cast<win::DWORD>(FilterIndex);
    ofn.lpstrFile = FileName;
    ofn.lpstrInitialDir = InitialDir;
    ofn.lpstrTitle = Title;
    // The program asks its own question about replacing a file.
    ofn.Flags = 0;
    const bool chosen = Saving() ? win::GetSaveFileName(&ofn) : win::GetOpenFileName(&ofn);
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return chosen && Finish(ofn.lpstrFile);
}

// ---- the test seam ----

TDialogScript::TDialogScript() : previous_(CurrentScript()) {
    CurrentScript() = this;
}

TDialogScript::~TDialogScript() {
    CurrentScript() = previous_;
}

TDialogScript* TDialogScript::Current() {
    return CurrentScript();
}

void TDialogScript::Answer(const std::string& text, int answer) {
    answers_.push_back({false, text, answer, {}});
}

void TDialogScript::AnswerFile(const std::string& title, const std::string& fileName) {
    answers_.push_back({true, title, 0, fileName});
}

int TDialogScript::AnswerMessage(const TDialogQuestion& question, int cancel) {
    asked_.push_back(question);
    if (answers_.empty() || answers_.front().file) {
        mismatches_.push_back("unexpected message: \"" + question.Text + "\"");
        return cancel;
    }
    Entry entry = answers_.front();
    answers_.pop_front();
    if (entry.text != question.Text) {
        mismatches_.push_back("expected \"" + entry.text + "\", asked \"" + question.Text + "\"");
        return cancel;
    }
    return entry.answer;
}

bool TDialogScript::AnswerFileDialog(const TDialogQuestion& question, std::string& fileName) {
    asked_.push_back(question);
    if (answers_.empty() || !answers_.front().file) {
        mismatches_.push_back("unexpected file dialog: \"" + question.Caption + "\"");
        return false;
    }
    Entry entry = answers_.front();
    answers_.pop_front();
    if (entry.text != question.Caption) {
        mismatches_.push_back("expected file dialog \"" + entry.text + "\", asked \"" +
                              question.Caption + "\"");
        return false;
    }
    fileName = entry.fileName;
    return !fileName.empty();
}

} // namespace platform::forms
