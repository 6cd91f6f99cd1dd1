#include "model/program/dialog_services.h"

namespace model {

namespace {
TDialogs* installed = nullptr;
}

TDialogs* Dialogs() {
    return installed;
}

void SetDialogs(TDialogs* dialogs) {
    installed = dialogs;
}

bool ExecuteOpenDialog(TFileDialogRequest& request) {
    return installed != nullptr && installed->OpenDialog(request);
}

bool ExecuteSaveDialog(TFileDialogRequest& request) {
    return installed != nullptr && installed->SaveDialog(request);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return installed != nullptr ? installed->MessageDlg(text, type, buttons) : mrNone;
}

} // namespace model
