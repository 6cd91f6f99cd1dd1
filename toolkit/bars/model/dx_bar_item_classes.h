#pragma once
// Which item-control class shows which item class. Public records are offered to the user
// (the customizing dialogs); the others are the library's own (quick customising, the system
// menu). Item classes registered here are also registered with the streaming system.

#include "platform/core/class_reference.h"

#include <vector>

namespace toolkit::bars {

struct TRegItemRecord {
    const platform::core::TClass* ItemClass;
    const platform::core::TClass* ControlClass;
    bool Public;
};

class TdxBarItemClasses {
public:
    TdxBarItemClasses() = default;
    TdxBarItemClasses(const TdxBarItemClasses&) = delete;
    TdxBarItemClasses& operator=(const TdxBarItemClasses&) = delete;

    // Appends a record.
    void RegisterItemClass(const platform::core::TClass* ItemClass,
                           const platform::core::TClass* ControlClass, bool Public);
    // Removes the first record of ItemClass; nothing when there is none.
    void UnregisterItemClass(const platform::core::TClass* ItemClass);
    // Public records only.
    int GetRegisteredItemClassCount() const;
    // The Index-th public record's item class; nil past the end.
    const platform::core::TClass* GetRegisteredItemClass(int Index) const;
    // The control class of the record of ItemClass or, failing that, of its nearest registered
    // ancestor; nil when none.
    const platform::core::TClass*
    GetItemControlClass(const platform::core::TClass* ItemClass) const;
    // The control class of the first record of exactly ItemClass; nil when it has none. A link
    // makes its control by this.
    const platform::core::TClass*
    GetExactItemControlClass(const platform::core::TClass* ItemClass) const;

    int Count() const { return static_cast<int>(FRecords.size()); }
    const TRegItemRecord& Records(int Index) const {
        return FRecords.at(static_cast<std::size_t>(Index));
    }
    // Last first.
    void Clear();

private:
    std::vector<TRegItemRecord> FRecords;
};

} // namespace toolkit::bars
