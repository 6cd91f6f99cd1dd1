// The one place that names every item class the bar unit registers at start-up, with the
// control class that shows it, in the order the unit registers them: the public item classes,
// then the library's own quick-customise and system-menu items.

#include "toolkit/bars/windows/dx_bar_windows_floor.h"

#include "toolkit/bars/model/dx_bar_button.h"
#include "toolkit/bars/model/dx_bar_combo.h"
#include "toolkit/bars/model/dx_bar_edit.h"
#include "toolkit/bars/model/dx_bar_item_classes.h"
#include "toolkit/bars/model/dx_bar_list_item.h"
#include "toolkit/bars/model/dx_bar_sub_item.h"
#include "toolkit/bars/windows/dx_bar_button_control.h"
#include "toolkit/bars/windows/dx_bar_edit_control.h"
#include "toolkit/bars/windows/dx_bar_mdi.h"
#include "toolkit/bars/windows/dx_bar_quick_cust_items.h"
#include "toolkit/bars/windows/dx_bar_sub_item_control.h"

namespace toolkit::bars {

const std::vector<TRegItemRecord>& TdxBarWindowsFloor::UnitItemClasses() const {
    static const std::vector<TRegItemRecord> classes{
        {&TdxBarButton::ClassRef(), &TdxBarButtonControl::ClassRef(), true},
        {&TdxBarEdit::ClassRef(), &TdxBarEditControl::ClassRef(), true},
        {&TCustomdxBarCombo::ClassRef(), &TCustomdxBarComboControl::ClassRef(), true},
        {&TdxBarCombo::ClassRef(), &TdxBarComboControl::ClassRef(), true},
        {&TdxBarSubItem::ClassRef(), &TdxBarSubItemControl::ClassRef(), true},
        {&TdxBarListItem::ClassRef(), &TdxBarContainerItemControl::ClassRef(), true},
        {&TdxBarContainerItem::ClassRef(), &TdxBarContainerItemControl::ClassRef(), true},
        {&TdxBarQuickCustExtButton::ClassRef(), &TdxBarQuickCustExtButtonControl::ClassRef(),
         false},
        {&TdxBarQuickCustItem::ClassRef(), &TdxBarQuickCustItemControl::ClassRef(), false},
        {&TdxBarQuickSubItem::ClassRef(), &TdxBarSubItemControl::ClassRef(), false},
        {&TSystemMenuSubItem::ClassRef(), &TSystemMenuSubItemControl::ClassRef(), false},
    };
    return classes;
}

} // namespace toolkit::bars
