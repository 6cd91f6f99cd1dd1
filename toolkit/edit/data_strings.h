#pragma once
// The messages of the data-controller layer (stream errors among them), as resource strings
// of their own group.

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

inline constexpr toolkit::base::TResStringRec cxSDataReadError{"Stream read error"};
inline constexpr toolkit::base::TResStringRec cxSDataWriteError{"Stream write error"};
inline constexpr toolkit::base::TResStringRec cxSDataItemExistError{"Item already exists"};
inline constexpr toolkit::base::TResStringRec cxSDataRecordIndexError{"RecordIndex out of range"};
inline constexpr toolkit::base::TResStringRec cxSDataItemIndexError{"ItemIndex out of range"};
inline constexpr toolkit::base::TResStringRec cxSDataProviderModeError{
    "This operation is not supported in provider mode"};
inline constexpr toolkit::base::TResStringRec cxSDataInvalidStreamFormat{"Invalid stream format"};
inline constexpr toolkit::base::TResStringRec cxSDataRowIndexError{"RowIndex out of range"};
inline constexpr toolkit::base::TResStringRec cxSDataCustomDataSourceInvalidCompare{
    "GetInfoForCompare not implemented"};
inline constexpr toolkit::base::TResStringRec cxSDBDetailFilterControllerNotFound{
    "DetailFilterController not found"};
inline constexpr toolkit::base::TResStringRec cxSDBNotInGridMode{"DataController not in GridMode"};
inline constexpr toolkit::base::TResStringRec cxSDBKeyFieldNotFound{"Key Field not found"};

// The group under which the strings are registered.
inline constexpr const char* cxDataStringsGroup = "Data Controller";

// The first call registers the group with every string above, in this order; each call is
// matched by one FinalizeDataStrings, and the last of them unregisters the group.
void InitializeDataStrings();
void FinalizeDataStrings();

} // namespace toolkit::edit
