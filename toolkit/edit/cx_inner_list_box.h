#pragma once
// The list box that editor containers and popups host. Typing searches it: characters typed
// within AutoCompleteDelay of each other make one search text, and the first item that starts
// with it (letter case aside) becomes the current item; a longer pause starts a new search.
// Time is the platform clock's. In a container it wants Tab (unless Ctrl is down) and characters.
// It draws every row itself, without a border: a selected row on the highlight colours, a row
// the window asks for that holds no item filled with the list's colour.
// Not built yet: the toolkit's scroll bars over the window's own, the size grip corner, the
// look-and-feel, and the mouse, key, focus and drag events handed to the container.

#include "platform/forms/std_ctrls.h"
#include "toolkit/base/cx_canvas.h"

#include <cstdint>
#include <string>

namespace toolkit::edit {

class TcxContainer;

class TcxCustomInnerListBox : public platform::forms::TListBox {
public:
    explicit TcxCustomInnerListBox(platform::core::TComponent* AOwner);

    bool AutoComplete = true;
    std::uint32_t AutoCompleteDelay = 500; // milliseconds
    // The owning container, or none: without one the list box is a plain list box.
    TcxContainer* Container = nullptr;

    const std::string& SearchText() const { return FSearchText; }
    // Bound to the row's context while a row draws.
    toolkit::base::TcxCanvas& cxCanvas() { return FCanvas; }

    void Dispatch(platform::core::TMessage& Message) override;

protected:
    void CreateParams(platform::forms::TWinControl::TCreateParams& Params) override;
    void KeyPress(char& Key) override;
    // Only rows drawn by the list box itself get the focus rectangle.
    bool NeedsFocusRect() const override { return !OnDrawItem; }

private:
    void DoAutoComplete(char& Key);
    void CNDrawItem(platform::core::TMessage& Message);

    toolkit::base::TcxCanvas FCanvas{&Canvas()};

    std::uint32_t FLastKeyTime = 0;
    std::string FSearchText;
};

} // namespace toolkit::edit
