// The one place that names every class the bar unit registers at start-up. The item families
// add their rows here as they come (the button and the sub-item, then edit, combo, list and
// container items, then the library's own quick-customise and system-menu items).

#include "toolkit/bars/dx_bar_unit.h"

namespace toolkit::bars {

const std::vector<TRegItemRecord>& dxBarUnitItemClasses() {
    static const std::vector<TRegItemRecord> classes{};
    return classes;
}

const std::vector<const platform::core::TClass*>& dxBarUnitStreamedClasses() {
    static const std::vector<const platform::core::TClass*> classes{};
    return classes;
}

} // namespace toolkit::bars
