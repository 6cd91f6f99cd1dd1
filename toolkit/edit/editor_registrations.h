#pragma once
// What each editor unit registers when the program starts: its properties class, under its
// description, in the registry of edit properties, and its filter helper with the filter edits
// controller. The table names every editor; an editor's own unit calls
// cxRegisterEditProperties with its class as it starts, so a class that is not built yet is
// simply not registered.
//
// The text edit unit's start also registers the window message by which an editor asks itself
// to redraw its misspellings (WM_REDRAWMISSPELLS), whether or not a text edit exists yet.

#include "toolkit/base/registered_classes.h"
#include "toolkit/base/resource_strings.h"

#include <array>
#include <string>

namespace toolkit::edit {

struct TcxEditorRegistration {
    // The properties class's name.
    const char* PropertiesClassName;
    // The editor's short name, "|", its description.
    const toolkit::base::TResStringRec* Description;
    // The filter helper's class name; nullptr when the editor has none of its own.
    const char* FilterHelperClassName;
};

inline constexpr int cxEditorRegistrationCount = 6;

// The text edit, the masked edit, the combo box, the popup edit, the spin edit, the check box.
extern const std::array<TcxEditorRegistration, cxEditorRegistrationCount> cxEditorRegistrations;

// The row of the properties class named ClassName; nullptr when no row names it.
const TcxEditorRegistration* cxFindEditorRegistration(const std::string& ClassName);

// Registers Class in the registry of edit properties (GetRegisteredEditProperties) under the
// description of its row; false for a class without a row.
bool cxRegisterEditProperties(const platform::core::TClass& Class);
// Registers Class in Registry under the description of its row (its current text, so that a
// localiser's replacement counts); a class without a row is not registered. False then.
bool cxRegisterEditProperties(toolkit::base::TcxRegisteredClasses& Registry,
                              const platform::core::TClass& Class);

// The message number registered under "WM_REDRAWMISSPELLS"; 0 before the text edit unit's
// start.
unsigned cxRedrawMisspellsMessage();

// The text edit unit's start and end; each start is matched by one end. The start also registers
// the text edit's filter helper, which the end unregisters.
void InitializeTextEditUnit();
void FinalizeTextEditUnit();
// The combo box unit's start (registers its properties and its filter helper) and end
// (unregisters the helper).
void InitializeComboBoxUnit();
void FinalizeComboBoxUnit();
// The popup edit unit's start (registers its properties) and end.
void InitializePopupEditUnit();
void FinalizePopupEditUnit();
// The spin edit unit's start (registers its properties and its filter helper) and end
// (unregisters the helper).
void InitializeSpinEditUnit();
void FinalizeSpinEditUnit();
// The check box unit's start: registers its properties and reads the system's check-box strip
// into the mask bitmap (cxCheckBoxMaskBitmap), and registers its filter helper; its end
// unregisters the helper and frees the bitmap.
void InitializeCheckBoxUnit();
void FinalizeCheckBoxUnit();
// The masked edit unit's start (registers its properties and its filter helper) and end
// (unregisters the helper).
void InitializeMaskEditUnit();
void FinalizeMaskEditUnit();

} // namespace toolkit::edit
