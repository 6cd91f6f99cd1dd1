#pragma once
// The captions of the filter control (condition rows, their menus and its dialog), as resource
// strings of their own group so that an application can translate them by name. The filter
// control itself is not part of the program: only its texts and its editors' helpers are.

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

inline constexpr toolkit::base::TResStringRec cxSFilterBoolOperatorAnd{"AND"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoolOperatorOr{"OR"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoolOperatorNotAnd{"NOT AND"};
inline constexpr toolkit::base::TResStringRec cxSFilterBoolOperatorNotOr{"NOT OR"};
inline constexpr toolkit::base::TResStringRec cxSFilterRootButtonCaption{"Filter"};
inline constexpr toolkit::base::TResStringRec cxSFilterAddCondition{"Add &Condition"};
inline constexpr toolkit::base::TResStringRec cxSFilterAddGroup{"Add &Group"};
inline constexpr toolkit::base::TResStringRec cxSFilterRemoveRow{"&Remove Row"};
inline constexpr toolkit::base::TResStringRec cxSFilterClearAll{"Clear &All"};
inline constexpr toolkit::base::TResStringRec cxSFilterFooterAddCondition{
    "press the button to add a new condition"};
inline constexpr toolkit::base::TResStringRec cxSFilterGroupCaption{
    "applies to the following conditions"};
inline constexpr toolkit::base::TResStringRec cxSFilterRootGroupCaption{"<root>"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlNullString{"<empty>"};
inline constexpr toolkit::base::TResStringRec cxSFilterErrorBuilding{
    "Can't build filter from source"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogCaption{"Custom Filter"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogInvalidValue{"Invalid value"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogUse{"Use"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogSingleCharacter{
    "to represent any single character"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogCharactersSeries{
    "to represent any series of characters"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogOperationAnd{"AND"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogOperationOr{"OR"};
inline constexpr toolkit::base::TResStringRec cxSFilterDialogRows{"Show rows where:"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogCaption{"Filter builder"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogNewFile{"untitled.flt"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogOpenDialogCaption{
    "Open an existing filter"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogSaveDialogCaption{
    "Save the active filter to file"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogActionSaveCaption{
    "&Save As..."};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogActionOpenCaption{"&Open..."};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogActionApplyCaption{"&Apply"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogActionOkCaption{"OK"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogActionCancelCaption{"Cancel"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogFileExt{"flt"};
inline constexpr toolkit::base::TResStringRec cxSFilterControlDialogFileFilter{
    "Filters (*.flt)|*.flt"};

// The group under which the strings are registered.
inline constexpr const char* cxFilterControlStringsGroup = "FilterControl";
// The number of strings in the group.
inline constexpr int cxFilterControlStringCount = 33;

// The first call registers the group with every string above, in this order; each call is
// matched by one FinalizeFilterControlStrings, and the last of them unregisters the group.
void InitializeFilterControlStrings();
void FinalizeFilterControlStrings();

} // namespace toolkit::edit
