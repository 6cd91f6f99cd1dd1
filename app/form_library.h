#pragma once
// A library window: one library as a list of its elements, with the type mask, the three sort
// orders, new elements of every kind, delete into the trash, transfers of the selection, single
// entries' files, printing and the library's comment. The same window shows the trash library
// in trash mode. It takes its library from the application state's current-library slot while
// it is created, and the library knows it as its editor window.

#include "app/elem_window.h"
#include "app/form_view.h"
#include "model/elements/library.h"
#include "platform/forms/forms.h"

#include <memory>

namespace app {

namespace forms = platform::forms;

class TFormLibrary : public forms::TForm, public TElemWindow {
public:
    // The main window must be the multiple-document parent; AppState()->CurrentLibrary is the
    // library shown.
    TFormLibrary(forms::TComponent* owner, bool trashMode);
    ~TFormLibrary() override;

    model::TLibrary& Library() const { return library_; }
    // The library shown.
    model::TLibElem* FormElem() override { return &library_; }
    bool TrashMode() const { return trashMode_; }

    // Caption "Library : " + name, or "Trash Library".
    void Updateview();
    // Applies the trash mode to the layout.
    void DisableVisible();
    // Sorts the library by the sort buttons.
    void SortElem();
    // The mask test: the mask button of the element's type is up.
    bool Visible(const model::TLibElem& elem) const;
    // The close handling: keeps the position; frees a saved library (or the trash's reference);
    // asks to save an unsaved one, and Cancel sets the application's CloseCancelled. The window
    // releases itself; Action is always none. The main window's shut-down runs it directly.
    void FormClose(forms::TObject* Sender, forms::TCloseAction& Action);

    // What the library knows as its window (its Editor).
    TFormView& View() { return view_; }

private:
    // The library no longer knows this window as its own.
    void Detach();

    model::TLibrary& library_;
    // A normal library window owns its library until it closes; the trash is the main window's.
    std::unique_ptr<model::TLibrary> owned_;
    bool trashMode_;
    TFormView view_;
};

} // namespace app
