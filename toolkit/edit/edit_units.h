#pragma once
// The edit framework's start-up and shut-down. Making a TcxEditUnits runs each unit's start step
// in unit order; destroying it runs their end steps last first. Every unit counts its starts,
// so a second TcxEditUnits alive at the same time (a test inside the program) does nothing and
// only the last end undoes the work.
//
// In unit order: the filter, the filter-control and the data-controller string groups; the solid
// brush cache; the value-type registry with its fourteen classes; the desktop-composition binding;
// the container unit (the popup windows' owner-window resolver); the editor and the library string
// groups; the editor base, which puts the mouse-wheel cursor into the screen's cursor table; then
// the editors' units: the text edit (its window message; the properties classes register themselves
// through toolkit/edit/editor_registrations.h as they are built, and its filter helper), the combo
// box, the popup edit, the spin edit, the check box and the masked edit (each its properties and,
// but the popup edit, its filter helper), the extended editors' string group and the
// special-folder table. The format controller made on first use goes at the end.

namespace toolkit::edit {

// The screen cursor number of the editors' mouse-wheel cursor (the panning mark that a middle
// click leaves where scrolling starts).
inline constexpr int crcxEditMouseWheel = 4101;

// The editor base unit: its first start puts the mouse-wheel cursor at crcxEditMouseWheel; the
// cursor stays there for the process's life.
void InitializeEditorBase();
void FinalizeEditorBase();

class TcxEditUnits {
public:
    TcxEditUnits();
    ~TcxEditUnits();
    TcxEditUnits(const TcxEditUnits&) = delete;
    TcxEditUnits& operator=(const TcxEditUnits&) = delete;
};

} // namespace toolkit::edit
