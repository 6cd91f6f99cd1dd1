#pragma once
// The four state styles an editor's container is drawn from (normal, focused, disabled, hot),
// and the style controller that serves as their shared source. A value is either assigned in
// the style itself or comes, in order, from the controller's style of the same state, from that
// controller's own controller, and so on, and finally from a per-state default. Values shared by
// all states (Edges, Font, HotTrack, Shadow, TransparentBorder, the look-and-feel and the
// controller) live in the normal style; the others forward to it.
//
// A controller keeps its listeners as plain pointers: a style leaves its controller's list when
// it dies or changes controller, and a controller that dies first tells each listener, newest
// first, so that none keeps a dangling controller.

#include "toolkit/base/cx_canvas.h"
#include "toolkit/base/interfaced_persistent.h"
#include "toolkit/base/look_and_feel.h"

#include "platform/core/component.h"
#include "platform/gdi/canvas.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

using platform::gdi::TColor;
using platform::gdi::TFont;
using platform::gdi::TFontStyles;
using toolkit::base::TcxBorders;

// 0..31; a descendant style adds its own values from 10 on.
using TcxContainerStyleValue = int;
// Bit n is value n.
using TcxContainerStyleValues = std::uint32_t;
inline constexpr TcxContainerStyleValue svBorderColor = 0, svBorderStyle = 1, svColor = 2,
                                        svEdges = 3, svFont = 4, svHotTrack = 5, svShadow = 6,
                                        svTextColor = 7, svTextStyle = 8, svTransparentBorder = 9;
constexpr TcxContainerStyleValues cxStyleValue(TcxContainerStyleValue Value) {
    return 1u << Value;
}

enum TcxContainerBorderStyle : std::uint8_t {
    cbsNone,
    cbsSingle,
    cbsThick,
    cbsFlat,
    cbs3D,
    cbsUltraFlat,
    cbsOffice11
};

// The state styles' indices.
enum TcxContainerStyleState : std::uint8_t { cssNormal, cssFocused, cssDisabled, cssHot };

class TcxStyleController;

// What a style asks of the container that owns it; implemented by the container.
class IcxContainerStyleOwner {
public:
    virtual bool StyleOwnerUsesParentColorByDefault() = 0;
    virtual bool StyleOwnerIsInplace() = 0;
    virtual bool StyleOwnerParentColor() = 0;
    virtual void StyleOwnerSetParentColor(bool Value) = 0;
    virtual bool StyleOwnerParentFont() = 0;
    virtual void StyleOwnerSetParentFont(bool Value) = 0;
    // False when the container has no parent control; else Color is the parent's colour.
    virtual bool StyleOwnerParentControlColor(TColor& Color) = 0;

protected:
    ~IcxContainerStyleOwner() = default;
};

class TcxContainerStyle : public toolkit::base::TcxInterfacedPersistent {
public:
    // ParentStyle is kept only for a state other than normal. In direct-access mode the style
    // only carries painting values: Color, Font, TextColor and TextStyle read as its own, the
    // rest as fixed answers, and it never reports a change.
    TcxContainerStyle(platform::core::TPersistent* AOwner, TcxContainerStyleState AState,
                      TcxContainerStyle* AParentStyle, bool ADirectAccessMode);
    ~TcxContainerStyle() override;
    TcxContainerStyle(const TcxContainerStyle&) = delete;
    TcxContainerStyle& operator=(const TcxContainerStyle&) = delete;

    void Assign(const platform::core::TPersistent* Source) override;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Inside an update the change is reported at the last EndUpdate.
    virtual void Changed();
    virtual void RestoreDefaults();

    TcxContainerStyleState State() const { return FState; }
    TcxContainerStyle* ParentStyle() const { return FParentStyle; }
    bool IsBaseStyle() const { return FParentStyle == nullptr; }
    bool DirectAccessMode() const { return FDirectAccessMode; }
    virtual bool HasBorder() const;

