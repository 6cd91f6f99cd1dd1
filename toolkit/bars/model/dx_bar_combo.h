#pragma once
// The combo items: an edit with a drop-down window under its control. TCustomdxBarCombo drops
// down the window the application supplies (OnGetDropDownWindow) below the control, or above it
// when the screen has more room there; TdxBarCustomCombo drops down its own list of strings
// (dx_bar_drop_down_list_box.h), measured and drawn through the manager's painter or the
// owner-draw events, and moves it along while the user types; TdxBarCombo is the published
// one.

#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_painter_state.h"

#include "platform/core/window_handle.h"
#include "platform/forms/std_ctrls.h"
#include "platform/forms/strings.h"
#include "platform/gdi/canvas.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::bars {

class TdxBarDropDownListBox;

class TCustomdxBarCombo : public TdxBarEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TCustomdxBarCombo(platform::core::TComponent* AOwner) : TdxBarEdit(AOwner) {}

    bool ShowEditor = true;
    // The active link's control is a combo control whose drop-down is open.
    bool GetDroppedDown() const;

    // Whether the open drop-down window takes Key: every key but Escape, Enter and Tab, as
    // OnCheckKeyForDropDownWindow may decide otherwise.
    virtual bool CheckKeyForDropDownWindow(std::uint16_t Key, platform::forms::TShiftState Shift);
    // The window that drops down: OnGetDropDownWindow's; NullHWnd when none.
    virtual platform::core::HWND GetDropDownWindow();
    // Sizes the drop-down window before it is placed (nothing here).
    virtual void PrepareDropDownWindow() {}

    // Opens the drop-down at the screen point (X, Y) under the edit part of the control:
    // OnDropDown; the window prepared, placed (below, or above when there is more room there;
    // kept on the work area) and shown without activation; then AfterDropDown.
    virtual void DropDown(int X, int Y);
    virtual void AfterDropDown() {}
    // Hides the drop-down window, then OnCloseUp.
    virtual void CloseUp();

    std::function<void(platform::core::TObject* Sender, std::uint16_t Key,
                       platform::forms::TShiftState Shift, bool& Accept)>
        OnCheckKeyForDropDownWindow;
    platform::core::TNotifyEvent OnCloseUp;
    platform::core::TNotifyEvent OnDropDown;
    std::function<void(platform::core::TObject* Sender, platform::core::HWND& Window)>
        OnGetDropDownWindow;

protected:
    // After the edit's: ShowEditor.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
};

class TdxBarCustomCombo : public TCustomdxBarCombo {
public:
    using TRect = platform::gdi::TRect;

    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarCustomCombo(platform::core::TComponent* AOwner);
    ~TdxBarCustomCombo() override;

    // Rows shown without scrolling.
    int DropDownCount = 8;
    // 0: computed (GetDropDownWidth).
    int DropDownWidth = 0;
    // 0: the text height.
    int ItemHeight = 0;
    platform::forms::TStrings& Items() { return FItems; }
    const platform::forms::TStrings& Items() const { return FItems; }
    // -1: none. Outside the entries it becomes -1; the text follows the entry.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool Value);
    // Selects the entry equal to Value (-1 when none) before storing it.
    void SetText(const std::string& Value) override;
    TdxBarDropDownListBox& DropDownList() const { return *FList; }

    // The first entry with the longest prefix in common with Typed, without regard to case;
    // -1 when none shares its first character.
    int FindPrefix(const std::string& Typed) const;

    // The current entry (the edited control's, or ItemIndex) in the editor area, through
    // DrawItem.
    void DrawEditorArea(platform::gdi::TCanvas& Canvas, const TRect& R,
                        TdxBarItemControl* LinkControl) override;
    // Only Up, Down, Page Up and Page Down without shift keys go to the open list.
    bool CheckKeyForDropDownWindow(std::uint16_t Key, platform::forms::TShiftState Shift) override;
    // OnGetDropDownWindow's window, else the list's.
    platform::core::HWND GetDropDownWindow() override;
    // The list takes the entries, GetDropDownWidth and the height of its first DropDownCount
    // rows.
    void PrepareDropDownWindow() override;
    // OnCurChange, then the control's list index and the open list follow the typed text.
    void CurChange() override;
    // The list holds the mouse while the button that dropped it down is still down.
    void AfterDropDown() override;
    void CloseUp() override;
    // The list hangs on the control's bar window while it is dropped down.
    void DropDown(int X, int Y) override;

    // Row Index (Text for -1) in Rect: OnDrawItem, else the manager's painter; a focused row
    // gets a focus rectangle.
    virtual void DrawItem(int Index, const TRect& Rect, platform::forms::TOwnerDrawState State);
    // The canvas rows are drawn and measured on: the editor's while the editor area is drawn,
    // else the list's.
    virtual platform::gdi::TCanvas& GetItemCanvas();
    // DropDownWidth when set, else the control's width without its button, widened to the
    // widest entry (and the scroll bar, when there are more entries than rows).
    virtual int GetDropDownWidth();
    // ItemHeight, else the height of "Qq"; OnMeasureItem has its say.
    virtual void MeasureItemHeight(int Index, int& Height);
    // The entry's text width + 2.
    virtual void MeasureItemWidth(int Index, int& Width);

    std::function<void(platform::core::TObject* Sender, int Index, const TRect& Rect,
                       platform::forms::TOwnerDrawState State)>
        OnDrawItem;
    std::function<void(platform::core::TObject* Sender, int Index, int& Height)> OnMeasureItem;

protected:
    // After the combo's: DropDownCount, DropDownWidth.
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;

private:
    friend class TdxBarDropDownListBox;

    void ItemsChanged();
    // The open list follows Typed: the entry at Index lit when Typed names it, else no entry
    // lit and Index's entry at the top.
    void SynchronizeList(const std::string& Typed, int Index);
    // Text's size on the item canvas (a screen context in the list's font outside drawing).
    platform::gdi::TSize ItemTextExtent(const std::string& Text);
    // The record the painter reads for rows: this combo, its entries and text.
    const TdxBarItemControlState& PaintedCombo();

    platform::forms::TStrings FItems;
    int FItemIndex = -1;
    std::unique_ptr<TdxBarDropDownListBox> FList;
    bool FDrawingInEditor = false;
    platform::gdi::TCanvas* FEditorCanvas = nullptr;
    TdxBarItemControlState FPainted;
    bool FPaintedEntriesStale = true;
};

class TdxBarCombo : public TdxBarCustomCombo {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarCombo(platform::core::TComponent* AOwner) : TdxBarCustomCombo(AOwner) {}

protected:
    // After the custom combo's: ItemHeight, Items, Sorted, ItemIndex (the entries before the
    // entry chosen among them).
    void DefinePublishedProperties(platform::core::TFiler& Filer) override;
};

} // namespace toolkit::bars
