#include "app/app_dialogs.h"

#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"

namespace app {

namespace forms = platform::forms;

namespace {

bool Execute(forms::TOpenDialog& dialog, model::TFileDialogRequest& request, bool saving) {
    dialog.Title = request.Title;
    dialog.Filter = request.Filter;
    dialog.DefaultExt = request.DefaultExt;
    dialog.InitialDir = request.InitialDir;
    dialog.FileName = request.FileName;
    if (request.MustExist)
        dialog.Options |=
            saving ? forms::ofPathMustExist : forms::ofPathMustExist | forms::ofFileMustExist;
    if (!dialog.Execute()) return false;
    request.FileName = dialog.FileName;
    return true;
}

forms::TMsgDlgType DialogType(model::TMsgDlgType type) {
    switch (type) {
    case model::TMsgDlgType::mtWarning:
        return forms::mtWarning;
    case model::TMsgDlgType::mtError:
        return forms::mtError;
    case model::TMsgDlgType::mtInformation:
        return forms::mtInformation;
    case model::TMsgDlgType::mtConfirmation:
        return forms::mtConfirmation;
    }
    return forms::mtCustom;
}

forms::TMsgDlgButtons DialogButtons(model::TMsgDlgButtons buttons) {
    forms::TMsgDlgButtons result = 0;
    if (buttons & model::mbYes) result |= forms::mbYes;
    if (buttons & model::mbNo) result |= forms::mbNo;
    if (buttons & model::mbOK) result |= forms::mbOK;
    if (buttons & model::mbCancel) result |= forms::mbCancel;
    if (buttons & model::mbRetry) result |= forms::mbRetry;
    return result;
}

model::TModalResult ModelResult(int result) {
    switch (result) {
    case forms::mrOk:
        return model::mrOk;
    case forms::mrCancel:
        return model::mrCancel;
    case forms::mrRetry:
        return model::mrRetry;
    case forms::mrYes:
        return model::mrYes;
    case forms::mrNo:
        return model::mrNo;
    default:
        return model::mrNone;
    }
}

} // namespace

bool TAppDialogs::OpenDialog(model::TFileDialogRequest& request) {
    forms::TOpenDialog dialog(nullptr);
    return Execute(dialog, request, false);
}

bool TAppDialogs::SaveDialog(model::TFileDialogRequest& request) {
    forms::TSaveDialog dialog(nullptr);
    return Execute(dialog, request, true);
}

model::TModalResult TAppDialogs::MessageDlg(const std::string& text, model::TMsgDlgType type,
                                            model::TMsgDlgButtons buttons) {
    return ModelResult(forms::MessageDlg(text, DialogType(type), DialogButtons(buttons), 0));
}

} // namespace app
