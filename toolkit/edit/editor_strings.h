#pragma once
// The editor group's texts besides the mask engines' (toolkit/edit/edit_strings.h): buttons,
// conversion and validation messages, check-box and menu captions, navigator hints and the
// repository items' names, as resource strings, so that a localiser replaces any of them by
// name. Two entries are empty on purpose: a grayed check box and a radio group have no text.

#include "toolkit/edit/edit_strings.h"

namespace toolkit::edit {

inline constexpr TResStringRec cxSEditButtonCancel{"Cancel"};
inline constexpr TResStringRec cxSEditButtonOK{"OK"};
inline constexpr TResStringRec cxSEditDateConvertError{"Could not convert to date"};
inline constexpr TResStringRec cxSEditInvalidRepositoryItem{
    "The repository item is not acceptable"};
inline constexpr TResStringRec cxSEditNumericValueConvertError{
    "Could not convert to numeric value"};
inline constexpr TResStringRec cxSEditPopupCircularReferencingError{
    "Circular referencing is not allowed"};
inline constexpr TResStringRec cxSEditPostError{"An error occured during posting edit value"};
inline constexpr TResStringRec cxSEditTimeConvertError{"Could not convert to time"};
inline constexpr TResStringRec cxSEditValidateErrorText{
    "Invalid input value. Use escape key to abandon changes"};
inline constexpr TResStringRec cxSEditValueOutOfBounds{"Value out of bounds"};
inline constexpr TResStringRec cxSEditCheckBoxChecked{"True"};
inline constexpr TResStringRec cxSEditCheckBoxGrayed{""};
inline constexpr TResStringRec cxSEditCheckBoxUnchecked{"False"};
inline constexpr TResStringRec cxSRadioGroupDefaultCaption{""};
inline constexpr TResStringRec cxSTextTrue{"True"};
inline constexpr TResStringRec cxSTextFalse{"False"};
inline constexpr TResStringRec cxSBlobButtonOK{"&OK"};
inline constexpr TResStringRec cxSBlobButtonCancel{"&Cancel"};
inline constexpr TResStringRec cxSBlobButtonClose{"&Close"};
inline constexpr TResStringRec cxSBlobMemo{"(MEMO)"};
inline constexpr TResStringRec cxSBlobMemoEmpty{"(memo)"};
inline constexpr TResStringRec cxSBlobPicture{"(PICTURE)"};
inline constexpr TResStringRec cxSBlobPictureEmpty{"(picture)"};
inline constexpr TResStringRec cxSMenuItemCaptionCut{"Cu&t"};
inline constexpr TResStringRec cxSMenuItemCaptionCopy{"&Copy"};
inline constexpr TResStringRec cxSMenuItemCaptionPaste{"&Paste"};
inline constexpr TResStringRec cxSMenuItemCaptionDelete{"&Delete"};
inline constexpr TResStringRec cxSMenuItemCaptionLoad{"&Load..."};
inline constexpr TResStringRec cxSMenuItemCaptionSave{"Save &As..."};
inline constexpr TResStringRec cxSDatePopupClear{"Clear"};
inline constexpr TResStringRec cxSDatePopupNow{"Now"};
inline constexpr TResStringRec cxSDatePopupOK{"OK"};
inline constexpr TResStringRec cxSDatePopupToday{"Today"};
inline constexpr TResStringRec cxSDateError{"Invalid Date"};
inline constexpr TResStringRec scxSCalcError{"Error"};
inline constexpr TResStringRec scxSHyperLinkPrefix{"http://"};
inline constexpr TResStringRec scxSHyperLinkDoubleSlash{"//"};
inline constexpr TResStringRec cxNavigatorHint_First{"First record"};
inline constexpr TResStringRec cxNavigatorHint_Prior{"Prior record"};
inline constexpr TResStringRec cxNavigatorHint_PriorPage{"Prior page"};
inline constexpr TResStringRec cxNavigatorHint_Next{"Next record"};
inline constexpr TResStringRec cxNavigatorHint_NextPage{"Next page"};
inline constexpr TResStringRec cxNavigatorHint_Last{"Last record"};
inline constexpr TResStringRec cxNavigatorHint_Insert{"Insert record"};
inline constexpr TResStringRec cxNavigatorHint_Append{"Append record"};
inline constexpr TResStringRec cxNavigatorHint_Delete{"Delete record"};
inline constexpr TResStringRec cxNavigatorHint_Edit{"Edit record"};
inline constexpr TResStringRec cxNavigatorHint_Post{"Post edit"};
inline constexpr TResStringRec cxNavigatorHint_Cancel{"Cancel edit"};
inline constexpr TResStringRec cxNavigatorHint_Refresh{"Refresh data"};
inline constexpr TResStringRec cxNavigatorHint_SaveBookmark{"Save Bookmark"};
inline constexpr TResStringRec cxNavigatorHint_GotoBookmark{"Goto Bookmark"};
inline constexpr TResStringRec cxNavigatorHint_Filter{"Filter data"};
inline constexpr TResStringRec cxNavigator_DeleteRecordQuestion{"Delete record?"};
inline constexpr TResStringRec scxSEditRepositoryBlobItem{"BlobEdit|Represents the BLOB editor"};
inline constexpr TResStringRec scxSEditRepositoryButtonItem{
    "ButtonEdit|Represents an edit control with embedded buttons"};
inline constexpr TResStringRec scxSEditRepositoryCalcItem{
    "CalcEdit|Represents an edit control with a dropdown calculator window"};
inline constexpr TResStringRec scxSEditRepositoryCheckBoxItem{
    "CheckBox|Represents a check box control that allows selecting an option"};
inline constexpr TResStringRec scxSEditRepositoryComboBoxItem{
    "ComboBox|Represents the combo box editor"};
inline constexpr TResStringRec scxSEditRepositoryCurrencyItem{
    "CurrencyEdit|Represents an editor enabling editing currency data"};
inline constexpr TResStringRec scxSEditRepositoryDateItem{
    "DateEdit|Represents an edit control with a dropdown calendar"};
inline constexpr TResStringRec scxSEditRepositoryHyperLinkItem{
    "HyperLink|Represents a text editor with hyperlink functionality"};
inline constexpr TResStringRec scxSEditRepositoryImageComboBoxItem{
    "ImageComboBox|Represents an editor displaying the list of images and text strings within the "
    "dropdown window"};
inline constexpr TResStringRec scxSEditRepositoryImageItem{"Image|Represents an image editor"};
inline constexpr TResStringRec scxSEditRepositoryLookupComboBoxItem{
    "LookupComboBox|Represents a lookup combo box control"};
inline constexpr TResStringRec scxSEditRepositoryMaskItem{
    "MaskEdit|Represents a generic masked edit control."};
inline constexpr TResStringRec scxSEditRepositoryMemoItem{
    "Memo|Represents an edit control that allows editing memo data"};
inline constexpr TResStringRec scxSEditRepositoryMRUItem{
    "MRUEdit|Represents a text editor displaying the list of most recently used items (MRU) within "
    "a dropdown window"};
inline constexpr TResStringRec scxSEditRepositoryPopupItem{
    "PopupEdit|Represents an edit control with a dropdown list"};
inline constexpr TResStringRec scxSEditRepositorySpinItem{"SpinEdit|Represents a spin editor"};
inline constexpr TResStringRec scxSEditRepositoryRadioGroupItem{
    "RadioGroup|Represents a group of radio buttons"};
inline constexpr TResStringRec scxSEditRepositoryTextItem{
    "TextEdit|Represents a single line text editor"};
inline constexpr TResStringRec scxSEditRepositoryTimeItem{
    "TimeEdit|Represents an editor displaying time values"};

inline constexpr TResStringRec scxMaskEditRegExprError{"Regular expression errors:"};
inline constexpr TResStringRec scxMaskEditInvalidEditValue{"The edit value is invalid"};
inline constexpr TResStringRec scxMaskEditNoMask{"None"};
inline constexpr TResStringRec scxMaskEditIllegalFileFormat{"Illegal file format"};
inline constexpr TResStringRec scxMaskEditEmptyMaskCollectionFile{
    "The mask collection file is empty"};
inline constexpr TResStringRec scxMaskEditMaskCollectionFiles{"Mask collection files"};

// The group under which the editor strings are registered.
inline constexpr const char* cxEditorStringsGroup = "Editors";

// Adds the whole group by name, in registration order: the texts above, with the mask
// engines' texts before the masked edit's.
void AddEditorResourceStringNames(toolkit::base::TdxProductResourceStrings& Product);

// The first call registers the group; each call is matched by one FinalizeEditorStrings, and
// the last of them unregisters it.
void InitializeEditorStrings();
void FinalizeEditorStrings();

} // namespace toolkit::edit
