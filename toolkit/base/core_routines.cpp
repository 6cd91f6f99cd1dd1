#include "toolkit/base/core_routines.h"

#include <cstring>
#include <limits>

namespace toolkit::base {

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const long long Product = static_cast<long long>(Number) * Numerator;
    const long long AbsProduct = Product < 0 ? -Product : Product;
    const long long AbsDenominator = Denominator < 0 ? -static_cast<long long>(Denominator)
                                                     : static_cast<long long>(Denominator);
    long long Result = (AbsProduct + AbsDenominator / 2) / AbsDenominator;
    if ((Product < 0) != (Denominator < 0)) Result = -Result;
    if (Result > std::numeric_limits<int>::max() || Result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(Result);
}

int cxHalfSum(int A, int B) {
    // In 64 bits the sum cannot overflow.
    const long long Sum = static_cast<long long>(A) + B;
    return static_cast<int>(Sum >= 0 ? Sum / 2 : -((-Sum + 1) / 2));
}

void cxCopyData(const void* Source, void* Dest, std::size_t Count) {
    if (Count) std::memmove(Dest, Source, Count);
}

int cxStrCharLength(std::string_view S, int Index) {
    return Index >= 1 && static_cast<std::size_t>(Index) <= S.size() ? 1 : 0;
}

} // namespace toolkit::base
