#include "editors/form_sys_preview.h"

#include "editors/labelled_controls.h"
#include "editors/page_choice_rows.h"
#include "platform/forms/place_control.h"

#include <cassert>
#include <memory>
#include <string>

namespace editors {

model::TSystem* TFormSysPreview::PageSystem = nullptr;

namespace {

model::TSystem& TakeSystem() {
    assert(TFormSysPreview::PageSystem != nullptr && "the opener sets PageSystem first");
    return *TFormSysPreview::PageSystem;
}

constexpr int SetPitch = 130;
constexpr int KeySetTop = 76;

} // namespace

TFormSysPreview::TFormSysPreview(forms::TComponent* owner)
    : TSystemPage(owner, TakeSystem(),
                  std::make_unique<TSystemCommonRecord>(TakeSystem(), SlotOf(TakeSystem())),
                  HelpContextNumber, "Preview"),
      mode_(PlaceRadios(*this, *this, 8, 8, 200, "Preview Sound Mode", {"Single", "Chord"})),
      ModeSingle(*mode_[0]), ModeChord(*mode_[1]) {
    SetCaption("Preview");
    AddRow<TRadioRow>("PreviewSoundMode", mode_, 31);
    for (int n = 1; n <= 4; ++n) {
        const std::size_t k = static_cast<std::size_t>(n - 1);
        const int left = 8 + (n - 1) * SetPitch;
        const std::string number = std::to_string(n);
        auto& key = forms::PlaceControl<controls::TMyEdit>(*this, *this, left, KeySetTop, 88, 21);
        key.SetEditType(controls::TEditType::Note);
        forms::PlaceControl<forms::TLabel>(*this, *this, left, KeySetTop - 18, SetPitch - 4, 15,
                                           "Preview Key Set " + number);
        key.Name = "KeySet" + number;
        key.Tag = n;
        KeySet[k] = &key;
        auto& velocity = PlaceLabelledSlider(*this, *this, left, KeySetTop + 32, SetPitch - 4,
                                             ("Preview Velocity Set " + number).c_str(), 0, 127);
        velocity.Name = n == 3 ? "Velset3" : "VelSet" + number;
        velocity.Tag = n;
        VelSet[k] = &velocity;
        const auto offset = static_cast<std::uint16_t>(32 + (n - 1) * 2);
        AddRow<TStepRow>(key.Name, key, offset, Code);
        AddRow<TSliderRow>(velocity.Name, velocity, static_cast<std::uint16_t>(offset + 1), Plain);
    }
    PlaceButtons(KeySetTop + 32 + 170, 4 * SetPitch + 8);
}

} // namespace editors
