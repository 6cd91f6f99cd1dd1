#include "toolkit/edit/cx_value_type_class_list.h"

#include <algorithm>
#include <array>

namespace toolkit::edit {
namespace {

std::array<TcxValueTypeClass, 14> FamilyClasses() {
    return {
        TcxStringValueTypeClass(),   TcxWideStringValueTypeClass(), TcxSmallintValueTypeClass(),
        TcxIntegerValueTypeClass(),  TcxWordValueTypeClass(),       TcxBooleanValueTypeClass(),
        TcxFloatValueTypeClass(),    TcxCurrencyValueTypeClass(),   TcxDateTimeValueTypeClass(),
        TcxLargeIntValueTypeClass(), TcxFMTBcdValueTypeClass(),     TcxSQLTimeStampValueTypeClass(),
        TcxVariantValueTypeClass(),  TcxObjectValueTypeClass()};
}

// The module's life: the family registered when the list is first asked for, unregistered
// last-first when the process ends.
class TcxValueTypesUnit {
public:
    TcxValueTypesUnit() {
        for (TcxValueTypeClass Class : FamilyClasses())
            FList.Register(Class);
    }
    ~TcxValueTypesUnit() {
        const auto Classes = FamilyClasses();
        for (auto It = Classes.rbegin(); It != Classes.rend(); ++It)
            FList.Unregister(*It);
    }
    TcxValueTypesUnit(const TcxValueTypesUnit&) = delete;
    TcxValueTypesUnit& operator=(const TcxValueTypesUnit&) = delete;

    TcxValueTypeClassList& List() { return FList; }

private:
    TcxValueTypeClassList FList;
};

} // namespace

int TcxValueTypeClassList::IndexOf(TcxValueTypeClass ValueTypeClass) const {
    const auto It = std::find(FItems.begin(), FItems.end(), ValueTypeClass);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TcxValueTypeClassList::Register(TcxValueTypeClass ValueTypeClass) {
    if (IndexOf(ValueTypeClass) < 0) FItems.push_back(ValueTypeClass);
}

void TcxValueTypeClassList::Unregister(TcxValueTypeClass ValueTypeClass) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), ValueTypeClass), FItems.end());
}

TcxValueTypeClassList& cxValueTypeClassList() {
    static TcxValueTypesUnit Unit;
    return Unit.List();
}

} // namespace toolkit::edit
