#include "toolkit/edit/library_strings.h"

namespace toolkit::edit {

namespace {

int ReferenceCount = 0;

} // namespace

void AddLibraryResourceStringNames(toolkit::base::TdxProductResourceStrings& Product) {
    Product.Add("scxCantCreateRegistryKey", &scxCantCreateRegistryKey);
    Product.Add("scxCantOpenRegistryKey", &scxCantOpenRegistryKey);
    Product.Add("scxErrorStoreObject", &scxErrorStoreObject);
    Product.Add("scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository);
    Product.Add("cxSDateToday", &cxSDateToday);
    Product.Add("cxSDateYesterday", &cxSDateYesterday);
    Product.Add("cxSDateTomorrow", &cxSDateTomorrow);
    Product.Add("cxSDateSunday", &cxSDateSunday);
    Product.Add("cxSDateMonday", &cxSDateMonday);
    Product.Add("cxSDateTuesday", &cxSDateTuesday);
    Product.Add("cxSDateWednesday", &cxSDateWednesday);
    Product.Add("cxSDateThursday", &cxSDateThursday);
    Product.Add("cxSDateFriday", &cxSDateFriday);
    Product.Add("cxSDateSaturday", &cxSDateSaturday);
    Product.Add("cxSDateFirst", &cxSDateFirst);
    Product.Add("cxSDateSecond", &cxSDateSecond);
    Product.Add("cxSDateThird", &cxSDateThird);
    Product.Add("cxSDateFourth", &cxSDateFourth);
    Product.Add("cxSDateFifth", &cxSDateFifth);
    Product.Add("cxSDateSixth", &cxSDateSixth);
    Product.Add("cxSDateSeventh", &cxSDateSeventh);
    Product.Add("cxSDateBOM", &cxSDateBOM);
    Product.Add("cxSDateEOM", &cxSDateEOM);
}

void InitializeLibraryStrings() {
    if (ReferenceCount++ == 0)
        toolkit::base::dxResourceStringsRepository().RegisterProduct(cxLibraryStringsGroup,
                                                                     AddLibraryResourceStringNames);
}

void FinalizeLibraryStrings() {
    if (ReferenceCount == 0) return;
    if (--ReferenceCount == 0)
        toolkit::base::dxResourceStringsRepository().UnregisterProduct(cxLibraryStringsGroup);
}

} // namespace toolkit::edit
