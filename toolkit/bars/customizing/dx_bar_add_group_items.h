#pragma once
// The add-group-items dialog of the Groups page: lists the manager's other groups and, under a
// heading per category, its items; the entries chosen (several at once) are appended to the
// caller's list on OK. Modal and made per use.

#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

#include <functional>
#include <vector>

namespace toolkit::bars {

class TdxBarGroup;
class TdxBarManager;

// Rows of the group lists: the height of "Qq" in Font, plus 2.
int dxBarGroupListRowHeight(platform::gdi::TFont& Font);

// The dialog's list. A row whose text begins with "~" is a heading (drawn without the "~");
// any other row holds a group or an item (Objects), greyed when the edited group has it
// already; an item's row shows its caption left of the middle and its name right of it.
class TdxBarAddGroupItemsList : public platform::forms::TListBox {
public:
    explicit TdxBarAddGroupItemsList(platform::core::TComponent* AOwner);

    void AddHeading(const std::string& Text);
    void AddEntry(const std::string& Text, platform::core::TComponent* Entry);
    void ClearEntries();
    // nil for a heading or outside the list.
    platform::core::TComponent* Objects(int Index) const;
    static bool IsHeading(const std::string& Text) { return !Text.empty() && Text[0] == '~'; }
    // The group whose members are drawn greyed.
    TdxBarGroup* Group = nullptr;

protected:
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;
    void Paint() override;

private:
    std::vector<platform::core::TComponent*> FObjects;
};

class TfrmAddGroupItems : public platform::forms::TForm {
public:
    explicit TfrmAddGroupItems(platform::core::TComponent* AOwner);

    // Fills the list for AGroup of ABarManager, in the manager's font.
    void Prepare(TdxBarManager* ABarManager, TdxBarGroup* AGroup,
                 std::vector<platform::core::TComponent*>* AResult);

    TdxBarAddGroupItemsList& lbGroupItems;
    platform::forms::TButton& btnOk;
    platform::forms::TButton& btnCancel;

    // The selected entries (headings left out) are appended to the result list.
    void btnOkClick();

private:
    TdxBarManager* FBarManager = nullptr;
    TdxBarGroup* FGroup = nullptr;
    std::vector<platform::core::TComponent*>* FResult = nullptr;
};

// Asks which groups and items to add to Group; true with Result appended on OK.
using TdxBarAddGroupItemsQuery = std::function<bool(
    TdxBarManager* Manager, TdxBarGroup* Group, std::vector<platform::core::TComponent*>& Result)>;
// The query the Groups page asks with (the dialog unless replaced); returns the previous one.
// An empty query restores the dialog.
TdxBarAddGroupItemsQuery SetdxBarAddGroupItemsQuery(TdxBarAddGroupItemsQuery Query);
bool dxBarAddGroupItems(TdxBarManager* Manager, TdxBarGroup* Group,
                        std::vector<platform::core::TComponent*>& Result);

} // namespace toolkit::bars
