// The Customize dialog's help button: the edited manager decides whether it shows, what it
// shows and where its help goes.

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/forms/application.h"

namespace toolkit::bars {

void TdxBarCustomizingForm::UpdateHelpButton() {
    if (FBHelp == nullptr) return;
    FBHelp->Glyph().Assign(FBarManager->HelpButtonGlyph());
    FBHelp->SetVisible(FBarManager->ShowHelpButton());
    FBHelp->Invalidate();
}

void TdxBarCustomizingForm::BHelpClick() {
    if (FBarManager->IsDesigning()) return;
    // Both may happen: the program's own handler, then the help file's page.
    FBarManager->DoHelpButtonClick();
    if (FBarManager->HelpContext != 0)
        platform::forms::Application().HelpContext(FBarManager->HelpContext);
}

} // namespace toolkit::bars
