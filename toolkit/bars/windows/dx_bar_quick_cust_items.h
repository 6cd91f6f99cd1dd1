#pragma once
// The items of the quick-customise menu (a toolbar's mark): the "&Add or Remove Buttons"
// sub-item, one check entry per link of the toolbar (a click shows or hides that link on the
// toolbar at once) and the "&Reset Toolbar" and "&Customize..." commands. Their controls keep a
// check column at the left of the row: an entry shows its toolbar link's glyph there, checked
// while the link is visible.

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"

namespace toolkit::bars {

class TdxBar;

// "&Reset Toolbar" and "&Customize...".
class TdxBarQuickCustExtButton : public TdxBarButton {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarQuickCustExtButton(platform::core::TComponent* AOwner) : TdxBarButton(AOwner) {}
};

// One entry: it stands for the link at LinkIndex of Bar's links.
class TdxBarQuickCustItem : public TdxBarButton {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarQuickCustItem(platform::core::TComponent* AOwner) : TdxBarButton(AOwner) {}

    TdxBar* Bar = nullptr;
    int LinkIndex = -1;
    // The toolbar's link; nil once the toolbar has no link there.
    TdxBarItemLink* ToolbarLink() const;

protected:
    // The command's own click, then the toolbar link shows or hides.
    void DoClick() override;
};

// "&Add or Remove Buttons".
class TdxBarQuickSubItem : public TdxBarSubItem {
public:
    static const platform::core::TComponentClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarQuickSubItem(platform::core::TComponent* AOwner) : TdxBarSubItem(AOwner) {}
};

// The controls of both buttons: a button row after the check column, the column included in
// the width.
class TdxBarQuickCustExtButtonControl : public TdxBarButtonControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarQuickCustExtButtonControl(TdxBarItemLink* AItemLink)
        : TdxBarButtonControl(AItemLink) {}

    int GetButtonWidth() const override;
    void Paint(const TRect& R, TdxBarPaintType Kind) override;
    // The check column shows the state; the row keeps the plain look.
    bool MenuRowChecked() const override { return false; }

protected:
    // The column's checked look.
    virtual bool ColumnChecked() const { return false; }
};

class TdxBarQuickCustItemControl : public TdxBarQuickCustExtButtonControl {
public:
    static const TdxBarItemControlClass& ClassRef();
    const platform::core::TClass& ClassType() const override { return ClassRef(); }

    explicit TdxBarQuickCustItemControl(TdxBarItemLink* AItemLink)
        : TdxBarQuickCustExtButtonControl(AItemLink) {}

protected:
    bool ColumnChecked() const override;
};

} // namespace toolkit::bars
