#include "toolkit/edit/data_strings.h"

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

void AddStrings(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("cxSDataReadError", &cxSDataReadError);
    Product.Add("cxSDataWriteError", &cxSDataWriteError);
    Product.Add("cxSDataItemExistError", &cxSDataItemExistError);
    Product.Add("cxSDataRecordIndexError", &cxSDataRecordIndexError);
    Product.Add("cxSDataItemIndexError", &cxSDataItemIndexError);
    Product.Add("cxSDataProviderModeError", &cxSDataProviderModeError);
    Product.Add("cxSDataInvalidStreamFormat", &cxSDataInvalidStreamFormat);
    Product.Add("cxSDataRowIndexError", &cxSDataRowIndexError);
    Product.Add("cxSDataCustomDataSourceInvalidCompare", &cxSDataCustomDataSourceInvalidCompare);
    Product.Add("cxSDBDetailFilterControllerNotFound", &cxSDBDetailFilterControllerNotFound);
    Product.Add("cxSDBNotInGridMode", &cxSDBNotInGridMode);
    Product.Add("cxSDBKeyFieldNotFound", &cxSDBKeyFieldNotFound);
}

} // namespace

void InitializeDataStrings() {
    if (ReferenceCount++ == 0)
        toolkit::base::dxResourceStringsRepository().RegisterProduct(cxDataStringsGroup,
                                                                     AddStrings);
}

void FinalizeDataStrings() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0)
        toolkit::base::dxResourceStringsRepository().UnregisterProduct(cxDataStringsGroup);
}

} // namespace toolkit::edit
