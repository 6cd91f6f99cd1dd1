#include "toolkit/base/cx_region.h"

#include "platform/gdi/region_handles.h"

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

int CombineMode(TcxRegionOperation Operation) {
    static constexpr int Modes[4] = {pg::RGN_COPY, pg::RGN_OR, pg::RGN_DIFF, pg::RGN_AND};
    return Modes[Operation];
}

} // namespace

TcxRegion::TcxRegion() : TcxRegion(0, 0, 0, 0) {}

TcxRegion::TcxRegion(HRGN AHandle) : FHandle(AHandle) {}

TcxRegion::TcxRegion(const TRect& R) : FHandle(pg::CreateRectRgnIndirect(R)) {}

TcxRegion::TcxRegion(int Left, int Top, int Right, int Bottom)
    : TcxRegion(TRect{Left, Top, Right, Bottom}) {}

TcxRegion::~TcxRegion() {
    DestroyHandle();
}

std::unique_ptr<TcxRegion> TcxRegion::CreateRect(const TRect& R) {
    return std::make_unique<TcxRegion>(R);
}

std::unique_ptr<TcxRegion> TcxRegion::CreateBounds(int Left, int Top, int Right, int Bottom) {
    return std::make_unique<TcxRegion>(Left, Top, Right, Bottom);
}

std::unique_ptr<TcxRegion> TcxRegion::CreateEmpty() {
    return std::make_unique<TcxRegion>();
}

bool TcxRegion::IsEmpty() const {
    TRect Box;
    return pg::GetRgnBox(FHandle, &Box) == pg::NULLREGION;
}

bool TcxRegion::IsEqual(const TcxRegion* Region) const {
    if (Region == nullptr) return false;
    if (IsEmpty() && Region->IsEmpty()) return true;
    return pg::EqualRgn(FHandle, Region->FHandle) != 0;
}

void TcxRegion::Combine(std::unique_ptr<TcxRegion> Region, TcxRegionOperation Operation) {
    if (Region) Combine(*Region, Operation);
}

void TcxRegion::Combine(const TcxRegion& Region, TcxRegionOperation Operation) {
    if (Operation == rgnSet)
        pg::CombineRgn(FHandle, Region.FHandle, HRGN{}, pg::RGN_COPY);
    else
        pg::CombineRgn(FHandle, FHandle, Region.FHandle, CombineMode(Operation));
}

void TcxRegion::Offset(int DX, int DY) {
    pg::OffsetRgn(FHandle, DX, DY);
}

void TcxRegion::DestroyHandle() {
    if (FHandle == HRGN{}) return;
    pg::DeleteObject(FHandle);
    FHandle = HRGN{};
}

} // namespace toolkit::base
