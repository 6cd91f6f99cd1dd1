#pragma once
// What the bank and global windows share beyond the element grid: the bank they show knows the
// window as its editor and refreshes it through it; the caption names the bank and its location;
// closing releases the window, and its going lets the bank and every open editor of its entries
// go.

#include "app/elem_list_form.h"
#include "editors/form_view.h"
#include "model/elements/bank.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace app {

class TEntryListForm : public TElemListForm {
public:
    // editors::TElemWindow: model::TopOwner of the bank shown.
    model::TLibElem* FormElem() override;
    // What the bank knows as its window (its Editor).
    editors::TFormView& View() { return view_; }

protected:
    // A dialog-bordered child of the main window on list, its grid as wide as its header;
    // update refreshes it for the model.
    TEntryListForm(forms::TComponent* owner, model::TBank& list, std::function<void()> update,
                   std::initializer_list<TSection> sections);

    // "Type Name [Location : path]".
    std::string ViewCaption() const;
    // Once the window stands placed and sized: the bank keeps that place and size, which its
    // record may not hold (never placed or sized, or a size the window does not take), so that
    // closing the window unmoved is no change of the library.
    void KeepPlace();

    model::TBank& list_;
    editors::TFormView view_;

private:
    void FormClose(forms::TCloseAction& Action);
    void FormDestroy();
};

} // namespace app
