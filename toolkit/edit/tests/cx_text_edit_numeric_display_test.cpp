#include "toolkit/edit/cx_text_edit_properties.h"

#include "toolkit/edit/editor_strings.h"

#include "toolkit/base/resource_strings.h"

#include "platform/core/component.h"
#include "platform/core/date_time.h"
#include "platform/core/exception.h"
#include "platform/core/filer.h"
#include "platform/core/streams.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;

// Text properties whose values are numbers, as a numeric editor's are.
class TNumericTextProperties : public TcxTextEditProperties {
public:
    using TcxTextEditProperties::TcxTextEditProperties;
    bool HasNumericValue() const override { return true; }
};

struct NumericCase {
    Variant Value;
    bool Focused;
    const char* DisplayFormat; // nullptr: not assigned
    const char* EditFormat;    // nullptr: not assigned
    bool UseDisplayFormatWhenEditing;
    const char* Expected;
};

std::string Shown(TNumericTextProperties& P, const NumericCase& C) {
    P.AssignedValues().RestoreDefaults();
    if (C.DisplayFormat) P.SetDisplayFormat(C.DisplayFormat);
    if (C.EditFormat) P.SetEditFormat(C.EditFormat);
    P.SetUseDisplayFormatWhenEditing(C.UseDisplayFormatWhenEditing);
    Variant D;
    P.PrepareDisplayValue(C.Value, D, C.Focused);
    return D.AsString();
}

TEST(TextEditNumericDisplayTest, UnfocusedByTheDisplayFormatFocusedByTheEditFormat) {
    pc::FormatSettingsOverride Pinned{pc::TFormatSettings{}};
    const NumericCase Cases[] = {
        // No value is no text, in either state.
        {Variant::Null(), false, "0.00", nullptr, false, ""},
        {Variant::String(""), true, "0.00", nullptr, true, ""},
        // Unfocused: the display format, or the plain number without one.
        {Variant::Double(3), false, "0.00", nullptr, false, "3.00"},
        {Variant::Integer(1234567), false, "#,##0", nullptr, false, "1,234,567"},
        {Variant::Currency(25000), false, "0.00", nullptr, false, "2.50"},
        {Variant::String("2.5"), false, "0.00", nullptr, false, "2.50"},
        {Variant::Double(2.5), false, nullptr, nullptr, false, "2.5"},
        // Focused: the display format only when asked to edit with it.
        {Variant::Double(3), true, "0.00", nullptr, false, "3"},
        {Variant::Double(3), true, "0.00", nullptr, true, "3.00"},
        {Variant::Double(2.25), true, "0.00", "0.0", false, "2.3"},
        {Variant::Double(1.0 / 3.0), true, nullptr, nullptr, false, "0.333333333333333"},
        {Variant::String("12345678901234567890"), true, nullptr, nullptr, false,
         "1.23456789012346E19"},
        // A text that is no number stays as it is.
        {Variant::String("abc"), false, "0.00", nullptr, false, "abc"},
        {Variant::String("abc"), true, nullptr, nullptr, false, "abc"},
    };
    TNumericTextProperties P(nullptr);
    for (const NumericCase& C : Cases)
        EXPECT_EQ(Shown(P, C), C.Expected)
            << C.Value.AsString() << (C.Focused ? " focused" : " unfocused");
}

TEST(TextEditNumericDisplayTest, ACommaLocaleReadsAndWritesItsSeparator) {
    pc::TFormatSettings Comma;
    Comma.DecimalSeparator = ',';
    Comma.ThousandSeparator = '.';
    pc::FormatSettingsOverride Pinned{Comma};
    const NumericCase Cases[] = {
        {Variant::Double(3.5), false, "#,##0.00", nullptr, false, "3,50"},
        {Variant::Double(1234.5), false, "#,##0.00", nullptr, false, "1.234,50"},
        {Variant::Double(3.5), true, "0.00", nullptr, false, "3,5"},
        {Variant::String("3,5"), false, "0.00", nullptr, false, "3,50"},
        {Variant::String("3,5"), true, nullptr, nullptr, false, "3,5"},
        // A point is no decimal separator here: the text is no number.
        {Variant::String("3.5"), false, "0.00", nullptr, false, "3.5"},
    };
    TNumericTextProperties P(nullptr);
    for (const NumericCase& C : Cases)
        EXPECT_EQ(Shown(P, C), C.Expected)
            << C.Value.AsString() << (C.Focused ? " focused" : " unfocused");
}

TEST(TextEditNumericDisplayTest, AValueThatIsNoNumberNorTextRaises) {
    TNumericTextProperties P(nullptr);
    Variant D;
    try {
        P.PrepareDisplayValue(Variant::Array({Variant::Integer(1)}), D, false);
        FAIL() << "no EConvertError";
    } catch (const pc::EConvertError& E) {
        EXPECT_STREQ(E.what(), "Could not convert to numeric value");
    }
}

TEST(TextEditNumericDisplayTest, TheTextEditorItselfShowsThePlainValue) {
    TcxTextEditProperties P(nullptr);
    P.SetDisplayFormat("0.00");
    Variant D;
    P.PrepareDisplayValue(Variant::Double(3), D, false);
    EXPECT_EQ(D.AsString(), "3");
    P.PrepareDisplayValue(Variant::Null(), D, false);
    EXPECT_EQ(D.AsString(), "");
}

// The bounds error is the localizable string: a replaced text wins.
TEST(TextEditPropertiesStrings, TheBoundsErrorIsTheLocalizableString) {
    auto& Repository = toolkit::base::dxResourceStringsRepository();
    Repository.SetReplacement("cxSEditValueOutOfBounds", "Outside the range");
    InitializeEditorStrings();
    TcxTextEditProperties P(nullptr);
    std::string Text;
    P.GetValidateErrorText(1, Text);
    FinalizeEditorStrings();
    Repository.ClearReplacements();
    EXPECT_EQ(Text, "Outside the range");
}

// A component that streams a text editor's properties as its own.
class TPropertiesHost : public pc::TComponent {
public:
    using pc::TComponent::TComponent;
    TcxTextEditProperties Properties{nullptr};

protected:
    void DefineProperties(pc::TFiler& Filer) override {
        Filer.DefineNested("Properties", Properties);
    }
};

// Streams of older versions say whether the display format was assigned; the flag is read,
// never written.
TEST(TextEditPropertiesStreaming, IsDisplayFormatAssignedIsReadNotWritten) {
    for (const bool Assigned : {true, false}) {
        TPropertiesHost Host(nullptr);
        Host.Properties.AssignedValues().SetDisplayFormat(!Assigned);
        std::string Bytes("TPF0\x05THost\x05Host1");
        const std::string Name = "Properties.IsDisplayFormatAssigned";
        Bytes += static_cast<char>(Name.size());
        Bytes += Name;
        Bytes += static_cast<char>(Assigned ? pc::vaTrue : pc::vaFalse);
        Bytes += std::string(2, '\0');
        pc::TMemoryStream In;
        In.WriteBuffer(Bytes.data(), Bytes.size());
        In.SetPosition(0);
        In.ReadComponent(Host);
        EXPECT_EQ(Host.Properties.AssignedValues().DisplayFormat(), Assigned);

        pc::TMemoryStream Out;
        Out.WriteComponent(Host);
        std::string Written(static_cast<std::size_t>(Out.Size()), '\0');
        Out.SetPosition(0);
        Out.ReadBuffer(Written.data(), Written.size());
        EXPECT_EQ(Written.find("IsDisplayFormatAssigned"), std::string::npos);
    }
}

} // namespace
} // namespace toolkit::edit
