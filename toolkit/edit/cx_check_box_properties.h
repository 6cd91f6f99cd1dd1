#pragma once
// The check box editor's properties: which three values of the edit value mean checked,
// unchecked and grayed (any other value shows grayed), the texts each state displays, whether
// the user may cycle through grayed, and how the check is drawn (a glyph strip of GlyphCount
// images, or the look-and-feel's check; its place by Alignment; a null value's look).
//
// The three values change only together and only to three pairwise different values of which
// neither the checked nor the unchecked one is null; anything else is refused silently.

#include "toolkit/edit/cx_edit_properties.h"

#include "toolkit/base/cx_lf_painter.h"

#include "platform/forms/graphics.h"

#include <cstdint>
#include <memory>
#include <string>

namespace toolkit::edit {

using toolkit::base::cbsChecked;
using toolkit::base::cbsGrayed;
using toolkit::base::cbsUnchecked;
using toolkit::base::TcxCheckBoxState;

enum TcxCheckBoxNullValueShowingStyle : std::uint8_t {
    nssUnchecked,
    nssInactive,
    nssGrayedChecked
};

// GetSupportedOperations of the check box: bits 0, 2, 3, 5, 7, 8 and 10.
inline constexpr unsigned cxCheckBoxSupportedOperations = 1453;
// The special feature the check box adds to GetSpecialFeatures.
inline constexpr unsigned cxCheckBoxSpecialFeature = 1u << 2;

class TcxCustomCheckBoxProperties : public TcxCustomEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }

    explicit TcxCustomCheckBoxProperties(platform::core::TPersistent* AOwner);
    ~TcxCustomCheckBoxProperties() override;

    // The base's values, then every check box value (the three values as one triple, refused
    // as SetValues refuses), as one change.
    void Assign(const platform::core::TPersistent* Source) override;

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    // The caption an old stream carried; the editor takes it as its text at the next change.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool CaptionChanged() const { return FCaptionChanged; }
    void SetCaptionChanged(bool Value) { FCaptionChanged = Value; }
    // Each reads its localisable text until set; stored only when it differs from that text.
    std::string DisplayChecked() const;
    void SetDisplayChecked(const std::string& Value);
    std::string DisplayGrayed() const;
    void SetDisplayGrayed(const std::string& Value);
    std::string DisplayUnchecked() const;
    void SetDisplayUnchecked(const std::string& Value);
    bool IsDisplayCheckedStored() const;
    bool IsDisplayGrayedStored() const;
    bool IsDisplayUncheckedStored() const;
    bool FullFocusRect() const { return FFullFocusRect; }
    void SetFullFocusRect(bool Value);
    // Made on first access; a change of the bitmap is a change of the properties.
    platform::forms::TBitmap& Glyph() { return GetGlyph(); }
    int GlyphCount() const { return FGlyphCount; }
    void SetGlyphCount(int Value);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    TcxCheckBoxNullValueShowingStyle NullStyle() const { return FNullStyle; }
    void SetNullStyle(TcxCheckBoxNullValueShowingStyle Value);
    bool UseAlignmentWhenInplace() const { return FUseAlignmentWhenInplace; }
    void SetUseAlignmentWhenInplace(bool Value);
    const Variant& ValueChecked() const { return FValueChecked; }
    const Variant& ValueGrayed() const { return FValueGrayed; }
    const Variant& ValueUnchecked() const { return FValueUnchecked; }
    void SetValueChecked(const Variant& Value) { SetValues(Value, FValueGrayed, FValueUnchecked); }
    void SetValueGrayed(const Variant& Value) { SetValues(FValueChecked, Value, FValueUnchecked); }
    void SetValueUnchecked(const Variant& Value) { SetValues(FValueChecked, FValueGrayed, Value); }
    // False (and nothing changes) when two values are equal or checked or unchecked is null.
    bool SetValues(const Variant& AChecked, const Variant& AGrayed, const Variant& AUnchecked);

    // The state an edit value shows: checked or unchecked on an exact match, else grayed.
    TcxCheckBoxState GetState(const Variant& AEditValue) const;
    // The edit value of a state.
    Variant GetEditValue(TcxCheckBoxState AState) const;
    // Whether a glyph strip stands in for the look-and-feel's check.
    bool IsGlyphValid() const;

    bool CanValidate() const override { return true; }
    bool NoChangeOnSetEditValue() const override { return true; }
    bool IsEditValueRestorable() const override { return true; }
    bool CanCompareEditValue() const override { return true; }
    bool CompareDisplayValues(const Variant& AEditValue1, const Variant& AEditValue2) override;
    std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle& AStyle,
                                                          bool AIsInplace) override;
    std::function<std::unique_ptr<TcxCustomEditViewInfo>()> GetViewInfoClass() const override;
    const platform::core::TComponentClass& GetContainerClass() const override;
    std::string GetDisplayText(const Variant& AEditValue, bool AFullText = false) override;
    unsigned GetSpecialFeatures() const override;
    unsigned GetSupportedOperations() const override { return cxCheckBoxSupportedOperations; }
    bool IsActivationKey(char Key) const override { return Key == ' '; }
    bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
    // DisplayValue: the state as an integer.
    void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                             bool AEditFocused) override;
    virtual platform::forms::TBitmap& GetGlyph();
    // True: the editor lays out its check itself, without the in-place adjustments.
    virtual bool HasCustomCheckLayout() const { return false; }

private:
    void SetFlag(bool& Field, bool Value);

    bool FAllowGrayed = false;
    std::string FCaption;
    bool FCaptionChanged = false;
    std::unique_ptr<std::string> FDisplayChecked;
    std::unique_ptr<std::string> FDisplayGrayed;
    std::unique_ptr<std::string> FDisplayUnchecked;
    bool FFullFocusRect = false;
    std::unique_ptr<platform::forms::TBitmap> FGlyph;
    int FGlyphCount = 6;
    bool FMultiLine = false;
    TcxCheckBoxNullValueShowingStyle FNullStyle = nssGrayedChecked;
    bool FUseAlignmentWhenInplace = false;
    Variant FValueChecked = Variant::Boolean(true);
    Variant FValueGrayed = Variant::Null();
    Variant FValueUnchecked = Variant::Boolean(false);
};

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxCustomCheckBoxProperties::TcxCustomCheckBoxProperties;
};

} // namespace toolkit::edit
