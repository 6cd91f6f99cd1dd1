#pragma once
// The new-item dialog of the customising dialog: a name, a caption, one of the public item
// classes and a category; OK makes the item on the manager's form. Modal and made per use.

#include "platform/forms/forms.h"
#include "platform/forms/std_ctrls.h"

namespace toolkit::bars {

class TdxBarItem;
class TdxBarManager;

class TdxBarItemAddEditor : public platform::forms::TForm {
public:
    explicit TdxBarItemAddEditor(platform::core::TComponent* AOwner);

    // Fills the lists; a CategoryIndex outside the categories selects the first.
    void Prepare(TdxBarManager* ABarManager, int ACategoryIndex);
    // The item OK made; nil before.
    TdxBarItem* CreatedItem() const { return FCreatedItem; }

    platform::forms::TLabel& LName;
    platform::forms::TLabel& LCaption;
    platform::forms::TLabel& LType;
    platform::forms::TLabel& LCategory;
    platform::forms::TEdit& Edit1;
    platform::forms::TEdit& Edit2;
    platform::forms::TComboBox& ComboBox1;
    platform::forms::TComboBox& ComboBox2;
    platform::forms::TButton& BOk;
    platform::forms::TButton& BCancel;

    // A type chosen: Edit1 gets a name no component of the manager's form has.
    void ComboBox1Click();
    void BOkClick();

private:
    TdxBarManager* FBarManager = nullptr;
    TdxBarItem* FCreatedItem = nullptr;
};

// The new item, or nil when the user cancels.
TdxBarItem* dxBarItemAddEditor(TdxBarManager* ABarManager, int ACategoryIndex);

} // namespace toolkit::bars
