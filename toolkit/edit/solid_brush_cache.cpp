#include "toolkit/edit/solid_brush_cache.h"

#include "platform/gdi/colors.h"

#include <algorithm>

namespace toolkit::edit {

using namespace platform::gdi;

namespace {

constexpr int SystemBrushCount = 31;
constexpr TColor SystemColorFlag = static_cast<TColor>(0xFF000000u);

struct TUnit {
    int ReferenceCount = 0;
    std::vector<TcxSolidBrush> SystemBrushes;
    std::unique_ptr<TcxSolidBrushCache> Cache;
};

TUnit& Unit() {
    static TUnit Instance;
    return Instance;
}

void FillSystemBrushes() {
    auto& Brushes = Unit().SystemBrushes;
    Brushes.clear();
    for (int Index = 0; Index < SystemBrushCount; ++Index)
        Brushes.emplace_back(GetSysColorBrush(Index), false);
}

} // namespace

TcxSolidBrush::TcxSolidBrush(HBRUSH Brush, bool Owned)
    : FOwner(std::make_shared<const TOwner>(Brush, Owned)) {}

TcxSolidBrush::TOwner::~TOwner() {
    if (Owned) DeleteObject(Handle);
}

TcxSolidBrushCache::TcxSolidBrushCache(int ACapacity)
    : FColors(static_cast<std::size_t>(ACapacity)), FBrushes(static_cast<std::size_t>(ACapacity)),
      FUsageCounts(static_cast<std::size_t>(ACapacity)), FCapacity(ACapacity),
      FPaletteNotifier(std::make_unique<toolkit::base::TcxSystemPaletteChangedNotifier>(false)) {
    FPaletteNotifier->OnSystemPaletteChanged = [this] { Clear(); };
}

TcxSolidBrushCache::~TcxSolidBrushCache() {
    FPaletteNotifier.reset();
    TcxSolidBrushCache::Clear();
}

void TcxSolidBrushCache::Clear() {
    std::fill(FBrushes.begin(), FBrushes.begin() + FCount, TcxSolidBrush());
    FCount = 0;
}

TcxSolidBrush TcxSolidBrushCache::GetBrush(TColor Color) {
    const auto& SystemBrushes = Unit().SystemBrushes;
    if (!SystemBrushes.empty() && Color >= SystemColorFlag &&
        Color <= SystemColorFlag + (SystemBrushCount - 1))
        return SystemBrushes[static_cast<std::size_t>(Color - SystemColorFlag)];

    const auto ColorsEnd = FColors.begin() + FCount;
    auto Found = std::lower_bound(FColors.begin(), ColorsEnd, Color);
    auto Index = static_cast<int>(Found - FColors.begin());
    if (Found != ColorsEnd && *Found == Color) {
        ++FUsageCounts[static_cast<std::size_t>(Index)];
        return FBrushes[static_cast<std::size_t>(Index)];
    }

    if (FCount == FCapacity) {
        const auto Least =
            static_cast<int>(std::min_element(FUsageCounts.begin(), FUsageCounts.begin() + FCount) -
                             FUsageCounts.begin());
        FColors.erase(FColors.begin() + Least);
        FBrushes.erase(FBrushes.begin() + Least);
        FUsageCounts.erase(FUsageCounts.begin() + Least);
        --FCount;
        if (Least < Index) --Index;
    } else {
        FColors.pop_back();
        FBrushes.pop_back();
        FUsageCounts.pop_back();
    }
    const auto At = static_cast<std::size_t>(Index);
    TcxSolidBrush Brush(CreateSolidBrush(ColorToRGB(Color)), true);
    FColors.insert(FColors.begin() + static_cast<std::ptrdiff_t>(At), Color);
    FBrushes.insert(FBrushes.begin() + static_cast<std::ptrdiff_t>(At), Brush);
    FUsageCounts.insert(FUsageCounts.begin() + static_cast<std::ptrdiff_t>(At), 0);
    ++FCount;
    return Brush;
}

std::vector<TColor> TcxSolidBrushCache::CachedColors() const {
    return {FColors.begin(), FColors.begin() + FCount};
}

int TcxSolidBrushCache::UsageCount(TColor Color) const {
    const auto End = FColors.begin() + FCount;
    const auto Found = std::lower_bound(FColors.begin(), End, Color);
    if (Found == End || *Found != Color) return -1;
    return FUsageCounts[static_cast<std::size_t>(Found - FColors.begin())];
}

TcxSolidBrushCache& cxSolidBrushCache() {
    TUnit& U = Unit();
    if (!U.Cache) {
        if (U.SystemBrushes.empty()) FillSystemBrushes();
        U.Cache = std::make_unique<TcxSolidBrushCache>();
    }
    return *U.Cache;
}

TcxSolidBrush GetSolidBrush(TColor Color) {
    return cxSolidBrushCache().GetBrush(Color);
}

void InitializeSolidBrushCache() {
    if (Unit().ReferenceCount++ == 0) cxSolidBrushCache();
}

void FinalizeSolidBrushCache() {
    TUnit& U = Unit();
    if (U.ReferenceCount == 0 || --U.ReferenceCount != 0) return;
    U.Cache.reset();
    U.SystemBrushes.clear();
}

} // namespace toolkit::edit
