#pragma once
// A clip-region object that owns its region handle, with the arithmetic the canvas needs. The
// handle is deleted with the object.

#include "platform/gdi/geometry.h"
#include "platform/gdi/objects.h"

#include <cstdint>
#include <memory>

namespace toolkit::base {

using platform::gdi::HRGN;
using platform::gdi::TRect;

// How a region is combined into another: replaced, united, subtracted, intersected.
enum TcxRegionOperation : std::uint8_t { rgnSet, rgnAdd, rgnSubtract, rgnIntersect };

class TcxRegion {
public:
    // An empty region.
    TcxRegion();
    // Takes ownership of an existing handle.
    explicit TcxRegion(HRGN AHandle);
    explicit TcxRegion(const TRect& R);
    TcxRegion(int Left, int Top, int Right, int Bottom);
    ~TcxRegion();
    TcxRegion(const TcxRegion&) = delete;
    TcxRegion& operator=(const TcxRegion&) = delete;

    static std::unique_ptr<TcxRegion> CreateRect(const TRect& R);
    // The same as CreateRect, under the name its callers use.
    static std::unique_ptr<TcxRegion> CreateFromRect(const TRect& R) { return CreateRect(R); }
    static std::unique_ptr<TcxRegion> CreateBounds(int Left, int Top, int Right, int Bottom);
    static std::unique_ptr<TcxRegion> CreateEmpty();

    HRGN Handle() const { return FHandle; }
    bool IsEmpty() const;
    // False for nullptr; two empty regions are equal whatever their handles.
    bool IsEqual(const TcxRegion* Region) const;
    // rgnSet copies Region into this one; the others combine this one with Region. The first
    // form frees Region afterwards, the second leaves it alone.
    void Combine(std::unique_ptr<TcxRegion> Region, TcxRegionOperation Operation);
    void Combine(const TcxRegion& Region, TcxRegionOperation Operation);
    void Offset(int DX, int DY);
    void DestroyHandle();

private:
    HRGN FHandle{};
};

} // namespace toolkit::base
