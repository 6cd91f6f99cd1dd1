#pragma once
// The manager's categories: names in order, each with its data. Items refer to their category
// by index, and every list operation keeps those indexes right; deleting a category frees its
// items, and a manager is never left without a category. Every change of the list tells the
// manager's designer.

#include <memory>
#include <string>

namespace platform::core {
class TFiler;
}
#include <string_view>
#include <vector>

namespace toolkit::bars {

class TdxBarManager;
struct TdxBarCategoryData;

class TdxBarManagerCategories {
public:
    // Adds "Default" unless the manager is loading.
    explicit TdxBarManagerCategories(TdxBarManager* Manager);
    ~TdxBarManagerCategories();
    TdxBarManagerCategories(const TdxBarManagerCategories&) = delete;
    TdxBarManagerCategories& operator=(const TdxBarManagerCategories&) = delete;

    int Count() const { return static_cast<int>(FNames.size()); }
    const std::string& Strings(int Index) const;
    const std::string& operator[](int Index) const { return Strings(Index); }
    void SetStrings(int Index, std::string Value);
    // -1 when none, compared without regard to case.
    int IndexOf(std::string_view Name) const;

    int Add(std::string Name);
    // Items of the categories from Index on move up by one.
    void Insert(int Index, std::string Name);
    // Frees the items of the category and moves the later ones down; "Default" comes back
    // when none is left.
    void Delete(int Index);
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void Clear();

    // nil before a value is set.
    TdxBarCategoryData* Data(int Index) const;
    TdxBarCategoryData& EnsureData(int Index);

    // The manager's property Name in a form stream: "<Name>.Strings", the names; then, always,
    // "<Name>.ItemsVisibles" and "<Name>.Visibles", one value per category, read back through
    // the manager (which keeps an ItemsVisible read while loading until its Loaded).
    void DefineProperties(platform::core::TFiler& Filer, const std::string& Name);

private:
    void Changed();
    bool ValidIndex(int Index) const { return Index >= 0 && Index < Count(); }
    // Every item of the manager in category From gets To, directly or through its setter.
    void Renumber(int From, int To, bool Raw);

    TdxBarManager* FManager;
    std::vector<std::string> FNames;
    std::vector<std::unique_ptr<TdxBarCategoryData>> FData;
    bool FMoving = false;
};

} // namespace toolkit::bars
