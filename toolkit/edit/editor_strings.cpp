#include "toolkit/edit/editor_strings.h"

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

} // namespace

void AddEditorResourceStringNames(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("cxSEditButtonCancel", &cxSEditButtonCancel);
    Product.Add("cxSEditButtonOK", &cxSEditButtonOK);
    Product.Add("cxSEditDateConvertError", &cxSEditDateConvertError);
    Product.Add("cxSEditInvalidRepositoryItem", &cxSEditInvalidRepositoryItem);
    Product.Add("cxSEditNumericValueConvertError", &cxSEditNumericValueConvertError);
    Product.Add("cxSEditPopupCircularReferencingError", &cxSEditPopupCircularReferencingError);
    Product.Add("cxSEditPostError", &cxSEditPostError);
    Product.Add("cxSEditTimeConvertError", &cxSEditTimeConvertError);
    Product.Add("cxSEditValidateErrorText", &cxSEditValidateErrorText);
    Product.Add("cxSEditValueOutOfBounds", &cxSEditValueOutOfBounds);
    Product.Add("cxSEditCheckBoxChecked", &cxSEditCheckBoxChecked);
    Product.Add("cxSEditCheckBoxGrayed", &cxSEditCheckBoxGrayed);
    Product.Add("cxSEditCheckBoxUnchecked", &cxSEditCheckBoxUnchecked);
    Product.Add("cxSRadioGroupDefaultCaption", &cxSRadioGroupDefaultCaption);
    Product.Add("cxSTextTrue", &cxSTextTrue);
    Product.Add("cxSTextFalse", &cxSTextFalse);
    Product.Add("cxSBlobButtonOK", &cxSBlobButtonOK);
    Product.Add("cxSBlobButtonCancel", &cxSBlobButtonCancel);
    Product.Add("cxSBlobButtonClose", &cxSBlobButtonClose);
    Product.Add("cxSBlobMemo", &cxSBlobMemo);
    Product.Add("cxSBlobMemoEmpty", &cxSBlobMemoEmpty);
    Product.Add("cxSBlobPicture", &cxSBlobPicture);
    Product.Add("cxSBlobPictureEmpty", &cxSBlobPictureEmpty);
    Product.Add("cxSMenuItemCaptionCut", &cxSMenuItemCaptionCut);
    Product.Add("cxSMenuItemCaptionCopy", &cxSMenuItemCaptionCopy);
    Product.Add("cxSMenuItemCaptionPaste", &cxSMenuItemCaptionPaste);
    Product.Add("cxSMenuItemCaptionDelete", &cxSMenuItemCaptionDelete);
    Product.Add("cxSMenuItemCaptionLoad", &cxSMenuItemCaptionLoad);
    Product.Add("cxSMenuItemCaptionSave", &cxSMenuItemCaptionSave);
    Product.Add("cxSDatePopupClear", &cxSDatePopupClear);
    Product.Add("cxSDatePopupNow", &cxSDatePopupNow);
    Product.Add("cxSDatePopupOK", &cxSDatePopupOK);
    Product.Add("cxSDatePopupToday", &cxSDatePopupToday);
    Product.Add("cxSDateError", &cxSDateError);
    Product.Add("scxSCalcError", &scxSCalcError);
    Product.Add("scxSHyperLinkPrefix", &scxSHyperLinkPrefix);
    Product.Add("scxSHyperLinkDoubleSlash", &scxSHyperLinkDoubleSlash);
    Product.Add("cxNavigatorHint_First", &cxNavigatorHint_First);
    Product.Add("cxNavigatorHint_Prior", &cxNavigatorHint_Prior);
    Product.Add("cxNavigatorHint_PriorPage", &cxNavigatorHint_PriorPage);
    Product.Add("cxNavigatorHint_Next", &cxNavigatorHint_Next);
    Product.Add("cxNavigatorHint_NextPage", &cxNavigatorHint_NextPage);
    Product.Add("cxNavigatorHint_Last", &cxNavigatorHint_Last);
    Product.Add("cxNavigatorHint_Insert", &cxNavigatorHint_Insert);
    Product.Add("cxNavigatorHint_Append", &cxNavigatorHint_Append);
    Product.Add("cxNavigatorHint_Delete", &cxNavigatorHint_Delete);
    Product.Add("cxNavigatorHint_Edit", &cxNavigatorHint_Edit);
    Product.Add("cxNavigatorHint_Post", &cxNavigatorHint_Post);
    Product.Add("cxNavigatorHint_Cancel", &cxNavigatorHint_Cancel);
    Product.Add("cxNavigatorHint_Refresh", &cxNavigatorHint_Refresh);
    Product.Add("cxNavigatorHint_SaveBookmark", &cxNavigatorHint_SaveBookmark);
    Product.Add("cxNavigatorHint_GotoBookmark", &cxNavigatorHint_GotoBookmark);
    Product.Add("cxNavigatorHint_Filter", &cxNavigatorHint_Filter);
    Product.Add("cxNavigator_DeleteRecordQuestion", &cxNavigator_DeleteRecordQuestion);
    Product.Add("scxSEditRepositoryBlobItem", &scxSEditRepositoryBlobItem);
    Product.Add("scxSEditRepositoryButtonItem", &scxSEditRepositoryButtonItem);
    Product.Add("scxSEditRepositoryCalcItem", &scxSEditRepositoryCalcItem);
    Product.Add("scxSEditRepositoryCheckBoxItem", &scxSEditRepositoryCheckBoxItem);
    Product.Add("scxSEditRepositoryComboBoxItem", &scxSEditRepositoryComboBoxItem);
    Product.Add("scxSEditRepositoryCurrencyItem", &scxSEditRepositoryCurrencyItem);
    Product.Add("scxSEditRepositoryDateItem", &scxSEditRepositoryDateItem);
    Product.Add("scxSEditRepositoryHyperLinkItem", &scxSEditRepositoryHyperLinkItem);
    Product.Add("scxSEditRepositoryImageComboBoxItem", &scxSEditRepositoryImageComboBoxItem);
    Product.Add("scxSEditRepositoryImageItem", &scxSEditRepositoryImageItem);
    Product.Add("scxSEditRepositoryLookupComboBoxItem", &scxSEditRepositoryLookupComboBoxItem);
    Product.Add("scxSEditRepositoryMaskItem", &scxSEditRepositoryMaskItem);
    Product.Add("scxSEditRepositoryMemoItem", &scxSEditRepositoryMemoItem);
    Product.Add("scxSEditRepositoryMRUItem", &scxSEditRepositoryMRUItem);
    Product.Add("scxSEditRepositoryPopupItem", &scxSEditRepositoryPopupItem);
    Product.Add("scxSEditRepositorySpinItem", &scxSEditRepositorySpinItem);
    Product.Add("scxSEditRepositoryRadioGroupItem", &scxSEditRepositoryRadioGroupItem);
    Product.Add("scxSEditRepositoryTextItem", &scxSEditRepositoryTextItem);
    Product.Add("scxSEditRepositoryTimeItem", &scxSEditRepositoryTimeItem);
    AddEditResourceStringNames(Product);
    Product.Add("scxMaskEditRegExprError", &scxMaskEditRegExprError);
    Product.Add("scxMaskEditInvalidEditValue", &scxMaskEditInvalidEditValue);
    Product.Add("scxMaskEditNoMask", &scxMaskEditNoMask);
    Product.Add("scxMaskEditIllegalFileFormat", &scxMaskEditIllegalFileFormat);
    Product.Add("scxMaskEditEmptyMaskCollectionFile", &scxMaskEditEmptyMaskCollectionFile);
    Product.Add("scxMaskEditMaskCollectionFiles", &scxMaskEditMaskCollectionFiles);
}

void InitializeEditorStrings() {
    if (ReferenceCount++ == 0)
        toolkit::base::dxResourceStringsRepository().RegisterProduct(cxEditorStringsGroup,
                                                                     AddEditorResourceStringNames);
}

void FinalizeEditorStrings() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0)
        toolkit::base::dxResourceStringsRepository().UnregisterProduct(cxEditorStringsGroup);
}

} // namespace toolkit::edit
