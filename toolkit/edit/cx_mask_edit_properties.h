#pragma once
// The masked edit's properties: the mask language (MaskKind) and the mask (EditMask) on top of
// the text edit's. A blank mask (empty or only whitespace) is no mask: the properties then
// answer as the text edit's do. With a mask, display values are formatted by a mode of the
// mask's kind that the properties keep for themselves, the maximum length stays 0, lookup items
// are not used, and a text that does not satisfy the mask fails validation with "The edit value
// is invalid".
//
// The EditMask setter compiles a changed mask first: an invalid regular expression raises
// EcxRegExprError and nothing is stored. CharCase upper or lower forces CaseInsensitive.

#include "toolkit/edit/cx_mask_edit_intf.h"
#include "toolkit/edit/cx_text_edit_properties.h"

#include <memory>
#include <string>

namespace toolkit::edit {

class TcxMaskEditCustomMode;

class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    explicit TcxCustomMaskEditProperties(platform::core::TPersistent* AOwner);
    ~TcxCustomMaskEditProperties() override;

    // The text edit's values, then the mask's, as one change.
    void Assign(const platform::core::TPersistent* Source) override;

    bool AlwaysShowBlanksAndLiterals() const { return FAlwaysShowBlanksAndLiterals; }
    void SetAlwaysShowBlanksAndLiterals(bool Value);
    bool CaseInsensitive() const { return FCaseInsensitive; }
    void SetCaseInsensitive(bool Value);
    // The stored mask; for the standard kind a blank one gives way to the default-values
    // provider's edit mask.
    std::string EditMask() const;
    void SetEditMask(const std::string& Value);
    // The mask exactly as stored.
    const std::string& StoredEditMask() const { return FEditMask; }
    // Forgets the stored mask without a change: the edit does it when the language changes.
    void ClearStoredEditMask() { FEditMask.clear(); }
    // The mode's empty value, refreshed when the edit re-creates its mode.
    const std::string& EmptyString() const { return FEmptyString; }
    void SetEmptyString(const std::string& Value) { FEmptyString = Value; }
    bool IgnoreMaskBlank() const { return FIgnoreMaskBlank; }
    void SetIgnoreMaskBlank(bool Value);
    TcxEditMaskKind MaskKind() const { return FMaskKind; }
    void SetMaskKind(TcxEditMaskKind Value);
    void SetCharCase(TEditCharCase Value) override;

    // A mask is set and in force: editors that use their mask only in some styles say when.
    virtual bool IsMasked() const;
    // The interface the input modes read the properties through.
    IcxMaskEditProperties& ModeProperties() { return FModeSite; }

    void Changed() override;
    unsigned GetDisplayFormatOptions() const override;
    const platform::core::TComponentClass& GetContainerClass() const override;
    bool IsEditValueValid(Variant& EditValue, bool AEditFocused) override;
    void MaxLengthChanged() override;
    bool UseLookupData() const override;
    void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue,
                             bool AEditFocused) override;
    void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                              IcxEditValidation* AEdit) override;

private:
    class TModeSite : public IcxMaskEditProperties {
    public:
        explicit TModeSite(TcxCustomMaskEditProperties& AOwner) : FOwner(AOwner) {}
        std::string EditMask() const override { return FOwner.EditMask(); }
        bool BeepOnError() const override { return FOwner.BeepOnError(); }
        bool CaseInsensitive() const override { return FOwner.CaseInsensitive(); }
        bool IgnoreMaskBlank() const override { return FOwner.IgnoreMaskBlank(); }
        platform::forms::TEditCharCase CharCase() const override { return FOwner.CharCase(); }
        void PrepareDisplayValue(const platform::core::Variant& EditValue,
                                 platform::core::Variant& DisplayValue, bool Focused) override {
            FOwner.PrepareDisplayValue(EditValue, DisplayValue, Focused);
        }

    private:
        TcxCustomMaskEditProperties& FOwner;
    };

    // The mode formatting display values, of the kind and mask in force.
    TcxMaskEditCustomMode& DisplayMode();

    bool FAlwaysShowBlanksAndLiterals = false;
    bool FCaseInsensitive = true;
    std::string FEditMask;
    std::string FEmptyString;
    bool FIgnoreMaskBlank = false;
    TcxEditMaskKind FMaskKind = emkStandard;
    bool FMaxLengthSetting = false;
    std::unique_ptr<TcxMaskEditCustomMode> FDisplayMode;
    TModeSite FModeSite{*this};
};

// The masked edit's published properties.
class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
public:
    static const TcxCustomEditPropertiesClass& ClassRef();
    const TcxCustomEditPropertiesClass& ClassType() const override { return ClassRef(); }
    using TcxCustomMaskEditProperties::TcxCustomMaskEditProperties;
    bool PublishesProperty(const std::string& Name) const override;
};

// Blank: empty or only spaces, tabs, line feeds, form feeds and carriage returns.
bool cxIsBlankMask(const std::string& Mask);
// What an unfocused standard mask shows of Text: the masked text, its trailing blanks trimmed.
std::string cxTrimMaskBlanks(TcxMaskEditCustomMode& Mode, const std::string& Text);

} // namespace toolkit::edit
