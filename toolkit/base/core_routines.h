#pragma once
// Small routines that the whole library shares.

#include "platform/core/object.h"
#include "platform/core/persistent.h"
#include "platform/gdi/geometry.h"

#include <cstddef>
#include <string_view>

namespace toolkit::base {

using platform::gdi::TSize;

// Calls Event when it is assigned.
inline void cxCallNotify(const platform::core::TNotifyEvent& Event,
                         platform::core::TObject* Sender) {
    if (Event) Event(Sender);
}

inline platform::core::TPersistent* cxGetPersistentOwner(const platform::core::TPersistent* P) {
    return P->GetOwner();
}

inline TSize cxSize(int CX, int CY) {
    return {CX, CY};
}

// Number * Numerator / Denominator in 64 bits, rounded to the nearest integer (halves away from
// zero), as the platform's MulDiv; -1 for a zero Denominator or a result beyond 32 bits.
int MulDiv(int Number, int Numerator, int Denominator);

// (A + B) / 2 rounded toward minus infinity.
int cxHalfSum(int A, int B);

void cxCopyData(const void* Source, void* Dest, std::size_t Count);

// The byte length of the character at the 1-based Index; our 8-bit text has one byte per
// character, and there is none past the end (0).
int cxStrCharLength(std::string_view S, int Index);

} // namespace toolkit::base
