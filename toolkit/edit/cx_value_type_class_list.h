#pragma once
// The registry of value types (toolkit/edit/cx_value_types.h): the classes a data store may
// pick from. The process-wide list is made on first use with the fourteen classes of the
// family registered in this order: string, wide string, smallint, integer, word, boolean,
// float, currency, date-time, large integer, BCD, SQL time stamp, variant, object. At exit
// they are unregistered in the reverse order and the list is freed.

#include "toolkit/edit/cx_value_types.h"

#include <vector>

namespace toolkit::edit {

class TcxValueTypeClassList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TcxValueTypeClass Items(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    // -1 when the class is not registered.
    int IndexOf(TcxValueTypeClass ValueTypeClass) const;

    // A class already registered stays where it is.
    void Register(TcxValueTypeClass ValueTypeClass);
    void Unregister(TcxValueTypeClass ValueTypeClass);

private:
    std::vector<TcxValueTypeClass> FItems;
};

TcxValueTypeClassList& cxValueTypeClassList();

} // namespace toolkit::edit
