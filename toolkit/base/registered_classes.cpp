#include "toolkit/base/registered_classes.h"

#include "platform/core/text.h"

#include <algorithm>
#include <numeric>

namespace toolkit::base {

void TcxRegisteredClasses::Register(const platform::core::TClass* Class,
                                    const std::string& Description) {
    if (IndexOf(Class) != -1) return;
    FItems.push_back({Description, Class});
    if (FSorted) Sort();
    if (FRegisterClasses) platform::core::RegisterClass(*Class);
}

int TcxRegisteredClasses::IndexOf(const platform::core::TClass* Class) const {
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I].Class == Class) return static_cast<int>(I);
    return -1;
}

std::string TcxRegisteredClasses::Descriptions(int Index) const {
    const std::string& Text = At(Index).Description;
    return Text.substr(0, Text.find('|'));
}

void TcxRegisteredClasses::SetSorted(bool Value) {
    if (FSorted == Value) return;
    FSorted = Value;
    if (FSorted) Sort();
}

int TcxRegisteredClasses::CompareItems(int Index1, int Index2) const {
    return platform::core::CompareText(At(Index1).Description, At(Index2).Description);
}

void TcxRegisteredClasses::Sort() {
    std::vector<int> Order(FItems.size());
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(),
                     [this](int A, int B) { return CompareItems(A, B) < 0; });
    std::vector<TItem> SortedItems;
    SortedItems.reserve(FItems.size());
    for (int I : Order)
        SortedItems.push_back(FItems[static_cast<std::size_t>(I)]);
    FItems = std::move(SortedItems);
}

} // namespace toolkit::base
