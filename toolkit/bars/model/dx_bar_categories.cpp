#include "toolkit/bars/model/dx_bar_categories.h"

#include "toolkit/bars/model/dx_bar_item.h"
#include "toolkit/bars/model/dx_bar_manager.h"
#include "toolkit/bars/model/dx_bar_strings.h"

#include "toolkit/base/resource_strings.h"

#include "platform/core/exception.h"
#include "platform/core/filer.h"

#include <algorithm>
#include <cctype>

namespace toolkit::bars {

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* Manager) : FManager(Manager) {
    if (!FManager->IsLoading()) Add(toolkit::base::cxGetResourceString(dxSBAR_DEFAULTCATEGORYNAME));
}

TdxBarManagerCategories::~TdxBarManagerCategories() = default;

const std::string& TdxBarManagerCategories::Strings(int Index) const {
    if (!ValidIndex(Index)) throw platform::core::Exception("List index out of bounds");
    return FNames[static_cast<std::size_t>(Index)];
}

void TdxBarManagerCategories::Changed() {
    if (!FManager->IsDestroying()) FManager->DesignerModified();
}

void TdxBarManagerCategories::SetStrings(int Index, std::string Value) {
    if (!ValidIndex(Index)) return;
    FNames[static_cast<std::size_t>(Index)] = std::move(Value);
    Changed();
}

int TdxBarManagerCategories::IndexOf(std::string_view Name) const {
    for (int I = 0; I < Count(); ++I) {
        const std::string& S = FNames[static_cast<std::size_t>(I)];
        if (S.size() == Name.size() &&
            std::equal(S.begin(), S.end(), Name.begin(), [](char A, char B) {
                return std::toupper(static_cast<unsigned char>(A)) ==
                       std::toupper(static_cast<unsigned char>(B));
            }))
            return I;
    }
    return -1;
}

int TdxBarManagerCategories::Add(std::string Name) {
    Insert(Count(), std::move(Name));
    return Count() - 1;
}

void TdxBarManagerCategories::Renumber(int From, int To, bool Raw) {
    for (int I = 0; I < FManager->GetItemCount(); ++I) {
        TdxBarItem* Item = FManager->GetItem(I);
        if (Item->Category() != From) continue;
        if (Raw)
            Item->SetCategoryRaw(To);
        else
            Item->SetCategory(To);
    }
}

void TdxBarManagerCategories::Insert(int Index, std::string Name) {
    if (Index < 0 || Index > Count()) return;
    if (!FMoving)
        for (int C = Count() - 1; C >= Index; --C)
            Renumber(C, C + 1, true);
    FNames.insert(FNames.begin() + Index, std::move(Name));
    FData.insert(FData.begin() + Index, nullptr);
    if (!FMoving) Changed();
}

void TdxBarManagerCategories::Delete(int Index) {
    if (!ValidIndex(Index)) return;
    if (!FMoving) {
        for (int I = FManager->GetItemCount() - 1; I >= 0; --I) {
            TdxBarItem* Item = FManager->GetItem(I);
            if (Item && Item->Category() == Index) FManager->FreeItem(Item);
        }
        for (int C = Index + 1; C < Count(); ++C)
            Renumber(C, C - 1, true);
    }
    FNames.erase(FNames.begin() + Index);
    FData.erase(FData.begin() + Index);
    if (FMoving) return;
    if (FNames.empty()) Add(toolkit::base::cxGetResourceString(dxSBAR_DEFAULTCATEGORYNAME));
    Changed();
}

void TdxBarManagerCategories::Exchange(int Index1, int Index2) {
    if (!ValidIndex(Index1) || !ValidIndex(Index2) || Index1 == Index2) return;
    // Both sets are chosen before either is renumbered.
    std::vector<TdxBarItem*> First, Second;
    for (int I = 0; I < FManager->GetItemCount(); ++I) {
        TdxBarItem* Item = FManager->GetItem(I);
        if (Item->Category() == Index1) First.push_back(Item);
        if (Item->Category() == Index2) Second.push_back(Item);
    }
    for (TdxBarItem* Item : First)
        Item->SetCategory(Index2);
    for (TdxBarItem* Item : Second)
        Item->SetCategory(Index1);
    std::swap(FNames[static_cast<std::size_t>(Index1)], FNames[static_cast<std::size_t>(Index2)]);
    std::swap(FData[static_cast<std::size_t>(Index1)], FData[static_cast<std::size_t>(Index2)]);
    Changed();
}

