#include "toolkit/edit/ext_edit_strings.h"

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

} // namespace

void AddExtEditResourceStringNames(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("scxSEditRepositoryColorComboBoxItem", &scxSEditRepositoryColorComboBoxItem);
    Product.Add("scxSEditRepositoryFontNameComboBoxItem", &scxSEditRepositoryFontNameComboBoxItem);
    Product.Add("scxSEditRepositoryLabelItem", &scxSEditRepositoryLabelItem);
    Product.Add("scxSEditRepositoryProgressBarItem", &scxSEditRepositoryProgressBarItem);
    Product.Add("scxSEditRepositoryTrackBarItem", &scxSEditRepositoryTrackBarItem);
    Product.Add("scxSEditRepositorySpinButtonItem", &scxSEditRepositorySpinButtonItem);
    Product.Add("scxSEditRepositoryCheckComboBox", &scxSEditRepositoryCheckComboBox);
    Product.Add("scxSEditRepositoryShellComboBoxItem", &scxSEditRepositoryShellComboBoxItem);
    Product.Add("scxSEditRepositoryCheckGroupItem", &scxSEditRepositoryCheckGroupItem);
    Product.Add("scxUDAssociated", &scxUDAssociated);
    Product.Add("scxHotZoneStyleMediaPlayer9", &scxHotZoneStyleMediaPlayer9);
    Product.Add("scxHotZoneStyleMediaPlayer8", &scxHotZoneStyleMediaPlayer8);
    Product.Add("scxHotZoneStyleXPTaskBar", &scxHotZoneStyleXPTaskBar);
    Product.Add("scxHotZoneStyleSimple", &scxHotZoneStyleSimple);
    Product.Add("scxLoadingFonts", &scxLoadingFonts);
    Product.Add("cxSEditCheckGroupCaptionStateDelimiter", &cxSEditCheckGroupCaptionStateDelimiter);
    Product.Add("cxSEditCheckGroupFilterColumnSeparator", &cxSEditCheckGroupFilterColumnSeparator);
    Product.Add("cxSEditCheckGroupChecked", &cxSEditCheckGroupChecked);
    Product.Add("cxSEditCheckGroupGrayed", &cxSEditCheckGroupGrayed);
    Product.Add("cxSEditCheckGroupUnchecked", &cxSEditCheckGroupUnchecked);
    Product.Add("cxSCheckComboBoxStatesItemsPropertyDlgCaption",
                &cxSCheckComboBoxStatesItemsPropertyDlgCaption);
    Product.Add("cxSCheckGroupStatesItemsPropertyDlgCaption",
                &cxSCheckGroupStatesItemsPropertyDlgCaption);
    Product.Add("cxSCheckComboBoxEmptySelectionText", &cxSCheckComboBoxEmptySelectionText);
    Product.Add("cxSColorComboBoxDefaultDescription", &cxSColorComboBoxDefaultDescription);
    Product.Add("cxSEditRichEditLibraryError", &cxSEditRichEditLibraryError);
    Product.Add("cxSEditRichEditLineInsertionError", &cxSEditRichEditLineInsertionError);
    Product.Add("cxSEditRichEditLoadFail", &cxSEditRichEditLoadFail);
    Product.Add("cxSEditRichEditSaveFail", &cxSEditRichEditSaveFail);
    Product.Add("cxSEditRichEditSelectionSaveFail", &cxSEditRichEditSelectionSaveFail);
    Product.Add("cxSEditRichEditOleInterfaceFail", &cxSEditRichEditOleInterfaceFail);
    Product.Add("cxSEditRichEditCallBackFail", &cxSEditRichEditCallBackFail);
    Product.Add("cxSEditRichEditLinkFail", &cxSEditRichEditLinkFail);
    Product.Add("scxSEditRepositoryRichEditItem", &scxSEditRepositoryRichEditItem);
    Product.Add("cxSEditRichEditUndoCaption", &cxSEditRichEditUndoCaption);
    Product.Add("cxSEditRichEditRedoCaption", &cxSEditRichEditRedoCaption);
    Product.Add("cxSEditRichEditCutCaption", &cxSEditRichEditCutCaption);
    Product.Add("cxSEditRichEditCopyCaption", &cxSEditRichEditCopyCaption);
    Product.Add("cxSEditRichEditPasteCaption", &cxSEditRichEditPasteCaption);
    Product.Add("cxSEditRichEditDeleteCaption", &cxSEditRichEditDeleteCaption);
    Product.Add("cxSEditRichEditSelectAllCaption", &cxSEditRichEditSelectAllCaption);
}

void InitializeExtEditStrings() {
    if (ReferenceCount++ == 0)
        toolkit::base::dxResourceStringsRepository().RegisterProduct(cxExtEditStringsGroup,
                                                                     AddExtEditResourceStringNames);
}

void FinalizeExtEditStrings() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0)
        toolkit::base::dxResourceStringsRepository().UnregisterProduct(cxExtEditStringsGroup);
}

} // namespace toolkit::edit
