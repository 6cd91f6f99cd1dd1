#pragma once
// A registry that maps item classes to the classes serving them (a filter helper for an edit
// properties class, say). A class without an entry of its own is served by the entry of its
// nearest registered ancestor: the list keeps every class after its registered ancestors, so a
// scan from the end meets the most derived match first.

#include "platform/core/class_reference.h"

#include <vector>

namespace toolkit::base {

struct TcxRegisteredClassListItemData {
    const platform::core::TClass* ItemClass;
    const platform::core::TClass* RegisteredClass;
};

class TcxRegisteredClassList {
public:
    virtual ~TcxRegisteredClassList() = default;

    // Scans from the last item: true, with Index at it, for the first item whose class
    // ItemClass is or inherits from. False when there is none; Index then holds the lowest
    // position of a registered descendant of ItemClass, or is left as the caller set it.
    virtual bool Find(const platform::core::TClass* ItemClass, int& Index) const;
    // Right after the nearest registered ancestor, else before the first registered
    // descendant, else at the end.
    virtual void Register(const platform::core::TClass* ItemClass,
                          const platform::core::TClass* RegisteredClass);
    // Removes every item whose two classes both match.
    virtual void Unregister(const platform::core::TClass* ItemClass,
                            const platform::core::TClass* RegisteredClass);

    int Count() const { return static_cast<int>(FItems.size()); }
    const TcxRegisteredClassListItemData& Items(int Index) const {
        return FItems.at(static_cast<std::size_t>(Index));
    }
    void Clear() { FItems.clear(); }

private:
    std::vector<TcxRegisteredClassListItemData> FItems;
};

} // namespace toolkit::base
