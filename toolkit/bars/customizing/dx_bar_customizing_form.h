#pragma once
// The Customize dialog of a bar manager: a modeless dialog that exists while its manager
// customises at run time (one at a time, held by this unit). Showing it disables the forms of
// every live manager; the bars of those forms still take the mouse through the mouse hook
// (BarUnderCustomizingForm). Closing it ends customising and enables them again.
// The Toolbars page lists the bars with check boxes and makes, renames, deletes and resets
// them; the Commands page is dx_bar_customizing_commands.h's, the Options page
// dx_bar_customizing_options.h's.

#include "platform/forms/buttons.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"
#include "platform/win/hooks.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

class TdxBar;
class TdxBars;
class TdxBarCustomizingDesignPages;
class TdxBarManager;
class TdxBarCustomizingCommands;
class TdxBarCustomizingOptions;
class TdxBarCustomizingCommandsDesign;
class TdxBarCustomizingWheel;

// The toolbars list: one row per bar (text = caption), a check column as wide as a row is high
// before each row, checked when the bar is visible and greyed when it cannot be closed.
class TCheckListBox : public platform::forms::TListBox {
public:
    explicit TCheckListBox(platform::core::TComponent* Owner);

    TdxBar* Bars(int Index) const;
    int IndexOfBar(const TdxBar* Bar) const;
    void AddBar(TdxBar* Bar);
    void DeleteRow(int Index);
    // Flips the bar's Visible when it can be closed, else beeps.
    void Toggle(int Index);
    platform::gdi::TRect CheckRect(int Index) const;

protected:
    void DblClick() override;
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;
    void MouseDown(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                   int Y) override;
    void KeyDown(platform::forms::WORD& Key, platform::forms::TShiftState Shift) override;
    bool WantsKey(platform::forms::WORD Key) const override;

private:
    std::vector<TdxBar*> FBars;
};

enum TdxBarNameMode {
    nmNewToolbar,
    nmRenameToolbar,
    nmRenameCategory,
    nmNewCategory,
    nmInsertCategory
};
// Asks for a name; true with Name set on OK. Name comes in as the proposal; Bars (when given)
// are the toolbars whose names a toolbar's name must not take, Renamed the one being renamed.
using TdxBarNameQuery =
    std::function<bool(TdxBarNameMode Mode, std::string& Name, TdxBar* Renamed, TdxBars* Bars)>;
// The query the dialog asks with (the name dialog unless replaced); returns the previous one.
// An empty query restores the name dialog.
TdxBarNameQuery SetdxBarNameQuery(TdxBarNameQuery Query);
// Asks the current query.
bool dxBarAskName(TdxBarNameMode Mode, std::string& Name, TdxBar* Renamed, TdxBars* Bars);

class TdxBarCustomizingForm : public platform::forms::TForm {
public:
    // Use ShowCustomizingForm.
    TdxBarCustomizingForm(platform::core::TComponent* Owner, TdxBarManager& Manager);
    ~TdxBarCustomizingForm() override;

    TdxBarManager& BarManager() const { return *FBarManager; }
    platform::forms::TPageControl& PageControl() { return *FPageControl; }
    platform::forms::TTabSheet& ToolbarsPage() { return *FTabSheet1; }
    platform::forms::TTabSheet& CommandsPage() { return *FTabSheet2; }
    platform::forms::TTabSheet& OptionsPage() { return *FTabSheet3; }
    TCheckListBox& BarsListBox() { return *FBarsListBox; }
    platform::forms::TButton& BBarNew() { return *FBBarNew; }
    platform::forms::TButton& BBarRename() { return *FBBarRename; }
    platform::forms::TButton& BBarDelete() { return *FBBarDelete; }
    platform::forms::TButton& BBarReset() { return *FBBarReset; }
    platform::forms::TButton& BClose() { return *FBClose; }
    // Shown with the manager's ShowHelpButton, with its HelpButtonGlyph
    // (dx_bar_customizing_help_button.cpp).
    platform::forms::TBitBtn& BHelp() { return *FBHelp; }
    TdxBarCustomizingCommands& Commands() { return *FCommands; }
    // The All commands and Groups pages; nil at run time (dx_bar_customizing_design_pages.h).
    TdxBarCustomizingDesignPages* DesignPages() const { return FDesignPages.get(); }
    // The Options page (dx_bar_customizing_options.h).
    TdxBarCustomizingOptions* Options() const { return FOptions.get(); }
    // The Commands page's editing popups; nil at run time (dx_bar_customizing_commands_design.h).
    TdxBarCustomizingCommandsDesign* CommandsDesign() const { return FCommandsDesign.get(); }

