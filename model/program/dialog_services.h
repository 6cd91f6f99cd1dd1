#pragma once
// The open and save dialogs and the message boxes, as the data model asks for them. The
// application installs one implementation; with none installed every dialog is cancelled and
// every message box answers mrNone, so nothing is overwritten or retried unasked.

#include <string>

namespace model {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// Buttons of a message box, combined with |.
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbRetry = 16 };
using TMsgDlgButtons = unsigned;

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrRetry = 4, mrYes = 6, mrNo = 7 };

struct TFileDialogRequest {
    std::string Title;
    // "Description|*.Ext"
    std::string Filter;
    // Without its dot: "Syx".
    std::string DefaultExt;
    std::string InitialDir;
    // Preselected on entry; the chosen path on OK.
    std::string FileName;
    // Open dialogs: the path and the file must exist. Save dialogs: the folder must exist.
    bool MustExist = true;
};

class TDialogs {
public:
    virtual ~TDialogs() = default;

    // False when the user cancelled.
    virtual bool OpenDialog(TFileDialogRequest& request) = 0;
    virtual bool SaveDialog(TFileDialogRequest& request) = 0;
    virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                                    TMsgDlgButtons buttons) = 0;
};

// The installed implementation, or null.
TDialogs* Dialogs();
void SetDialogs(TDialogs* dialogs);

// Through the installed dialogs; false, or mrNone, with none installed.
bool ExecuteOpenDialog(TFileDialogRequest& request);
bool ExecuteSaveDialog(TFileDialogRequest& request);
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

} // namespace model
