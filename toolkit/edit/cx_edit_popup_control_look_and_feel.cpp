#include "toolkit/edit/cx_edit_popup_control_look_and_feel.h"

namespace toolkit::edit {

namespace tb = toolkit::base;

TcxEditPopupControlLookAndFeel::TcxEditPopupControlLookAndFeel(TcxContainer& AEdit)
    : tb::TcxLookAndFeel(&AEdit), FEdit(AEdit) {
    // The base took the root's values while it was being made.
    Synchronize();
}

tb::TcxLookAndFeel& TcxEditPopupControlLookAndFeel::EditLookAndFeel() const {
    return FEdit.Style().LookAndFeel();
}

tb::TcxLookAndFeelKind TcxEditPopupControlLookAndFeel::GetKind() const {
    return EditLookAndFeel().GetKind();
}

bool TcxEditPopupControlLookAndFeel::GetNativeStyle() const {
    return EditLookAndFeel().GetNativeStyle();
}

std::string TcxEditPopupControlLookAndFeel::GetSkinName() const {
    return EditLookAndFeel().GetSkinName();
}

void TcxEditPopupControlLookAndFeel::Synchronize() {
    // Values assigned here would hold back the editor's: they are dropped, and what that moves
    // is sent at once.
    if (AssignedValues()) Reset();
    // The base's getters answer with the values taken at the last change.
    tb::TcxLookAndFeelValues Moved = 0;
    if (tb::TcxLookAndFeel::GetKind() != GetKind()) Moved |= tb::lfvKind;
    if (tb::TcxLookAndFeel::GetNativeStyle() != GetNativeStyle()) Moved |= tb::lfvNativeStyle;
    if (tb::TcxLookAndFeel::GetSkinName() != GetSkinName()) Moved |= tb::lfvSkinName;
    if (Moved) MasterLookAndFeelChanged(this, Moved);
}

} // namespace toolkit::edit
