#pragma once
// The program's own parameter clipboard (not the platform's): one performance part, one scale
// tune and the pages of one rhythm note, copied from and pasted into records' message images.
// It sends nothing; the page that pastes sends what changed.

#include "model/editing/page_kinds.h"
#include "model/sysex/address_map.h"
#include "platform/core/object.h"

#include <array>
#include <cstdint>
#include <set>

namespace model {

class TPerformancePart;
class TPartScaleTune;
class TRhythmNote;

inline constexpr std::size_t ClipboardPartLength = 30;

class TClipboard : public platform::core::TObject {
public:
    // The first 30 image bytes: header and parameters 0..20.
    void CopyPart(const TPerformancePart& part);
    // Parameters 21..24 of the target stay; PartHeld is the caller's to test.
    void PastePart(TPerformancePart& part) const;
    // The whole image.
    void CopyScaleTune(const TPartScaleTune& tune);
    void PasteScaleTune(TPartScaleTune& tune) const;
    // The parameters of one rhythm note page (kind RHYMAIN..RHYTVA); other pages held stay.
    void CopyRhythmNote(const TRhythmNote& note, TPageKind kind);
    // Writes back the held parameters of that page; another kind does nothing.
    void PasteRhythmNote(TRhythmNote& note, TPageKind kind) const;

    bool PartHeld = false;
    bool ScaleTuneHeld = false;
    std::set<TPageKind> RhythmKinds;
    std::array<std::uint8_t, ClipboardPartLength> PartBytes{};
    std::array<std::uint8_t, MessageLength(ScaleTuneDataLength)> ScaleTuneBytes{};
    std::array<std::uint8_t, RhythmNoteDataLength> RhythmNoteBytes{};
};

} // namespace model
