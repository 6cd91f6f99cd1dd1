#pragma once
// The combo box: a drop-down editor whose popup lists its Items. The user types (incremental
// search completes the text), picks from the list, or, with a fixed list, can only pick. The
// list shows up to DropDownRows rows and scrolls beyond; its rows are ItemHeight high, the
// font's height, or what OnMeasureItem answers per row. Resizing the popup by its grip snaps
// the list to whole rows. An empty combo box does not open.
//
// A press on the editor dragged into the open list selects there; a left click on a row picks
// it and closes the list accepting it. With Revertable a double click on the closed editor
// selects the next item, the last one followed by the first.

#include "toolkit/edit/cx_drop_down_edit.h"
#include "toolkit/edit/cx_edit_list_box.h"

#include <functional>
#include <memory>

namespace toolkit::edit {

class TcxCustomComboBox;

enum TcxEditDropDownListStyle : std::uint8_t { lsEditFixedList, lsEditList, lsFixedList };

// Control, canvas, index, rectangle, owner-draw state.
using TcxEditDrawItemEvent =
    std::function<void(TcxCustomComboBox* Control, toolkit::base::TcxCanvas& Canvas, int Index,
                       const TRect& Rect, platform::forms::TOwnerDrawState State)>;
// Control, index, height (in and out).
using TcxEditMeasureItemEvent =
    std::function<void(TcxCustomComboBox* Control, int Index, int& Height)>;

// The owner-draw state of the editor's own text area drawn as an item.
inline constexpr platform::forms::TOwnerDrawState odComboBoxEdit = 0x1000;

class TcxCustomComboBoxProperties : public TcxCustomDropDownEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomComboBoxProperties(platform::core::TPersistent* AOwner);

    // The drop-down properties, the list style, rows, item height, Revertable and both events,
    // as one change.
    void Assign(const platform::core::TPersistent* Source) override;

    TcxEditDropDownListStyle DropDownListStyle() const { return FDropDownListStyle; }
    void SetDropDownListStyle(TcxEditDropDownListStyle Value);
    int DropDownRows() const { return FDropDownRows; }
    // Values below 1 are ignored.
    void SetDropDownRows(int Value);
    int ItemHeight() const { return FItemHeight; }
    // Below 1: the list's font gives the height.
    void SetItemHeight(int Value);
    bool Revertable() const { return FRevertable; }
    void SetRevertable(bool Value) { FRevertable = Value; }

    // The text edit's and drop-down's properties under the names the combo box gives them.
    platform::core::TStringList& Items() { return LookupItems(); }
    bool Sorted() const { return LookupItemsSorted(); }
    void SetSorted(bool Value) { SetLookupItemsSorted(Value); }
    bool DropDownAutoWidth() const { return PopupAutoSize(); }
    // Written without a change notification.
    void SetDropDownAutoWidth(bool Value) { FPopupAutoSize = Value; }
    bool DropDownSizeable() const { return PopupSizeable(); }
    void SetDropDownSizeable(bool Value) { SetPopupSizeable(Value); }
    int DropDownWidth() const { return PopupWidth(); }
    void SetDropDownWidth(int Value) { SetPopupWidth(Value); }

    TcxEditDrawItemEvent OnDrawItem;
    TcxEditMeasureItemEvent OnMeasureItem;

    bool DropDownOnClick() const override { return FDropDownListStyle == lsFixedList; }
    TcxTextEditingStyle GetEditingStyle() const override;
    int GetDropDownPageRowCount() override { return FDropDownRows; }
    bool UseLookupData() const override { return true; }
    // The mask applies only where the text is typed freely (lsEditList); a fixed list's typing
    // is an incremental search.
    bool IsMasked() const override;
    std::unique_ptr<TcxCustomTextEditLookupData>
    CreateLookupData(TcxCustomTextEdit& AOwner) const override;
    std::unique_ptr<TcxCustomEditPopupWindow>
    CreatePopupWindow(TcxCustomDropDownEdit* AEdit) const override;
    std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle& AStyle,
                                                          bool AIsInplace) override;
    std::function<std::unique_ptr<TcxCustomEditViewInfo>()> GetViewInfoClass() const override;
    const platform::core::TComponentClass& GetContainerClass() const override;

private:
    TcxEditDropDownListStyle FDropDownListStyle = lsEditList;
    int FDropDownRows = 8;
    int FItemHeight = 0;
    bool FRevertable = false;
};

// The published properties, with the defaults the combo box publishes.
class TcxComboBoxProperties : public TcxCustomComboBoxProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxComboBoxProperties(platform::core::TPersistent* AOwner);
};

