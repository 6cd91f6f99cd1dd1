#pragma once
// The two pages the Customize dialog adds in design mode: All commands (every item with its
// name, caption and shortcut; a click selects it in the form designer) and Groups (the
// manager's item groups and their members, edited with the add-group-items dialog). Neither
// exists at run time.
//
// "Show commands that may have a shortcut" keeps the items whose class publishes ShortCut:
// the button item and its descendants. Sub-items, edits, combos, lists and containers have
// their shortcut only as the base class's field.

#include "platform/forms/comctrls.h"
#include "platform/forms/std_ctrls.h"

#include <vector>

namespace toolkit::bars {

class TdxBarCustomizingForm;
class TdxBarGroup;
class TdxBarItem;
class TdxBarManager;

// True for the items whose class publishes ShortCut.
bool dxBarItemPublishesShortCut(const TdxBarItem* Item);

// Name, caption and shortcut of each item in three columns parted by vertical lines that run
// on to the bottom of the list.
class TdxBarAllCommandsList : public platform::forms::TListBox {
public:
    explicit TdxBarAllCommandsList(platform::core::TComponent* AOwner);

    void SetEntries(std::vector<TdxBarItem*> Entries);
    TdxBarItem* Entries(int Index) const;
    int IndexOfEntry(const TdxBarItem* Item) const;
    // The widest name, caption and shortcut text.
    int ColumnWidths[3] = {0, 0, 0};
    // The x of the two lines.
    int FirstLine() const;
    int SecondLine() const;

protected:
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;
    void Paint() override;

private:
    std::vector<TdxBarItem*> FEntries;
};

// Groups in bold, items plain; rows as high as "Qq" plus 2.
class TdxBarGroupList : public platform::forms::TListBox {
public:
    explicit TdxBarGroupList(platform::core::TComponent* AOwner);

    void SetEntries(std::vector<platform::core::TComponent*> Entries);
    platform::core::TComponent* Entries(int Index) const;

protected:
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;

private:
    std::vector<platform::core::TComponent*> FEntries;
};

class TdxBarCustomizingDesignPages {
public:
    // Adds the pages to the dialog's page control and fills them.
    explicit TdxBarCustomizingDesignPages(TdxBarCustomizingForm& Form);

    platform::forms::TTabSheet& AllCommandsPage() { return *FTabSheet4; }
    platform::forms::TTabSheet& GroupsPage() { return *FTabSheet5; }
    TdxBarAllCommandsList& LAllCommands() { return *FLAllCommands; }
    platform::forms::TCheckBox& CBShowCommandsWithShortCut() {
        return *FCBShowCommandsWithShortCut;
    }
    TdxBarGroupList& lbGroups() { return *FlbGroups; }
    TdxBarGroupList& lbGroupItems() { return *FlbGroupItems; }
    platform::forms::TButton& btnGroupAdd() { return *FbtnGroupAdd; }
    platform::forms::TButton& btnGroupDelete() { return *FbtnGroupDelete; }
    platform::forms::TButton& btnGroupItemAdd() { return *FbtnGroupItemAdd; }
    platform::forms::TButton& btnGroupItemDelete() { return *FbtnGroupItemDelete; }
    platform::forms::TButton& btnMoveUp() { return *FbtnMoveUp; }
    platform::forms::TButton& btnMoveDown() { return *FbtnMoveDown; }

    // Refills the All commands list (keeping its top row and selection) and its columns.
    void UpdateAllCommands();
    void LAllCommandsClick();
    // Refills the group list keeping the selected group, then its members.
    void UpdateGroups();
    void UpdateGroupItems();
    void UpdateGroupButtons();
    void btnGroupAddClick();
    void btnGroupDeleteClick();
    void btnGroupItemAddClick();
    void btnGroupItemDeleteClick();
    void btnMoveUpClick() { MoveSelection(-1); }
    void btnMoveDownClick() { MoveSelection(1); }
    // Which of the two lists was entered last: the buttons follow it.
    bool GroupItemsFocused() const { return FGroupItemsFocused; }

private:
    TdxBarGroup* SelectedGroup() const;
    void MoveSelection(int Delta);
    void ListKey(platform::forms::WORD& Key, platform::forms::TButton& Insert,
                 platform::forms::TButton& Delete);

    TdxBarManager& FBarManager;
    platform::forms::TTabSheet* FTabSheet4 = nullptr;
    platform::forms::TTabSheet* FTabSheet5 = nullptr;
    TdxBarAllCommandsList* FLAllCommands = nullptr;
    platform::forms::TCheckBox* FCBShowCommandsWithShortCut = nullptr;
    platform::forms::TGroupBox* FGroupBox1 = nullptr;
    platform::forms::TGroupBox* FGroupBox2 = nullptr;
    TdxBarGroupList* FlbGroups = nullptr;
    TdxBarGroupList* FlbGroupItems = nullptr;
    platform::forms::TButton* FbtnGroupAdd = nullptr;
    platform::forms::TButton* FbtnGroupDelete = nullptr;
    platform::forms::TButton* FbtnGroupItemAdd = nullptr;
    platform::forms::TButton* FbtnGroupItemDelete = nullptr;
    platform::forms::TButton* FbtnMoveUp = nullptr;
    platform::forms::TButton* FbtnMoveDown = nullptr;
    bool FGroupItemsFocused = false;
};

} // namespace toolkit::bars
