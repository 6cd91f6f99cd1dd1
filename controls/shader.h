#pragma once
// The gradient panel: a panel painted in Steps bands that go from FromColor to ToColor, top to
// bottom (Direction false) or left to right (true). The element windows put one behind their
// page controls.

#include "platform/forms/ext_ctrls.h"

#include <cstdint>
#include <string>

namespace controls {

namespace forms = platform::forms;

class TShader : public forms::TPanel {
public:
    explicit TShader(forms::TComponent* owner);

    // RGB values: a system colour is resolved when it is set and does not follow the desktop.
    forms::TColor FromColor() const { return fromColor_; }
    forms::TColor ToColor() const { return toColor_; }
    // 0 paints as 1 and becomes 1 at the next painting.
    std::uint16_t Steps() const { return steps_; }
    bool Direction() const { return direction_; }
    // Each setter invalidates, even with the value it has.
    void SetFromColor(forms::TColor value);
    void SetToColor(forms::TColor value);
    void SetSteps(std::uint16_t value);
    void SetDirection(bool value);

    // The four version bytes, most significant first: 01010000H.
    virtual std::uint32_t GetVersion() const;
    // GetVersion's bytes in decimal, joined by ".": "1.1.0.0". Form files store the text;
    // writing it changes nothing.
    std::string Version() const;
    void SetVersion(const std::string&) {}

protected:
    void Paint() override;

private:
    forms::TColor fromColor_ = 0xFF0000;
    forms::TColor toColor_ = 0;
    std::uint16_t steps_ = 20;
    bool direction_ = false;
};

} // namespace controls
