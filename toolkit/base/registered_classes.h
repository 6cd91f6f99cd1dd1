#pragma once
// A registry of classes with their descriptions, as the designer lists them (the edit
// properties classes, say). A description may carry a hint after a "|".

#include "platform/core/class_reference.h"

#include <string>
#include <vector>

namespace toolkit::base {

class TcxRegisteredClasses {
public:
    // RegisterClasses: each class added is also registered with the streaming system.
    explicit TcxRegisteredClasses(bool RegisterClasses = false)
        : FRegisterClasses(RegisterClasses) {}
    virtual ~TcxRegisteredClasses() = default;

    // A class already listed is ignored.
    void Register(const platform::core::TClass* Class, const std::string& Description);
    // -1 when the class is not listed.
    int IndexOf(const platform::core::TClass* Class) const;
    void Clear() { FItems.clear(); }

    int Count() const { return static_cast<int>(FItems.size()); }
    const platform::core::TClass* Items(int Index) const { return At(Index).Class; }
    // The description up to, not including, the first "|".
    std::string Descriptions(int Index) const;

    bool Sorted() const { return FSorted; }
    // Turning it on sorts at once.
    void SetSorted(bool Value);

protected:
    // Orders two entries by their descriptions without regard to case.
    virtual int CompareItems(int Index1, int Index2) const;
    virtual void Sort();

private:
    struct TItem {
        std::string Description;
        const platform::core::TClass* Class;
    };
    const TItem& At(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }

    bool FRegisterClasses;
    bool FSorted = false;
    std::vector<TItem> FItems;
};

} // namespace toolkit::base
