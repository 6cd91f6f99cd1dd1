#pragma once
// Solid brushes for the editors' painting code, one per colour, kept instead of made and deleted
// for every fill. System colours (FF000000H plus an index up to 30) are served from the brushes
// the system keeps for them and never enter the cache; other colours get a brush made on first
// use and kept, sorted by colour, until the cache is full: then the brush handed out least often
// since it was made (the lowest colour on a tie) makes room. A change of the system palette
// empties the cache.
//
// A brush is handed out as a TcxSolidBrush, which shares the brush's ownership: eviction and
// Clear only drop the cache's share, so a brush a caller still holds stays valid until the
// caller lets go. The caller never deletes it.

#include "toolkit/base/system_palette_notifier.h"

#include "platform/core/object.h"
#include "platform/gdi/objects.h"

#include <memory>
#include <vector>

namespace toolkit::edit {

using platform::gdi::HBRUSH;
using platform::gdi::TColor;

class TcxSolidBrush {
public:
    TcxSolidBrush() = default;
    // Takes ownership of Brush when Owned; a system brush is only referred to.
    TcxSolidBrush(HBRUSH Brush, bool Owned);

    HBRUSH Handle() const { return FOwner ? FOwner->Handle : platform::gdi::NullObject; }
    operator HBRUSH() const { return Handle(); }

private:
    struct TOwner {
        TOwner(HBRUSH AHandle, bool AOwned) : Handle(AHandle), Owned(AOwned) {}
        ~TOwner();
        TOwner(const TOwner&) = delete;
        TOwner& operator=(const TOwner&) = delete;
        HBRUSH Handle;
        bool Owned;
    };
    std::shared_ptr<const TOwner> FOwner;
};

class TcxSolidBrushCache : public platform::core::TObject {
public:
    explicit TcxSolidBrushCache(int ACapacity = 128);
    ~TcxSolidBrushCache() override;
    TcxSolidBrushCache(const TcxSolidBrushCache&) = delete;
    TcxSolidBrushCache& operator=(const TcxSolidBrushCache&) = delete;

    TcxSolidBrush GetBrush(TColor Color);
    // Lets go of every cached brush.
    virtual void Clear();

    int Count() const { return FCount; }
    int Capacity() const { return FCapacity; }
    // The cached colours, ascending, and their usage counts (tests).
    std::vector<TColor> CachedColors() const;
    int UsageCount(TColor Color) const;

private:
    std::vector<TColor> FColors;
    std::vector<TcxSolidBrush> FBrushes;
    std::vector<int> FUsageCounts;
    int FCount = 0;
    int FCapacity;
    std::unique_ptr<toolkit::base::TcxSystemPaletteChangedNotifier> FPaletteNotifier;
};

// The process-wide cache's brush of a colour; the cache is made by the unit's start-up, or on
// first use.
TcxSolidBrush GetSolidBrush(TColor Color);
TcxSolidBrushCache& cxSolidBrushCache();

// The unit's start and end: the first start takes the 31 system-colour brushes and makes the
// cache; the matching last end frees the cache (its brushes with it, unless held) and the table.
void InitializeSolidBrushCache();
void FinalizeSolidBrushCache();

} // namespace toolkit::edit
