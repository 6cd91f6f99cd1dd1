#pragma once
// The library group's texts: the registry and style-repository messages and the date words
// (toolkit/edit/date_strings.h) a date editor reads, so that a localiser replaces them by name.

#include "toolkit/edit/date_strings.h"

namespace toolkit::edit {

using toolkit::base::TResStringRec;

inline constexpr TResStringRec scxCantCreateRegistryKey{"Can't create the registry key: \\%s"};
inline constexpr TResStringRec scxCantOpenRegistryKey{"Can't open the registry key: \\%s"};
inline constexpr TResStringRec scxErrorStoreObject{"Error store %s object"};
inline constexpr TResStringRec scxConverterCantCreateStyleRepository{
    "Can't create the Style Repository"};

// The group under which the library strings are registered.
inline constexpr const char* cxLibraryStringsGroup = "Library";

// Adds the four texts above, then the date words "today" to "eom" in the date masks' order;
// "now" belongs to the date editor's own strings, not to this group.
void AddLibraryResourceStringNames(toolkit::base::TdxProductResourceStrings& Product);

// The first call registers the group; each call is matched by one FinalizeLibraryStrings, and
// the last of them unregisters it.
void InitializeLibraryStrings();
void FinalizeLibraryStrings();

} // namespace toolkit::edit
