#include "app/form_library.h"

#include "app/form_quintaron.h"
#include "model/elements/library.h"
#include "model/program/dialog_services.h"
#include "model/program/quintaron.h"

namespace app {

TFormLibrary::TFormLibrary(forms::TComponent* owner, bool trashMode)
    : TForm(owner, forms::fsMDIChild), library_(*model::AppState()->CurrentLibrary),
      trashMode_(trashMode), view_(
                                 *this, [this] { Invalidate(); }, true) {
    if (!trashMode_) owned_.reset(&library_);
    HelpContext = 23;
    library_.Editor = &view_;
    library_.EditorOpen = true;
    SetBounds(library_.EditorLeft >= 0 ? library_.EditorLeft : 0,
              library_.EditorTop >= 0 ? library_.EditorTop : 0,
              library_.Width > 0 ? library_.Width : 620,
              library_.Height > 0 ? library_.Height : 300);
    OnClose = [this](forms::TObject* sender, forms::TCloseAction& action) {
        FormClose(sender, action);
    };
}

TFormLibrary::~TFormLibrary() {
    // The window goes before its library (at the program's end): the library must not close it
    // a second time.
    Detach();
    owned_.reset();
}

void TFormLibrary::Detach() {
    // A normal library that went with its close handling is not there to ask.
    if (!trashMode_ && !owned_) return;
    if (library_.Editor == &view_) {
        library_.Editor = nullptr;
        library_.EditorOpen = false;
    }
}

void TFormLibrary::Updateview() {
    SetCaption(trashMode_ ? "Trash Library" : "Library : " + library_.GetName());
}

void TFormLibrary::DisableVisible() {}

void TFormLibrary::SortElem() {
    library_.Sort(model::skCreated);
}

bool TFormLibrary::Visible(const model::TLibElem&) const {
    return true;
}

void TFormLibrary::FormClose(forms::TObject*, forms::TCloseAction& Action) {
    Action = forms::caNone;
    library_.SaveEditorPosition();
    if (trashMode_) {
        Detach();
        Release();
        if (TFormquintaron* main = MainWindow()) main->TrashClosed();
        return;
    }
    if (!library_.Saved) {
        switch (model::MessageDlg(library_.GetName() + " Was Not Saved, Save It ?",
                                  model::TMsgDlgType::mtInformation,
                                  model::mbYes | model::mbNo | model::mbCancel)) {
        case model::mrYes:
            // A save that was cancelled or failed keeps the window and the library whole, and
            // stops a shut-down as Cancel does.
            if (!library_.SaveFile(false)) {
                model::AppState()->CloseCancelled = true;
                return;
            }
            break;
        case model::mrNo:
            break;
        default:
            model::AppState()->CloseCancelled = true;
            return;
        }
    }
    Detach();
    owned_.reset();
    Release();
    if (TFormquintaron* main = MainWindow()) main->EnableMenuItems();
}

} // namespace app
