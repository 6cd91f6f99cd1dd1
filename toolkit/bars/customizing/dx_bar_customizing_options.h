#pragma once
// The Options page of the Customize dialog: a standard panel for the standard paint style and
// an enhanced one (personalised menus, usage data reset) for every other. Each box and combo
// writes straight into the edited manager; Update reads the manager back.

#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

namespace toolkit::bars {

class TdxBarCustomizingForm;
class TdxBarManager;

class TdxBarCustomizingOptions {
public:
    // Fills the dialog's Options sheet; the controls belong to the dialog.
    explicit TdxBarCustomizingOptions(TdxBarCustomizingForm& Dialog);

    // UpdateCustomizingFormOptions: the panel of the effective paint style shows, every box and
    // combo takes the manager's value and the dependent boxes their enabled state.
    void Update();

    platform::forms::TPanel& StandardOptionsPanel() { return *FStandardOptionsPanel; }
    platform::forms::TPanel& EnhancedOptionsPanel() { return *FEnhancedOptionsPanel; }
    platform::forms::TCheckBox& CBLargeIcons() { return *FCBLargeIcons; }
    platform::forms::TCheckBox& CBHint1() { return *FCBHint1; }
    platform::forms::TCheckBox& CBHint2() { return *FCBHint2; }
    platform::forms::TComboBox& ComboBoxMenuAnimations() { return *FComboBoxMenuAnimations; }
    platform::forms::TCheckBox& CBMenusShowRecentItemsFirst() {
        return *FCBMenusShowRecentItemsFirst;
    }
    platform::forms::TCheckBox& CBShowFullMenusAfterDelay() { return *FCBShowFullMenusAfterDelay; }
    platform::forms::TButton& BResetUsageData() { return *FBResetUsageData; }
    platform::forms::TCheckBox& CBLargeIconsEx() { return *FCBLargeIconsEx; }
    platform::forms::TCheckBox& CBHint1Ex() { return *FCBHint1Ex; }
    platform::forms::TCheckBox& CBHint2Ex() { return *FCBHint2Ex; }
    platform::forms::TComboBox& ComboBoxMenuAnimationsEx() { return *FComboBoxMenuAnimationsEx; }

private:
    void CBMenusShowRecentItemsFirstClick();
    void CBShowFullMenusAfterDelayClick();
    void CBLargeIconsClick(platform::forms::TCheckBox& Box);
    void CBHint1Click();
    void CBHint1ExClick();
    void CBHint2Click(platform::forms::TCheckBox& Box);
    void ComboBoxMenuAnimationsClick(platform::forms::TComboBox& Combo);
    void BResetUsageDataClick();

    TdxBarManager& Manager() const;

    TdxBarCustomizingForm* FDialog;
    // Set while Update writes the boxes: their OnClick must not write back.
    bool FUpdating = false;
    platform::forms::TPanel* FStandardOptionsPanel = nullptr;
    platform::forms::TPanel* FEnhancedOptionsPanel = nullptr;
    platform::forms::TCheckBox* FCBLargeIcons = nullptr;
    platform::forms::TCheckBox* FCBHint1 = nullptr;
    platform::forms::TCheckBox* FCBHint2 = nullptr;
    platform::forms::TComboBox* FComboBoxMenuAnimations = nullptr;
    platform::forms::TCheckBox* FCBMenusShowRecentItemsFirst = nullptr;
    platform::forms::TCheckBox* FCBShowFullMenusAfterDelay = nullptr;
    platform::forms::TButton* FBResetUsageData = nullptr;
    platform::forms::TCheckBox* FCBLargeIconsEx = nullptr;
    platform::forms::TCheckBox* FCBHint1Ex = nullptr;
    platform::forms::TCheckBox* FCBHint2Ex = nullptr;
    platform::forms::TComboBox* FComboBoxMenuAnimationsEx = nullptr;
};

// Reloads the open dialog's Options page; nothing when no dialog is open.
void UpdateCustomizingFormOptions();

} // namespace toolkit::bars
