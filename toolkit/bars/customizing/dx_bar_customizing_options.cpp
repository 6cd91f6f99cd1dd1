#include "toolkit/bars/customizing/dx_bar_customizing_options.h"

#include "toolkit/bars/customizing/dx_bar_customizing_form.h"
#include "toolkit/bars/model/dx_bar_manager.h"

#include "platform/forms/dialogs.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;
namespace pf = platform::forms;

namespace {

// In the order of TdxBarMenuAnimations.
const char* const kMenuAnimations[] = {"(None)", "Random", "Unfold", "Slide", "Fade"};

} // namespace

TdxBarCustomizingOptions::TdxBarCustomizingOptions(TdxBarCustomizingForm& Dialog)
    : FDialog(&Dialog) {
    pf::TTabSheet& Page = Dialog.OptionsPage();
    const auto AddPanel = [&] {
        auto& Panel = Dialog.Own<pf::TPanel>();
        Panel.SetParent(&Page);
        Panel.SetAlign(pf::alClient);
        Panel.BevelOuter = pf::bvNone;
        Panel.SetCaption("");
        return &Panel;
    };
    const auto AddCheck = [&](pf::TPanel* Panel, const char* Caption, int X, int Y) {
        auto& Box = Dialog.Own<pf::TCheckBox>();
        Box.SetParent(Panel);
        Box.SetBounds(X, Y, 320 - X, 17);
        Box.SetCaption(Caption);
        return &Box;
    };
    const auto AddLabel = [&](pf::TPanel* Panel, const char* Caption, int X, int Y) {
        auto& Label = Dialog.Own<pf::TLabel>();
        Label.SetParent(Panel);
        Label.SetLeft(X);
        Label.SetTop(Y);
        Label.SetCaption(Caption);
        return &Label;
    };
    // A section title with a line from its end to the panel's right.
    const auto AddSection = [&](pf::TPanel* Panel, const char* Caption, int Y) {
        pf::TLabel* Label = AddLabel(Panel, Caption, 8, Y);
        auto& Line = Dialog.Own<pf::TBevel>();
        Line.SetParent(Panel);
        Line.Shape = pf::bsTopLine;
        Line.SetBounds(Label->Left() + Label->Width(), Y + 7, 336 - Label->Left() - Label->Width(),
                       2);
    };
    // The combo starts 10 pixels after its label and is as wide as its widest entry plus 54.
    const auto AddAnimations = [&](pf::TPanel* Panel, int X, int Y) {
        pf::TLabel* Label = AddLabel(Panel, "&Menu animations:", X, Y + 4);
        auto& Combo = Dialog.Own<pf::TComboBox>();
        Combo.SetParent(Panel);
        Combo.Style = pf::csDropDownList;
        int Widest = 0;
        for (const char* Text : kMenuAnimations) {
            Combo.Items().Add(Text);
            Widest = std::max(Widest, pf::MeasureText(Dialog.Font(), Text).cx);
        }
        Combo.SetBounds(Label->Left() + Label->Width() + 10, Y, Widest + 54, 21);
        Label->SetFocusControl(&Combo);
        Combo.OnChange = [this, &Combo](pc::TObject*) { ComboBoxMenuAnimationsClick(Combo); };
        return &Combo;
    };

    FStandardOptionsPanel = AddPanel();
    FCBLargeIcons = AddCheck(FStandardOptionsPanel, "&Large icons", 8, 8);
    FCBHint1 = AddCheck(FStandardOptionsPanel, "Show Tool&Tips on toolbars", 8, 30);
    FCBHint2 = AddCheck(FStandardOptionsPanel, "Show s&hortcut keys in ToolTips", 24, 52);
    FComboBoxMenuAnimations = AddAnimations(FStandardOptionsPanel, 8, 80);

    FEnhancedOptionsPanel = AddPanel();
    AddSection(FEnhancedOptionsPanel, "Personalized Menus and Toolbars  ", 6);
    FCBMenusShowRecentItemsFirst =
        AddCheck(FEnhancedOptionsPanel, "Me&nus show recently used commands first", 16, 26);
    FCBShowFullMenusAfterDelay =
        AddCheck(FEnhancedOptionsPanel, "Show f&ull menus after a short delay", 32, 48);
    FBResetUsageData = &Dialog.Own<pf::TButton>();
    FBResetUsageData->SetParent(FEnhancedOptionsPanel);
    FBResetUsageData->SetBounds(16, 72, 130, 23);
    FBResetUsageData->SetCaption("&Reset my usage data");
    AddSection(FEnhancedOptionsPanel, "Other  ", 106);
    FCBLargeIconsEx = AddCheck(FEnhancedOptionsPanel, "&Large icons", 16, 126);
    FCBHint1Ex = AddCheck(FEnhancedOptionsPanel, "Show Tool&Tips on toolbars", 16, 148);
    FCBHint2Ex = AddCheck(FEnhancedOptionsPanel, "Show s&hortcut keys in ToolTips", 32, 170);
    FComboBoxMenuAnimationsEx = AddAnimations(FEnhancedOptionsPanel, 16, 196);

    FCBLargeIcons->OnClick = [this](pc::TObject*) { CBLargeIconsClick(*FCBLargeIcons); };
    FCBLargeIconsEx->OnClick = [this](pc::TObject*) { CBLargeIconsClick(*FCBLargeIconsEx); };
    FCBHint1->OnClick = [this](pc::TObject*) { CBHint1Click(); };
    FCBHint1Ex->OnClick = [this](pc::TObject*) { CBHint1ExClick(); };
    FCBHint2->OnClick = [this](pc::TObject*) { CBHint2Click(*FCBHint2); };
    FCBHint2Ex->OnClick = [this](pc::TObject*) { CBHint2Click(*FCBHint2Ex); };
    FCBMenusShowRecentItemsFirst->OnClick = [this](pc::TObject*) {
        CBMenusShowRecentItemsFirstClick();
    };
    FCBShowFullMenusAfterDelay->OnClick = [this](pc::TObject*) {
        CBShowFullMenusAfterDelayClick();
    };
    FBResetUsageData->OnClick = [this](pc::TObject*) { BResetUsageDataClick(); };
}

