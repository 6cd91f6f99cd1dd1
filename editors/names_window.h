#pragma once
// The name lists window as the editor pages see it: the lists by which they show waves (and
// patches and performances) by name, and its modal chooser. The application installs the one
// names window it makes at start-up; with none installed every list is empty and a choice keeps
// the entry it was given.

#include "platform/core/string_list.h"

#include <string>

namespace editors {

class TNamesWindow {
public:
    virtual ~TNamesWindow() = default;

    // List type (1..65); any other number is an empty list.
    virtual const platform::core::TStringList& List(int type) const = 0;
    // Shows list type with entry chosen selected and waits for the user: the entry he chose,
    // or chosen when he cancelled.
    virtual int Choose(int type, int chosen) = 0;
};

// The installed window, or null.
TNamesWindow* NamesWindow();
void SetNamesWindow(TNamesWindow* window);

// Entry index of list type through the installed window; empty when there is no such entry.
std::string NameOf(int type, int index);
// What the user chose through the installed window; chosen with none installed.
int ChooseName(int type, int chosen);

} // namespace editors
