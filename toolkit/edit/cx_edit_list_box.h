#pragma once
// The list a text editor shows in its drop-down. The lookup data owns the items: the list holds
// one empty placeholder per item and asks OnGetItemText for a row's text as it draws it. With
// HotTrack the item under the mouse becomes the current one; every change of the current item,
// by the program or by the user, is told to OnItemIndexChanged. Shown, the list draws its
// selection as focused while the editor keeps the keyboard focus.

#include "toolkit/edit/cx_inner_list_box.h"

#include <functional>
#include <string>

namespace toolkit::edit {

class TcxCustomEditListBox : public TcxCustomInnerListBox {
public:
    explicit TcxCustomEditListBox(platform::core::TComponent* AOwner);

    bool HotTrack = true;
    // The lookup data's UpdateActiveIndexFromList, with the list as sender.
    platform::core::TNotifyEvent OnItemIndexChanged;
    std::function<std::string(int Index)> OnGetItemText;
    // The owning editor's editing style (0 free text ... 3 no text editing); a fixed list or
    // no editing draws the focus rectangle on the current row.
    std::function<int()> OnGetEditingStyle;

    void SetItemIndex(int Value) override;
    // Appends empty placeholders or deletes from the end, in one update, until there are Count.
    void SetItemCount(int Count);
    // The window exists and is visible.
    bool IsVisible();
    // The horizontal extent, set anew each time so the window always measures it again.
    void SetScrollWidth(int Value);

    virtual std::string GetItemText(int Index);
    // The height of RowCount rows.
    virtual int GetHeight(int RowCount);
    // The height of "Wg" in the list's font.
    virtual int GetItemHeight();
    virtual int GetItemWidth(int Index);

    void Dispatch(platform::core::TMessage& Message) override;

protected:
    // A descendant that draws the row itself answers true.
    virtual bool DoDrawItem(int Index, const platform::gdi::TRect& Rect,
                            platform::forms::TOwnerDrawState State);
    virtual void ItemsChanged() {}
    void DrawItem(int Index, const platform::gdi::TRect& Rect,
                  platform::forms::TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void Click() override;
    bool NeedsFocusRect() const override;

private:
    void ItemIndexChanged();
    void MouseWheel(int Delta);
};

} // namespace toolkit::edit