TdxBarManager& TdxBarCustomizingOptions::Manager() const {
    return FDialog->BarManager();
}

void TdxBarCustomizingOptions::Update() {
    TdxBarManager& M = Manager();
    FUpdating = true;
    const bool Standard = M.GetPaintStyle() == 0;
    FStandardOptionsPanel->SetVisible(Standard);
    FEnhancedOptionsPanel->SetVisible(!Standard);
    FCBMenusShowRecentItemsFirst->SetChecked(M.MenusShowRecentItemsFirst());
    FCBShowFullMenusAfterDelay->SetChecked(M.ShowFullMenusAfterDelay());
    FCBShowFullMenusAfterDelay->SetEnabled(FCBMenusShowRecentItemsFirst->Checked());
    for (pf::TCheckBox* Box : {FCBLargeIcons, FCBLargeIconsEx})
        Box->SetChecked(M.LargeIcons());
    for (pf::TCheckBox* Box : {FCBHint1, FCBHint1Ex})
        Box->SetChecked(M.ShowHint());
    for (pf::TCheckBox* Box : {FCBHint2, FCBHint2Ex})
        Box->SetChecked(M.ShowShortCutInHint());
    FCBHint2Ex->SetEnabled(FCBHint1Ex->Checked());
    for (pf::TComboBox* Combo : {FComboBoxMenuAnimations, FComboBoxMenuAnimationsEx})
        Combo->SetItemIndex(static_cast<int>(M.MenuAnimations()));
    FUpdating = false;
}

void TdxBarCustomizingOptions::CBMenusShowRecentItemsFirstClick() {
    FCBShowFullMenusAfterDelay->SetEnabled(FCBMenusShowRecentItemsFirst->Checked());
    if (FUpdating) return;
    Manager().SetMenusShowRecentItemsFirst(FCBMenusShowRecentItemsFirst->Checked());
}

void TdxBarCustomizingOptions::CBShowFullMenusAfterDelayClick() {
    if (FUpdating) return;
    Manager().SetShowFullMenusAfterDelay(FCBShowFullMenusAfterDelay->Checked());
}

void TdxBarCustomizingOptions::CBLargeIconsClick(pf::TCheckBox& Box) {
    if (FUpdating) return;
    // The manager's change reloads the page, and with it the other panel's box.
    Manager().SetLargeIcons(Box.Checked());
}

void TdxBarCustomizingOptions::CBHint1Click() {
    if (FUpdating) return;
    Manager().SetShowHint(FCBHint1->Checked());
    FUpdating = true;
    FCBHint1Ex->SetChecked(FCBHint1->Checked());
    FCBHint2Ex->SetEnabled(FCBHint1Ex->Checked());
    FUpdating = false;
}

void TdxBarCustomizingOptions::CBHint1ExClick() {
    FCBHint2Ex->SetEnabled(FCBHint1Ex->Checked());
    if (FUpdating) return;
    Manager().SetShowHint(FCBHint1Ex->Checked());
    FUpdating = true;
    FCBHint1->SetChecked(FCBHint1Ex->Checked());
    FUpdating = false;
}

void TdxBarCustomizingOptions::CBHint2Click(pf::TCheckBox& Box) {
    if (FUpdating) return;
    Manager().SetShowShortCutInHint(Box.Checked());
    FUpdating = true;
    for (pf::TCheckBox* Other : {FCBHint2, FCBHint2Ex})
        Other->SetChecked(Box.Checked());
    FUpdating = false;
}

void TdxBarCustomizingOptions::ComboBoxMenuAnimationsClick(pf::TComboBox& Combo) {
    if (FUpdating || Combo.ItemIndex() < 0) return;
    Manager().SetMenuAnimations(static_cast<TdxBarMenuAnimations>(Combo.ItemIndex()));
    for (pf::TComboBox* Other : {FComboBoxMenuAnimations, FComboBoxMenuAnimationsEx})
        Other->SetItemIndex(Combo.ItemIndex());
}

void TdxBarCustomizingOptions::BResetUsageDataClick() {
    Manager().ResetUsageDataWithConfirmation();
}

void UpdateCustomizingFormOptions() {
    if (TdxBarCustomizingForm* Dialog = GetCustomizingForm())
        if (TdxBarCustomizingOptions* Options = Dialog->Options()) Options->Update();
}

} // namespace toolkit::bars
