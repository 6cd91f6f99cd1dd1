#include "toolkit/base/resource_strings.h"

#include <utility>

namespace toolkit::base {

std::string LoadResString(const TResStringRec& R) {
    return R.Text ? R.Text : "";
}

TdxProductResourceStrings::TdxProductResourceStrings(std::string Name,
                                                     TdxProductResourceStringsInitProc InitProc)
    : FName(std::move(Name)), FInitProc(std::move(InitProc)) {
    if (FInitProc) FInitProc(*this);
}

void TdxProductResourceStrings::Add(const std::string& Name, const TResStringRec* ResStringRec) {
    FNames.push_back(Name);
    FValues.push_back(ResStringRec);
}

void TdxResourceStringsRepository::RegisterProduct(const std::string& ProductName,
                                                   TdxProductResourceStringsInitProc InitProc) {
    FProducts.push_back(
        std::make_unique<TdxProductResourceStrings>(ProductName, std::move(InitProc)));
}

void TdxResourceStringsRepository::UnregisterProduct(const std::string& ProductName) {
    const int Index = IndexOf(ProductName);
    if (Index >= 0) FProducts.erase(FProducts.begin() + Index);
}

int TdxResourceStringsRepository::IndexOf(const std::string& ProductName) const {
    for (std::size_t I = 0; I < FProducts.size(); ++I)
        if (FProducts[I]->Name() == ProductName) return static_cast<int>(I);
    return -1;
}

TdxResourceStringsRepository& dxResourceStringsRepository() {
    static TdxResourceStringsRepository Repository;
    return Repository;
}

// No translation table is ever put in force, so a string reads as its built-in text.
std::string cxGetResourceString(const TResStringRec& R) {
    return LoadResString(R);
}

} // namespace toolkit::base
