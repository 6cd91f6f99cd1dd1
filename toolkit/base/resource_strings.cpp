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

void TdxResourceStringsRepository::SetReplacement(const std::string& Name, std::string Text) {
    FReplacements[Name] = std::move(Text);
}

void TdxResourceStringsRepository::RemoveReplacement(const std::string& Name) {
    FReplacements.erase(Name);
}

bool TdxResourceStringsRepository::FindReplacement(const TResStringRec& R,
                                                   std::string& Text) const {
    // Most programs replace nothing: the common read must not walk every product.
    if (FReplacements.empty()) return false;
    for (const auto& Product : FProducts)
        for (int I = 0; I < Product->Count(); ++I) {
            if (Product->Values(I) != &R) continue;
            const auto It = FReplacements.find(Product->Names(I));
            if (It == FReplacements.end()) continue;
            Text = It->second;
            return true;
        }
    return false;
}

TdxResourceStringsRepository& dxResourceStringsRepository() {
    static TdxResourceStringsRepository Repository;
    return Repository;
}

std::string cxGetResourceString(const TResStringRec& R) {
    std::string Text;
    if (dxResourceStringsRepository().FindReplacement(R, Text)) return Text;
    return LoadResString(R);
}

} // namespace toolkit::base
