#pragma once
// The open and save dialogs and the message boxes that the data model asks for, shown by the
// class library's dialogs.

#include "model/program/dialog_services.h"

namespace app {

class TAppDialogs : public model::TDialogs {
public:
    bool OpenDialog(model::TFileDialogRequest& request) override;
    bool SaveDialog(model::TFileDialogRequest& request) override;
    model::TModalResult MessageDlg(const std::string& text, model::TMsgDlgType type,
                                   model::TMsgDlgButtons buttons) override;
};

} // namespace app