    // The stored set reads as every value in direct-access mode.
    TcxContainerStyleValues AssignedValues() const;
    void SetAssignedValues(TcxContainerStyleValues Value);
    // Assigned here or along the controller chain.
    virtual bool IsValueAssigned(TcxContainerStyleValue Value) const;
    virtual TcxContainerStyleValues GetStateIndependentValues() const;
    virtual int GetStyleValueCount() const { return 10; }
    virtual bool GetStyleValueName(TcxContainerStyleValue Index, std::string& Name) const;
    // Case-insensitive; -1 for a name that is no value.
    TcxContainerStyleValue FindStyleValueByName(const std::string& Name) const;
    bool IsStateDependentValueName(const std::string& Name) const;

    TColor BorderColor() const;
    void SetBorderColor(TColor Value);
    TcxContainerBorderStyle BorderStyle() const;
    void SetBorderStyle(TcxContainerBorderStyle Value);
    // The Color property: a container with ParentColor on shows its parent's colour.
    virtual TColor GetColor() const;
    void SetColor(TColor Value);
    // What the container copies into its own Color.
    virtual TColor GetContainerColor() const;
    TcxBorders Edges() const;
    void SetEdges(TcxBorders Value);
    // The base style's font (borrowed in direct-access mode).
    TFont& Font() const;
    void SetFont(TFont* Value);
    bool HotTrack() const;
    void SetHotTrack(bool Value);
    bool Shadow() const;
    void SetShadow(bool Value);
    virtual TColor GetTextColor() const;
    void SetTextColor(TColor Value);
    virtual TFontStyles GetTextStyle() const;
    void SetTextStyle(TFontStyles Value);
    bool TransparentBorder() const;
    void SetTransparentBorder(bool Value);
    // The Font with TextColor and TextStyle applied.
    TFont& GetVisibleFont();

    // The base style's.
    toolkit::base::TcxLookAndFeel& LookAndFeel() const;
    void SetLookAndFeel(const toolkit::base::TcxLookAndFeel& Value);

    // Null when the default controller serves. Setting null takes the default controller; a
    // controller whose chain leads back to this style is refused silently.
    TcxStyleController* StyleController() const;
    void SetStyleController(TcxStyleController* Value);

    // Takes the controller chain's font again, unless Font is assigned here.
    void UpdateFont();

    virtual void ControllerChangedNotification(TcxStyleController* Controller);
    virtual void ControllerFreeNotification(TcxStyleController* Controller);

    std::function<void(TcxContainerStyle* Sender)> OnChanged;

protected:
    virtual TColor DefaultBorderColor() const;
    virtual TcxContainerBorderStyle DefaultBorderStyle() const;
    virtual TColor DefaultColor() const;
    virtual TcxBorders DefaultEdges() const { return toolkit::base::cxBordersAll; }
    virtual bool DefaultHotTrack() const { return true; }
    virtual bool DefaultShadow() const { return false; }
    virtual TColor DefaultTextColor() const;
    virtual TFontStyles DefaultTextStyle() const;
    virtual bool DefaultTransparentBorder() const { return true; }
    virtual void FontChanged();
    virtual TcxStyleController* GetDefaultStyleController() const;

    // The style of the chain where Value is assigned (this, or a controller's style of the
    // same state); nullptr when none assigns it.
    const TcxContainerStyle* FindAssigned(TcxContainerStyleValue Value) const;
    IcxContainerStyleOwner* ContainerOwner() const;
    const TcxContainerStyle& BaseStyle() const { return FParentStyle ? *FParentStyle : *this; }
    TcxContainerStyle& BaseStyle() { return FParentStyle ? *FParentStyle : *this; }
    bool IsAssignedHere(TcxContainerStyleValue Value) const {
        return (FAssignedValues & cxStyleValue(Value)) != 0;
    }
    // Sets the value's bit and reports the change.
    void ValueChanged(TcxContainerStyleValue Value);

private:
    void DoChanged();

