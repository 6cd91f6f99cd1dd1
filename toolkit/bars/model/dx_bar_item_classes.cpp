#include "toolkit/bars/model/dx_bar_item_classes.h"

#include <algorithm>

namespace toolkit::bars {

namespace pc = platform::core;

void TdxBarItemClasses::RegisterItemClass(const pc::TClass* ItemClass,
                                          const pc::TClass* ControlClass, bool Public) {
    FRecords.push_back({ItemClass, ControlClass, Public});
    if (ItemClass) pc::RegisterClass(*ItemClass);
}

void TdxBarItemClasses::UnregisterItemClass(const pc::TClass* ItemClass) {
    auto found = std::find_if(FRecords.begin(), FRecords.end(),
                              [&](const TRegItemRecord& R) { return R.ItemClass == ItemClass; });
    if (found == FRecords.end()) return;
    FRecords.erase(found);
    if (ItemClass) pc::UnRegisterClass(*ItemClass);
}

int TdxBarItemClasses::GetRegisteredItemClassCount() const {
    return static_cast<int>(std::count_if(FRecords.begin(), FRecords.end(),
                                          [](const TRegItemRecord& R) { return R.Public; }));
}

const pc::TClass* TdxBarItemClasses::GetRegisteredItemClass(int Index) const {
    for (const TRegItemRecord& R : FRecords)
        if (R.Public && Index-- == 0) return R.ItemClass;
    return nullptr;
}

const pc::TClass* TdxBarItemClasses::GetItemControlClass(const pc::TClass* ItemClass) const {
    for (const pc::TClass* c = ItemClass; c; c = c->ClassParent())
        for (const TRegItemRecord& R : FRecords)
            if (R.ItemClass == c) return R.ControlClass;
    return nullptr;
}

const pc::TClass* TdxBarItemClasses::GetExactItemControlClass(const pc::TClass* ItemClass) const {
    for (const TRegItemRecord& R : FRecords)
        if (R.ItemClass == ItemClass) return R.ControlClass;
    return nullptr;
}

void TdxBarItemClasses::Clear() {
    while (!FRecords.empty())
        FRecords.pop_back();
}

} // namespace toolkit::bars