void TdxBarManagerCategories::Move(int CurIndex, int NewIndex) {
    if (!ValidIndex(CurIndex) || !ValidIndex(NewIndex) || CurIndex == NewIndex) return;
    constexpr int Parked = -1000;
    Renumber(CurIndex, Parked, true);
    if (NewIndex < CurIndex)
        for (int C = CurIndex - 1; C >= NewIndex; --C)
            Renumber(C, C + 1, true);
    else
        for (int C = CurIndex + 1; C <= NewIndex; ++C)
            Renumber(C, C - 1, true);
    Renumber(Parked, NewIndex, true);
    FMoving = true;
    std::string Name = std::move(FNames[static_cast<std::size_t>(CurIndex)]);
    auto Data = std::move(FData[static_cast<std::size_t>(CurIndex)]);
    FNames.erase(FNames.begin() + CurIndex);
    FData.erase(FData.begin() + CurIndex);
    FNames.insert(FNames.begin() + NewIndex, std::move(Name));
    FData.insert(FData.begin() + NewIndex, std::move(Data));
    FMoving = false;
    Changed();
}

void TdxBarManagerCategories::Clear() {
    FData.clear();
    FNames.clear();
    Changed();
}

TdxBarCategoryData* TdxBarManagerCategories::Data(int Index) const {
    return ValidIndex(Index) ? FData[static_cast<std::size_t>(Index)].get() : nullptr;
}

TdxBarCategoryData& TdxBarManagerCategories::EnsureData(int Index) {
    auto& Data = FData.at(static_cast<std::size_t>(Index));
    if (!Data) Data = std::make_unique<TdxBarCategoryData>();
    return *Data;
}

void TdxBarManagerCategories::DefineProperties(platform::core::TFiler& Filer,
                                               const std::string& Name) {
    namespace pc = platform::core;
    Filer.DefineProperty(
        Name + ".Strings",
        [this](pc::TReader& Reader) {
            FData.clear();
            FNames.clear();
            Reader.ReadListBegin();
            while (!Reader.EndOfList())
                Insert(Count(), Reader.ReadString());
            Reader.ReadListEnd();
        },
        [this](pc::TWriter& Writer) {
            Writer.WriteListBegin();
            for (const std::string& Category : FNames)
                Writer.WriteString(Category);
            Writer.WriteListEnd();
        },
        Count() > 0);
    Filer.DefineProperty(
        Name + ".ItemsVisibles",
        [this](pc::TReader& Reader) {
            Reader.ReadListBegin();
            for (int I = 0; !Reader.EndOfList(); ++I) {
                const int Value = Reader.ReadInteger();
                if (I < Count() && Value >= ivNever && Value <= ivAlways)
                    FManager->SetCategoryItemsVisible(I, static_cast<TdxBarItemVisible>(Value));
            }
            Reader.ReadListEnd();
        },
        [this](pc::TWriter& Writer) {
            Writer.WriteListBegin();
            for (int I = 0; I < Count(); ++I) {
                const TdxBarCategoryData* D = Data(I);
                // The value that comes after loading.
                Writer.WriteInteger(!D                         ? ivAlways
                                    : D->LoadedItemsVisibleSet ? D->LoadedItemsVisible
                                                               : D->ItemsVisible);
            }
            Writer.WriteListEnd();
        },
        true);
    Filer.DefineProperty(
        Name + ".Visibles",
        [this](pc::TReader& Reader) {
            Reader.ReadListBegin();
            for (int I = 0; !Reader.EndOfList(); ++I) {
                const bool Value = Reader.ReadBoolean();
                if (I < Count()) FManager->SetCategoryVisible(I, Value);
            }
            Reader.ReadListEnd();
        },
        [this](pc::TWriter& Writer) {
            Writer.WriteListBegin();
            for (int I = 0; I < Count(); ++I)
                Writer.WriteBoolean(FManager->GetCategoryVisible(I));
            Writer.WriteListEnd();
        },
        true);
}

} // namespace toolkit::bars