// The list in the popup. Rows are owner-drawn, variable in height while an OnMeasureItem
// handler exists; OnDrawItem draws them when assigned.
class TcxComboBoxListBox : public TcxCustomEditListBox {
public:
    explicit TcxComboBoxListBox(TcxCustomComboBox& AEdit);

    TcxCustomComboBox& Edit() const { return FEdit; }
    // ItemHeight or the font's height, then what the handlers answer for an Index >= 0.
    virtual int GetItemHeight(int Index);
    int GetItemHeight() override { return GetItemHeight(-1); }
    // The sum of the first Count rows' heights.
    int GetItemsHeight(int Count);
    int GetHeight(int RowCount) override { return GetItemsHeight(RowCount); }
    // Row height and list style from the properties.
    void RefreshStyle();
    void SetItemIndex(int Value) override;

protected:
    void CreateParams(platform::forms::TWinControl::TCreateParams& Params) override;
    bool DoDrawItem(int Index, const platform::gdi::TRect& Rect,
                    platform::forms::TOwnerDrawState State) override;
    void MeasureItem(int Index, int& Height) override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    void MouseUp(platform::forms::TMouseButton Button, platform::forms::TShiftState Shift, int X,
                 int Y) override;

private:
    TcxCustomComboBox& FEdit;
};

class TcxComboBoxLookupData : public TcxCustomTextEditLookupData {
public:
    explicit TcxComboBoxLookupData(TcxCustomTextEdit& AOwner);

    TcxComboBoxListBox* List();
    // The list's size for up to DropDownRows rows, with the scroll bars the limits call for
    // (a limit of 0 or below is none).
    void GetPopupSize(int MaxHeight, int MaxWidth, platform::gdi::TSize& Size);
    // Snaps a requested list size to whole rows (limits of 0: unlimited).
    void AdjustPopupSize(platform::gdi::TSize& Size, int MaxHeight, int MaxWidth);

protected:
    TListBoxFactory GetListBoxClass() override;

private:
    int FScrollWidth = 0;
};

// Sized to the list; the grip corner starts at the bottom right.
class TcxComboBoxPopupWindow : public TcxCustomEditPopupWindow {
public:
    using TcxCustomEditPopupWindow::TcxCustomEditPopupWindow;

    void CalculateSize() override;
    // The base clamping, then the list's whole rows.
    bool CanResize(int& NewWidth, int& NewHeight) override;

protected:
    TSize GetClientPreferredSize() override;
    // The list follows the client area as the user sizes the window.
    void Resize() override;
};

class TcxCustomComboBox : public TcxCustomDropDownEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomComboBox(platform::core::TComponent* AOwner, bool AIsInplace = false,
                               const TcxCustomEditPropertiesClass* APropertiesClass = nullptr);

    TcxCustomComboBoxProperties& Properties() const;
    TcxCustomComboBoxProperties& ActiveProperties() const;
    TcxComboBoxLookupData& ComboLookupData();

    void Activate() override;
    void GetPopupWindowClientPreferredSize(platform::gdi::TSize& Size) override;
    bool IsPlainTextModifiable() override;
    bool IgnoreListMouseMove() const { return FIgnoreListMouseMove; }
    void SetIgnoreListMouseMove(bool Value) { FIgnoreListMouseMove = Value; }
    // OnMeasureItem and OnDrawItem of the own properties, then of the repository's.
    bool HasMeasureItemHandler() const;
    bool HasDrawItemHandler() const;
    void DoMeasureItem(int Index, int& Height);
    void DoDrawItem(toolkit::base::TcxCanvas& Canvas, int Index, const TRect& Rect,
                    platform::forms::TOwnerDrawState State);

protected:
    bool CanDropDown() override;
    void SetupPopupWindow() override;
    void InternalDropDown() override;
    void PopupWindowShowed() override;
    void ChangeHandler(platform::core::TObject* Sender) override;
    void DblClick() override;
    void MouseMove(platform::forms::TShiftState Shift, int X, int Y) override;
    // A fixed list with a draw handler shows its item drawn by the view info, not the text.
    bool IsInnerEditShown() override;

private:
    bool FDblClickGuard = false;
    bool FChanging = false;
};

class TcxComboBox : public TcxCustomComboBox {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }
    explicit TcxComboBox(platform::core::TComponent* AOwner, bool AIsInplace = false);
    TcxComboBoxProperties& Properties() const;
};

} // namespace toolkit::edit