    // The toolbars list's selection changed: the buttons follow it.
    void BarsListBoxClick();
    void BBarNewClick();
    void BBarRenameClick();
    void BBarDeleteClick();
    void BBarResetClick();
    // At run time: the manager's OnHelpButtonClick, then the application's help at the
    // manager's HelpContext when it is not 0.
    void BHelpClick();
    // BHelp follows the manager's ShowHelpButton and HelpButtonGlyph.
    void UpdateHelpButton();

    // ShowCustomizingForm's end: customising stops and the forms are enabled again.
    void Finish();
    bool Closing() const { return FClosing; }

protected:
    void CreateParams(TCreateParams& Params) override;
    // Its activation goes on to the edited form, whose frame so keeps looking active.
    void WndProc(platform::core::TMessage& Message) override;

private:
    friend void ShowCustomizingForm(TdxBarManager& Manager, bool Show);
    void BarsPageChanged();
    TdxBar* SelectedBar() const;

    TdxBarManager* FBarManager;
    platform::forms::TPageControl* FPageControl = nullptr;
    platform::forms::TTabSheet* FTabSheet1 = nullptr;
    platform::forms::TTabSheet* FTabSheet2 = nullptr;
    platform::forms::TTabSheet* FTabSheet3 = nullptr;
    platform::forms::TLabel* FLabelToolbars = nullptr;
    TCheckListBox* FBarsListBox = nullptr;
    platform::forms::TButton* FBBarNew = nullptr;
    platform::forms::TButton* FBBarRename = nullptr;
    platform::forms::TButton* FBBarDelete = nullptr;
    platform::forms::TButton* FBBarReset = nullptr;
    platform::forms::TButton* FBClose = nullptr;
    platform::forms::TBitBtn* FBHelp = nullptr;
    std::unique_ptr<TdxBarCustomizingCommands> FCommands;
    std::unique_ptr<TdxBarCustomizingOptions> FOptions;
    std::vector<platform::win::HWND> FDisabledWindows;
    bool FClosing = false;
    std::unique_ptr<TdxBarCustomizingDesignPages> FDesignPages;
    std::unique_ptr<TdxBarCustomizingCommandsDesign> FCommandsDesign;
    std::unique_ptr<TdxBarCustomizingWheel> FWheel;
};

// Show: when no dialog exists, OnShowCustomizingForm fires, the other forms are disabled and
// the dialog shows (modeless). Hide: unless it is already going, the forms are enabled again,
// the dialog goes and OnHideCustomizingForm fires. The manager's SetIsCustomizing calls it.
void ShowCustomizingForm(TdxBarManager& Manager, bool Show);
// The open dialog or nil.
TdxBarCustomizingForm* GetCustomizingForm();
// The edited form was shown or hidden (its WM_WINDOWPOSCHANGED): the open dialog of Manager
// is shown (without activation) or hidden with it.
void CustomizingFormFollowForm(TdxBarManager& Manager, const platform::win::WINDOWPOS& Pos);
// The toolbar's row takes its caption again and repaints its check.
void UpdateCustomizingBar(TdxBar* Bar);
// The toolbar's row goes.
void RemoveCustomizingBar(TdxBar* Bar);

// For the mouse hook: a mouse message (hit code HTERROR) on a form that the open dialog
// disabled belongs to the bar window under the point, which is asked for its hit code and
// cursor; null when none takes it. RedirectToBar then sends it there as a client message, the
// dialog coming forward.
platform::win::HWND BarUnderCustomizingForm(platform::win::UINT Message,
                                            const platform::win::MOUSEHOOKSTRUCT& Info);
void RedirectToBar(platform::win::HWND Target, platform::win::UINT Message,
                   const platform::win::MOUSEHOOKSTRUCT& Info);

} // namespace toolkit::bars
