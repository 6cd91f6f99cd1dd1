#include "app/entry_list_form.h"

#include "model/editing/editor_view.h"
#include "model/print/print_routines.h"

namespace app {

namespace {

constexpr int PopupDown = 35;

} // namespace

TEntryListForm::TEntryListForm(forms::TComponent* owner, model::TBank& list,
                               std::function<void()> update,
                               std::initializer_list<TSection> sections)
    : TElemListForm(owner, list, list.Elems, false,
                    {{4, 4, 300, 300}, {8, 26, 280, 200}, {8, 8, 280, 18}, PopupDown, true},
                    sections),
      list_(list), view_(*this, std::move(update), true) {
    OnClose = [this](forms::TObject*, forms::TCloseAction& action) { FormClose(action); };
    OnDestroy = [this](forms::TObject*) { FormDestroy(); };
}

model::TLibElem* TEntryListForm::FormElem() {
    return model::TopOwner(&list_);
}

std::string TEntryListForm::ViewCaption() const {
    return list_.GetTypeName() + " " + list_.GetName() + " [Location : " + model::ElemPath(list_) +
           "]";
}

void TEntryListForm::KeepPlace() {
    list_.EditorLeft = static_cast<std::int16_t>(Left());
    list_.EditorTop = static_cast<std::int16_t>(Top());
    list_.Width = static_cast<std::int16_t>(Width());
    list_.Height = static_cast<std::int16_t>(Height());
}

void TEntryListForm::FormClose(forms::TCloseAction& Action) {
    Action = forms::caNone;
    Release();
}

void TEntryListForm::FormDestroy() {
    // A bank that is going has let its window go already.
    if (list_.Editor == &view_) {
        list_.SaveEditorPosition();
        list_.Editor = nullptr;
        list_.EditorOpen = false;
    }
    for (const auto& elem : list_.Elems) {
        model::TEditorView* editor = elem->EditorOpen ? elem->Editor : nullptr;
        if (editor == nullptr) continue;
        editor->CloseByOwner();
        elem->Editor = nullptr;
        elem->EditorOpen = false;
    }
}

} // namespace app
