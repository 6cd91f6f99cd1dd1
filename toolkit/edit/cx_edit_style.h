#pragma once
// The state styles of editors: the container's ten values and six more for buttons and popups.
// ButtonStyle belongs to each state (an unassigned one reads as the normal style's); the other
// five are shared by all states and live in the normal style, where a write to another state's
// style goes. A value is read from the style itself, else from its controller's style of the
// same state along the controller chain, else from the default; a style in direct-access mode
// reads only its own values.
//
// Editors with no controller of their own use the default edit style controller made at the
// editor base's start (not in direct-access mode, and not for in-place editors).

#include "toolkit/base/look_and_feel_painter_lookup.h"
#include "toolkit/edit/cx_container_style.h"
#include "toolkit/edit/cx_edit_buttons.h"

#include <cstdint>

namespace toolkit::edit {

using toolkit::base::TcxLookAndFeelKind;

// The container's border styles under the names editors publish.
using TcxEditBorderStyle = TcxContainerBorderStyle;
inline constexpr TcxEditBorderStyle ebsNone = cbsNone, ebsSingle = cbsSingle, ebsThick = cbsThick,
                                    ebsFlat = cbsFlat, ebs3D = cbs3D, ebsUltraFlat = cbsUltraFlat,
                                    ebsOffice11 = cbsOffice11;

enum TcxEditPopupBorderStyle : std::uint8_t { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
// dirLeft .. dirDown of TcxDirection.
using TcxEditGradientDirection = toolkit::base::TcxDirection;

inline constexpr TcxContainerStyleValue svButtonStyle = 10, svButtonTransparency = 11,
                                        svPopupBorderStyle = 12, svGradientButtons = 13,
                                        svGradient = 14, svGradientDirection = 15;
// The values editors add to the container's.
inline constexpr TcxContainerStyleValues cxEditStyleValues = 0xFC00;
// The values all states share.
inline constexpr TcxContainerStyleValues cxEditStateIndependentValues = 64120;

class TcxCustomEditStyle : public TcxContainerStyle {
public:
    TcxCustomEditStyle(platform::core::TPersistent* AOwner, TcxContainerStyleState AState,
                       TcxContainerStyle* AParentStyle, bool ADirectAccessMode);

    // From an edit style: the six values, PopupOption, then the container's part, one change.
    void Assign(const platform::core::TPersistent* Source) override;

    bool IsValueAssigned(TcxContainerStyleValue Value) const override;
    TcxContainerStyleValues GetStateIndependentValues() const override {
        return cxEditStateIndependentValues;
    }
    int GetStyleValueCount() const override { return 16; }
    bool GetStyleValueName(TcxContainerStyleValue Index, std::string& Name) const override;
    // Assigned here, and not reported unpublished by the owning editor.
    bool IsValueStored(TcxContainerStyleValue Value) const;

    TcxEditButtonStyle ButtonStyle() const;
    void SetButtonStyle(TcxEditButtonStyle Value);
    TcxEditButtonTransparency ButtonTransparency() const;
    void SetButtonTransparency(TcxEditButtonTransparency Value);
    TcxEditPopupBorderStyle PopupBorderStyle() const;
    void SetPopupBorderStyle(TcxEditPopupBorderStyle Value);
    bool GradientButtons() const;
    void SetGradientButtons(bool Value);
    bool Gradient() const;
    void SetGradient(bool Value);
    TcxEditGradientDirection GradientDirection() const;
    void SetGradientDirection(TcxEditGradientDirection Value);
    // The popup's close button (shown on a popup's system panel), held by this style.
    bool PopupOption() const { return FPopupOption; }
    void SetPopupOption(bool Value) { FPopupOption = Value; }
    // The close-button option as the popup takes it: from the normal (root) style.
    bool PopupCloseButton() const;
    void SetPopupCloseButton(bool Value);

protected:
    TcxStyleController* GetDefaultStyleController() const override;

private:
    // The style that answers Value: this one, or along the controller chain; nullptr for none.
    const TcxCustomEditStyle* Source(TcxContainerStyleValue Value) const;
    TcxCustomEditStyle& Shared();
    const TcxCustomEditStyle& Shared() const;

    TcxEditButtonStyle FButtonStyle = btsDefault;
    TcxEditButtonTransparency FButtonTransparency = ebtNone;
    TcxEditPopupBorderStyle FPopupBorderStyle = epbsDefault;
    bool FGradientButtons = false;
    bool FGradient = false;
    TcxEditGradientDirection FGradientDirection = toolkit::base::dirDown;
    bool FPopupOption = true;
};

// The published edit style.
class TcxEditStyle : public TcxCustomEditStyle {
public:
    using TcxCustomEditStyle::TcxCustomEditStyle;
};

TcxContainerStyleClass cxEditStyleClass();

class TcxEditStyleController : public TcxStyleController {
public:
    explicit TcxEditStyleController(platform::core::TComponent* AOwner);

    TcxCustomEditStyle& Style() const { return StyleOf(cssNormal); }
    TcxCustomEditStyle& StyleFocused() const { return StyleOf(cssFocused); }
    TcxCustomEditStyle& StyleDisabled() const { return StyleOf(cssDisabled); }
    TcxCustomEditStyle& StyleHot() const { return StyleOf(cssHot); }

protected:
    TcxContainerStyleClass GetStyleClass() const override { return cxEditStyleClass(); }

private:
    TcxCustomEditStyle& StyleOf(TcxContainerStyleState State) const;
};

// The controller the editor base's start makes; nullptr before it and after the last end.
TcxEditStyleController* GetDefaultEditStyleController();
void cxCreateDefaultEditStyleController();
void cxFreeDefaultEditStyleController();

// The button style btsDefault stands for. In place, or without a border and hot tracking: by
// the look-and-feel kind; else by the border style.
TcxEditButtonStyle cxGetDefaultButtonStyle(bool AInplace, TcxEditBorderStyle ABorderStyle,
                                           bool AHotTrack, TcxLookAndFeelKind AKind);
// The popup border epbsDefault stands for. In place: by the look-and-feel kind. Without a border
// but with buttons: by the buttons' look-and-feel kind (cxGetEditButtonsLookAndFeelKind). Else
// by the border style.
TcxEditPopupBorderStyle cxGetPopupBorderStyleByKind(TcxLookAndFeelKind AKind);
TcxEditPopupBorderStyle cxGetPopupBorderStyleByBorder(TcxEditBorderStyle ABorderStyle);

} // namespace toolkit::edit
