#include "toolkit/edit/filter_control_strings.h"

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

void AddStrings(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("cxSFilterBoolOperatorAnd", &cxSFilterBoolOperatorAnd);
    Product.Add("cxSFilterBoolOperatorOr", &cxSFilterBoolOperatorOr);
    Product.Add("cxSFilterBoolOperatorNotAnd", &cxSFilterBoolOperatorNotAnd);
    Product.Add("cxSFilterBoolOperatorNotOr", &cxSFilterBoolOperatorNotOr);
    Product.Add("cxSFilterRootButtonCaption", &cxSFilterRootButtonCaption);
    Product.Add("cxSFilterAddCondition", &cxSFilterAddCondition);
    Product.Add("cxSFilterAddGroup", &cxSFilterAddGroup);
    Product.Add("cxSFilterRemoveRow", &cxSFilterRemoveRow);
    Product.Add("cxSFilterClearAll", &cxSFilterClearAll);
    Product.Add("cxSFilterFooterAddCondition", &cxSFilterFooterAddCondition);
    Product.Add("cxSFilterGroupCaption", &cxSFilterGroupCaption);
    Product.Add("cxSFilterRootGroupCaption", &cxSFilterRootGroupCaption);
    Product.Add("cxSFilterControlNullString", &cxSFilterControlNullString);
    Product.Add("cxSFilterErrorBuilding", &cxSFilterErrorBuilding);
    Product.Add("cxSFilterDialogCaption", &cxSFilterDialogCaption);
    Product.Add("cxSFilterDialogInvalidValue", &cxSFilterDialogInvalidValue);
    Product.Add("cxSFilterDialogUse", &cxSFilterDialogUse);
    Product.Add("cxSFilterDialogSingleCharacter", &cxSFilterDialogSingleCharacter);
    Product.Add("cxSFilterDialogCharactersSeries", &cxSFilterDialogCharactersSeries);
    Product.Add("cxSFilterDialogOperationAnd", &cxSFilterDialogOperationAnd);
    Product.Add("cxSFilterDialogOperationOr", &cxSFilterDialogOperationOr);
    Product.Add("cxSFilterDialogRows", &cxSFilterDialogRows);
    Product.Add("cxSFilterControlDialogCaption", &cxSFilterControlDialogCaption);
    Product.Add("cxSFilterControlDialogNewFile", &cxSFilterControlDialogNewFile);
    Product.Add("cxSFilterControlDialogOpenDialogCaption",
                &cxSFilterControlDialogOpenDialogCaption);
    Product.Add("cxSFilterControlDialogSaveDialogCaption",
                &cxSFilterControlDialogSaveDialogCaption);
    Product.Add("cxSFilterControlDialogActionSaveCaption",
                &cxSFilterControlDialogActionSaveCaption);
    Product.Add("cxSFilterControlDialogActionOpenCaption",
                &cxSFilterControlDialogActionOpenCaption);
    Product.Add("cxSFilterControlDialogActionApplyCaption",
                &cxSFilterControlDialogActionApplyCaption);
    Product.Add("cxSFilterControlDialogActionOkCaption", &cxSFilterControlDialogActionOkCaption);
    Product.Add("cxSFilterControlDialogActionCancelCaption",
                &cxSFilterControlDialogActionCancelCaption);
    Product.Add("cxSFilterControlDialogFileExt", &cxSFilterControlDialogFileExt);
    Product.Add("cxSFilterControlDialogFileFilter", &cxSFilterControlDialogFileFilter);
}

} // namespace

void InitializeFilterControlStrings() {
    if (ReferenceCount++ == 0)
        toolkit::base::dxResourceStringsRepository().RegisterProduct(cxFilterControlStringsGroup,
                                                                     AddStrings);
}

void FinalizeFilterControlStrings() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0)
        toolkit::base::dxResourceStringsRepository().UnregisterProduct(cxFilterControlStringsGroup);
}

} // namespace toolkit::edit
