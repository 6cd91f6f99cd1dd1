#pragma once
// The performance common page: the performance name (bytes 0-11), the default tempo (45-46),
// the velocity range switch (47), the voice reserve of the 16 parts (48-63), the keyboard mode
// (64) and the clock source (65). Help context 40, caption "<performance> [Common] [Loc :
// <path>]".
//
// Beyond the engine: "Voice Available" shows 64 less the sum of the reserves. While a reserve
// is stepped, a step up that would bring the sum past 64 is taken back at once, so nothing is
// sent for it; a step down is always taken, down to the field's minimum, even while the sum
// (from a file) stands above 64.

#include "controls/my_edit.h"
#include "editors/editor_page.h"
#include "editors/name_text.h"
#include "model/elements/performance.h"
#include "platform/forms/ext_ctrls.h"
#include "platform/forms/std_ctrls.h"

#include <array>

namespace editors {

class TFormPerComm : public TEditorPage {
public:
    static constexpr int HelpContextNumber = 40;
    static constexpr int ReserveCount = 16;
    static constexpr int VoiceCount = 64;
    // The unit's variable: the opener sets it just before it makes the page.
    static model::TPerformance* PagePerformance;

    explicit TFormPerComm(forms::TComponent* owner);

    model::TPerformance& Performance() const { return performance_; }
    // The sum of the 16 reserve fields as they stand.
    int CalcTotalVoice() const;
    // A reserve field stepped (Sender): the limit of the voices in all.
    void Part1change(forms::TObject* Sender);

    TNameEdit& EditName;
    controls::TMyEdit& DefaultTempo;
    forms::TCheckBox& VelRangeSwitch;
    forms::TGroupBox& GroupReserve;
    // Part1 .. Part16, Tag 1..16.
    std::array<controls::TMyEdit*, ReserveCount> Part{};
    forms::TEdit& EditTotalVoice;
    forms::TPanel& PanelKB;
    forms::TRadioButton& RadioLayer;
    forms::TRadioButton& Radiosingle;
    forms::TPanel& PanelCS;
    forms::TRadioButton& RadioPerformance;
    forms::TRadioButton& RadioSequencer;

protected:
    std::string CaptionText() const override;
    void ActivateElem() override;
    void ShowMore() override;

private:
    void ShowTotalVoice(int total);

    model::TPerformance& performance_;
};

// The performance's common page: brought to the front when the common record has it open, else
// made with owner as its owner after PagePerformance was set, and shown.
TFormPerComm& OpenPerCommPage(model::TPerformance& performance, forms::TComponent& owner);

} // namespace editors
