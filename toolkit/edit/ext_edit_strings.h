#pragma once
// The extended editors' texts (colour and font combo boxes, labels, progress and track bars, check
// groups, the rich edit and its menu), as resource strings of their own group so that a
// localiser replaces any of them by name. The editors that read them come later; the texts
// stand ready. Two texts keep their spaces on purpose: they are put between other texts.

#include "toolkit/base/resource_strings.h"

namespace toolkit::edit {

inline constexpr toolkit::base::TResStringRec scxSEditRepositoryColorComboBoxItem{
    "ColorComboBox |Represents a editor with color functionality"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryFontNameComboBoxItem{
    "FontNameComboBox |Represents a editor with font functionality"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryLabelItem{
    "Label|Represents a Label"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryProgressBarItem{
    "ProgressBar|Represents a ProgressBar"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryTrackBarItem{
    "TrackBar|Represents a TrackBar"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositorySpinButtonItem{
    "SpinButton|Represents a SpinButton"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryCheckComboBox{
    "CheckComboBox|Represents a CheckComboBox"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryShellComboBoxItem{
    "ShellComboBox|Represents a combo box with a dropdown shell tree view"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryCheckGroupItem{
    "CheckGroup|Represents a group of check boxes"};
inline constexpr toolkit::base::TResStringRec scxUDAssociated{" is already associated with "};
inline constexpr toolkit::base::TResStringRec scxHotZoneStyleMediaPlayer9{"MediaPlayer9"};
inline constexpr toolkit::base::TResStringRec scxHotZoneStyleMediaPlayer8{"MediaPlayer8"};
inline constexpr toolkit::base::TResStringRec scxHotZoneStyleXPTaskBar{"XPTaskBar"};
inline constexpr toolkit::base::TResStringRec scxHotZoneStyleSimple{"Simple"};
inline constexpr toolkit::base::TResStringRec scxLoadingFonts{"Loading ..."};
inline constexpr toolkit::base::TResStringRec cxSEditCheckGroupCaptionStateDelimiter{": "};
inline constexpr toolkit::base::TResStringRec cxSEditCheckGroupFilterColumnSeparator{"; "};
inline constexpr toolkit::base::TResStringRec cxSEditCheckGroupChecked{"Checked"};
inline constexpr toolkit::base::TResStringRec cxSEditCheckGroupGrayed{"Grayed"};
inline constexpr toolkit::base::TResStringRec cxSEditCheckGroupUnchecked{"Unchecked"};
inline constexpr toolkit::base::TResStringRec cxSCheckComboBoxStatesItemsPropertyDlgCaption{
    "cxCheckComboBox - CheckStates editor"};
inline constexpr toolkit::base::TResStringRec cxSCheckGroupStatesItemsPropertyDlgCaption{
    "cxCheckGroup - CheckStates editor"};
inline constexpr toolkit::base::TResStringRec cxSCheckComboBoxEmptySelectionText{"None selected"};
inline constexpr toolkit::base::TResStringRec cxSColorComboBoxDefaultDescription{
    "Color not selected"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditLibraryError{
    "Cannot load a RichEdit library"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditLineInsertionError{
    "RichEdit line insertion error"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditLoadFail{"Failed to Load Stream"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditSaveFail{"Failed to Save Stream"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditSelectionSaveFail{
    "Failed to selection Save Stream"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditOleInterfaceFail{
    "RichEdit: failed to get IRichEditOle interface"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditCallBackFail{
    "RichEdit: failed to set callback"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditLinkFail{
    "RichEdit: cannot link to an invalid source"};
inline constexpr toolkit::base::TResStringRec scxSEditRepositoryRichEditItem{
    "RichEdit|RichEdit control"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditUndoCaption{"&Undo"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditRedoCaption{"&Redo"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditCutCaption{"Cu&t"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditCopyCaption{"&Copy"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditPasteCaption{"&Paste"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditDeleteCaption{"&Delete"};
inline constexpr toolkit::base::TResStringRec cxSEditRichEditSelectAllCaption{"Select &All"};

// The group under which the texts are registered.
inline constexpr const char* cxExtEditStringsGroup = "cxExtEdit";

// Adds the texts above by name, in this order.
void AddExtEditResourceStringNames(toolkit::base::TdxProductResourceStrings& Product);

// The first call registers the group; each call is matched by one FinalizeExtEditStrings, and
// the last of them unregisters it.
void InitializeExtEditStrings();
void FinalizeExtEditStrings();

} // namespace toolkit::edit
