#include "toolkit/edit/edit_units.h"

#include "toolkit/edit/cx_edit_popup_window.h"
#include "toolkit/edit/cx_edit_style.h"

#include "toolkit/edit/cx_value_type_class_list.h"
#include "toolkit/edit/data_strings.h"
#include "toolkit/edit/desktop_composition.h"
#include "toolkit/edit/editor_registrations.h"
#include "toolkit/edit/editor_strings.h"
#include "toolkit/edit/ext_edit_strings.h"
#include "toolkit/edit/filter_control_strings.h"
#include "toolkit/edit/filter_strings.h"
#include "toolkit/edit/format_controller.h"
#include "toolkit/edit/library_strings.h"
#include "toolkit/edit/shell_folders.h"
#include "toolkit/edit/solid_brush_cache.h"

#include "platform/forms/screen.h"
#include "platform/win/panning_cursors.h"

namespace toolkit::edit {

namespace {

int EditorBaseReferenceCount = 0;
int UnitsReferenceCount = 0;

} // namespace

void InitializeEditorBase() {
    if (EditorBaseReferenceCount++ != 0) return;
    platform::forms::Screen().SetCursors(
        crcxEditMouseWheel, platform::win::LoadPanningCursor(platform::win::PanningCursor::Full));
    // The list of every properties object is a function-local static. Texts need no fetch
    // hook: every reader goes through cxGetResourceString, which asks the repository.
    cxCreateDefaultEditStyleController();
}

void FinalizeEditorBase() {
    if (EditorBaseReferenceCount == 0) return;
    if (--EditorBaseReferenceCount == 0) cxFreeDefaultEditStyleController();
}

TcxEditUnits::TcxEditUnits() {
    InitializeFilterStrings();
    InitializeFilterControlStrings();
    InitializeDataStrings();
    // Time stamps and BCD numbers travel in the platform's variant as dates and doubles (their
    // value types convert), so there is no custom variant type of theirs to create.
    InitializeSolidBrushCache();
    // The registry registers the family, in order, when it is first asked for.
    cxValueTypeClassList();
    InitDesktopWindowManagerBinding();
    // The container's unit: the popups' owner windows stand in for them.
    InitializeEditPopupWindowUnit();
    InitializeEditorStrings();
    InitializeLibraryStrings();
    InitializeEditorBase();
    InitializeTextEditUnit();
    InitializeComboBoxUnit();
    InitializePopupEditUnit();
    InitializeSpinEditUnit();
    InitializeCheckBoxUnit();
    InitializeMaskEditUnit();
    // The shell helper binds nothing here: the folders come from the platform's XDG folders.
    InitializeExtEditStrings();
    InitializeShellSpecialFolders();
    ++UnitsReferenceCount;
}

TcxEditUnits::~TcxEditUnits() {
    FinalizeShellSpecialFolders();
    FinalizeExtEditStrings();
    FinalizeMaskEditUnit();
    FinalizeCheckBoxUnit();
    FinalizeSpinEditUnit();
    FinalizePopupEditUnit();
    FinalizeComboBoxUnit();
    FinalizeTextEditUnit();
    FinalizeEditorBase();
    FinalizeLibraryStrings();
    FinalizeEditorStrings();
    FinalizeEditPopupWindowUnit();
    FreeDesktopWindowManagerBinding();
    FinalizeSolidBrushCache();
    FinalizeDataStrings();
    FinalizeFilterControlStrings();
    FinalizeFilterStrings();
    // The format controller's listeners are windows that are gone by now.
    if (--UnitsReferenceCount == 0) cxFreeFormatController();
}

} // namespace toolkit::edit
