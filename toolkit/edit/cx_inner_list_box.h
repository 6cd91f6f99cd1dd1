#pragma once
// The list box that editor containers and popups host. Typing searches it: characters typed
// within AutoCompleteDelay of each other make one search text, and the first item that starts
// with it (letter case aside) becomes the current item; a longer pause starts a new search.
// Time is the platform clock's. In a container it wants Tab (unless Ctrl is down) and characters.

#include "platform/forms/std_ctrls.h"

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

    void Dispatch(platform::core::TMessage& Message) override;

protected:
    void KeyPress(char& Key) override;
    // Only rows drawn by the list box itself get the focus rectangle.
    bool NeedsFocusRect() const override { return !OnDrawItem; }

private:
    void DoAutoComplete(char& Key);

    std::uint32_t FLastKeyTime = 0;
    std::string FSearchText;
};

} // namespace toolkit::edit