    TColor FBorderColor = platform::gdi::clDefault;
    TcxContainerBorderStyle FBorderStyle = cbsNone;
    TcxBorders FEdges = 0;
    bool FHotTrack = false;
    bool FShadow = false;
    bool FTransparentBorder = false;
    bool FDirectAccessMode;
    int FFontUpdateLock = 0;
    bool FIsDestroying = false;
    std::unique_ptr<toolkit::base::TcxLookAndFeel> FLookAndFeel;
    bool FModified = false;
    TcxContainerStyle* FParentStyle = nullptr;
    TcxContainerStyleState FState;
    TFontStyles FTextStyle = 0;
    int FUpdateCount = 0;
    std::unique_ptr<TFont> FVisibleFont;
    TcxContainerStyleValues FAssignedValues = 0;
    // Holds the default controller when that serves.
    TcxStyleController* FStyleController = nullptr;
    TColor FColor = platform::gdi::clWindow;
    std::unique_ptr<TFont> FOwnedFont;
    TFont* FBorrowedFont = nullptr;
    TColor FTextColor = platform::gdi::clWindowText;
};

// Makes a style of a class: (owner, state, parent style, direct-access mode).
using TcxContainerStyleClass = std::function<std::unique_ptr<TcxContainerStyle>(
    platform::core::TPersistent*, TcxContainerStyleState, TcxContainerStyle*, bool)>;
TcxContainerStyleClass cxContainerStyleClass();

// The four state styles; the normal one is the parent of the other three.
class TcxContainerStyles {
public:
    TcxContainerStyles(platform::core::TPersistent* AOwner,
                       const TcxContainerStyleClass& StyleClass);
    // Frees hot, disabled, focused, then normal.
    ~TcxContainerStyles();

    TcxContainerStyle& Style() const { return *FStyles[cssNormal]; }
    TcxContainerStyle& StyleFocused() const { return *FStyles[cssFocused]; }
    TcxContainerStyle& StyleDisabled() const { return *FStyles[cssDisabled]; }
    TcxContainerStyle& StyleHot() const { return *FStyles[cssHot]; }
    TcxContainerStyle& operator[](int State) const { return *FStyles.at(State); }
    void SetOnChanged(const std::function<void(TcxContainerStyle*)>& Value);

private:
    std::array<std::unique_ptr<TcxContainerStyle>, 4> FStyles;
};

// A non-visual source of the four state styles for any number of container styles.
class TcxStyleController : public platform::core::TComponent {
public:
    explicit TcxStyleController(platform::core::TComponent* AOwner);
    // Each listener, newest first, loses this controller.
    ~TcxStyleController() override;

    TcxContainerStyles& Styles() const { return *FStyles; }
    TcxContainerStyle& Style() const { return FStyles->Style(); }

    // Ignores null and a style already listening; the style follows the normal style's
    // look-and-feel from then on.
    void AddListener(TcxContainerStyle* Style);
    void RemoveListener(TcxContainerStyle* Style);
    const std::vector<TcxContainerStyle*>& Listeners() const { return FListeners; }
    // OnStyleChanged, then every listener in order.
    void Changed();
    void ChangeScale(int M, int D);

    std::function<void(TcxStyleController* Sender)> OnStyleChanged;

protected:
    // For a controller whose styles are of a descendant class (the virtual GetStyleClass is not
    // reached from a constructor).
    TcxStyleController(platform::core::TComponent* AOwner,
                       const TcxContainerStyleClass& StyleClass);
    virtual TcxContainerStyleClass GetStyleClass() const { return cxContainerStyleClass(); }

private:
    bool FIsDestroying = false;
    bool FScaledOnce = false;
    std::vector<TcxContainerStyle*> FListeners;
    std::unique_ptr<TcxContainerStyles> FStyles;
};

// The process-wide controller that serves a style without its own; null when none exists.
TcxStyleController* GetDefaultStyleControllerInstance();
void SetDefaultStyleControllerInstance(TcxStyleController* Controller);

} // namespace toolkit::edit
