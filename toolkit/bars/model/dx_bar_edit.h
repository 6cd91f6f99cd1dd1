#pragma once
// Items that edit text inside a bar: the window item (the committed text, its change and key
// events), the single-line edit, and the combo with its own list of strings. The item keeps
// the text that was committed; while the user types, the editor belongs to the control of the
// active link. The text is kept whole, however long it is.

#include "toolkit/bars/model/dx_bar_item.h"

#include "platform/forms/controls.h"
#include "platform/forms/strings.h"

#include <functional>
#include <string>

namespace toolkit::bars {

class TdxBarWindowItem : public TdxBarItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarWindowItem(platform::core::TComponent* AOwner) : TdxBarItem(AOwner) {}

    const std::string& Text() const { return FText; }
    // A new text repaints the links and fires OnChange.
    virtual void SetText(const std::string& Value);
    bool CanBeClicked() const override { return false; }

    // The dynamic operations behind the events; each fires its event when assigned.
    virtual void Change();
    virtual void CurChange();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(std::uint16_t& Key, platform::forms::TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(std::uint16_t& Key, platform::forms::TShiftState Shift);

    platform::core::TNotifyEvent OnChange;
    platform::core::TNotifyEvent OnCurChange;
    platform::core::TNotifyEvent OnEnter;
    platform::core::TNotifyEvent OnExit;
    std::function<void(platform::core::TObject*, std::uint16_t&, platform::forms::TShiftState)>
        OnKeyDown;
    std::function<void(platform::core::TObject*, char&)> OnKeyPress;
    std::function<void(platform::core::TObject*, std::uint16_t&, platform::forms::TShiftState)>
        OnKeyUp;

protected:
    void RepaintControls();

private:
    std::string FText;
};

class TdxBarEdit : public TdxBarWindowItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarEdit(platform::core::TComponent* AOwner) : TdxBarWindowItem(AOwner) {}

    // 0: unlimited; values below 1 are stored as 0.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value < 1 ? 0 : Value; }
    bool ReadOnly = false;
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    // At least 20.
    int Width() const { return FWidth; }
    void SetWidth(int Value);

protected:
    virtual void WidthChanged();

private:
    int FMaxLength = 0;
    bool FShowCaption = false;
    int FWidth = 100;
};

class TCustomdxBarCombo : public TdxBarEdit {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TCustomdxBarCombo(platform::core::TComponent* AOwner);

    int DropDownCount = 8;
    // 0: computed.
    int DropDownWidth = 0;
    // 0: the text height.
    int ItemHeight = 0;
    bool ShowEditor = true;
    platform::forms::TStrings& Items() { return FItems; }
    const platform::forms::TStrings& Items() const { return FItems; }
    // -1: none. Outside the entries it becomes -1; the text follows the entry.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool Value);
    // Selects the entry equal to Value (-1 when none) before storing it.
    void SetText(const std::string& Value) override;

    // The first entry with the longest prefix in common with Typed, without regard to case;
    // -1 when none shares its first character.
    int FindPrefix(const std::string& Typed) const;

    platform::core::TNotifyEvent OnCloseUp;
    platform::core::TNotifyEvent OnDropDown;

private:
    void ItemsChanged();

    platform::forms::TStrings FItems;
    int FItemIndex = -1;
};

class TdxBarCombo : public TCustomdxBarCombo {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarCombo(platform::core::TComponent* AOwner) : TCustomdxBarCombo(AOwner) {}
};

} // namespace toolkit::bars
