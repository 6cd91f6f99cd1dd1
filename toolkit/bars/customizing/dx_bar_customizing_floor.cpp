// The customizing floor at its start-up: it installs itself as what the floors below ask of
// customizing (dx_bar_customizing_services.h), each request handed to the dialog, the
// customising popup or the sub-menu editor.

#include "toolkit/bars/model/dx_bar_customizing_services.h"

#include "toolkit/bars/customizing/dx_bar_customizing_commands.h"
#include "toolkit/bars/customizing/dx_bar_customizing_commands_design.h"
#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/customizing/dx_bar_customizing_options.h"
#include "toolkit/bars/customizing/dx_bar_customizing_popup.h"
#include "toolkit/bars/customizing/dx_bar_customizing_refresh.h"
#include "toolkit/bars/customizing/dx_bar_sub_menu_editor.h"

namespace toolkit::bars {

namespace {

namespace pw = platform::win;

class TdxBarCustomizingFloor final : public TdxBarCustomizingServices {
public:
    void ShowCustomizingForm(TdxBarManager& Manager, bool Show) override {
        toolkit::bars::ShowCustomizingForm(Manager, Show);
    }
    bool IsCustomizingForm(const platform::forms::TCustomForm* Form) const override {
        return Form != nullptr && Form == GetCustomizingForm();
    }
    TdxBarManager* CustomizingManager() const override {
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        return Dialog ? &Dialog->BarManager() : nullptr;
    }
    void CustomizingFormFollowForm(TdxBarManager& Manager, const pw::WINDOWPOS& Pos) override {
        toolkit::bars::CustomizingFormFollowForm(Manager, Pos);
    }
    void RefreshCustomizingForm() override { toolkit::bars::RefreshCustomizingForm(); }
    void UpdateCustomizingFormOptions() override { toolkit::bars::UpdateCustomizingFormOptions(); }
    void UpdateCustomizingFormHelpButton() override {
        toolkit::bars::UpdateCustomizingFormHelpButton();
    }
    void CustomizingBarItemDeleted() override { toolkit::bars::CustomizingBarItemDeleted(); }
    void UpdateCustomizingBarGroups() override { toolkit::bars::UpdateCustomizingBarGroups(); }
    void UpdateCustomizingAllCommands() override { toolkit::bars::UpdateCustomizingAllCommands(); }
    void UpdateCustomizingGroupItems() override { toolkit::bars::UpdateCustomizingGroupItems(); }
    void UpdateCustomizingBarItems() override { toolkit::bars::UpdateCustomizingBarItems(); }
    void UpdateCustomizingBarItemCategory(TdxBarItem* Item) override {
        toolkit::bars::UpdateCustomizingBarItemCategory(Item);
    }
    void SelectCustomizingBarItem(TdxBarItem* Item, bool Force) override {
        toolkit::bars::SelectCustomizingBarItem(Item, Force);
    }
    bool CommandListAt(TdxBarManager& Manager, platform::gdi::TPoint Screen) override {
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        return Dialog && &Dialog->BarManager() == &Manager && Dialog->Commands().ListAt(Screen);
    }
    void DropOnCommandList(TdxBarManager& Manager, TdxBarItem& Item) override {
        TdxBarCustomizingForm* Dialog = GetCustomizingForm();
        if (Dialog && &Dialog->BarManager() == &Manager) Dialog->Commands().DropCommand(Item);
    }
    void UpdateCustomizingBar(TdxBar* Bar) override { toolkit::bars::UpdateCustomizingBar(Bar); }
    void RemoveCustomizingBar(TdxBar* Bar) override { toolkit::bars::RemoveCustomizingBar(Bar); }
    pw::HWND BarUnderCustomizingForm(pw::UINT Message, const pw::MOUSEHOOKSTRUCT& Info) override {
        return toolkit::bars::BarUnderCustomizingForm(Message, Info);
    }
    void RedirectToBar(pw::HWND Target, pw::UINT Message,
                       const pw::MOUSEHOOKSTRUCT& Info) override {
        toolkit::bars::RedirectToBar(Target, Message, Info);
    }
    void ShowCustomizingPopup(TdxBarManager& Manager, TdxBarItemLink* Link, TdxBarItemLinks* Links,
                              platform::gdi::TPoint Point) override {
        TdxBarCustomizingPopup::ShowAt(Manager, Link, Links, Point);
    }
    bool AddingItem() const override { return TdxBarCustomizingPopup::Adding(); }
    TdxBarSubMenuControl* SubMenuEditorMenu() const override {
        TdxBarSubMenuEditor* Editor = GetSubMenuEditor();
        return Editor ? Editor->SubMenuControl() : nullptr;
    }
};

// Installed for as long as the program runs.
struct TInstallation {
    TdxBarCustomizingFloor Floor;
    TInstallation() { SetdxBarCustomizingServices(&Floor); }
    ~TInstallation() {
        if (&dxBarCustomizingServices() == &Floor) SetdxBarCustomizingServices(nullptr);
    }
    TInstallation(const TInstallation&) = delete;
    TInstallation& operator=(const TInstallation&) = delete;
} Installation;

} // namespace

} // namespace toolkit::bars
