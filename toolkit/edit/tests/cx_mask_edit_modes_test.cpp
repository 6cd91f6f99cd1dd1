#include "toolkit/edit/cx_mask_edit_modes.h"

#include "platform/core/date_time.h"
#include "platform/forms/clipbrd.h"
#include "platform/win/messages.h"
#include "toolkit/edit/reg_expr_errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace toolkit::edit {
namespace {

namespace pc = platform::core;
namespace pf = platform::forms;
namespace pw = platform::win;

// A one-line edit holding text and a selection, routing keys, characters and pastes to its mode
// the way the masked edit does; the keys the mode lets through (and those it sends) take a
// plain edit's handling.
class FakeMaskEdit : public IcxMaskEdit, public IcxMaskEditProperties {
public:
    FakeMaskEdit(TcxEditMaskKind Kind, const std::string& Mask) : FMask(Mask) {
        Mode = cxCreateMaskEditMode(Kind, this, this);
        Mode->SetMask(Mask);
        SetText(Mode->GetFormattedText("", true));
        Mode->LeaveEdit();
    }

    // What the user gives.
    void Key(std::uint16_t Key, bool Shift = false) {
        FShift = Shift;
        bool Plain = true;
        switch (Key) {
        case pw::VK_LEFT:
            Plain = Mode->PressLeft();
            break;
        case pw::VK_RIGHT:
            Plain = Mode->PressRight();
            break;
        case pw::VK_HOME:
            Plain = Mode->PressHome();
            break;
        case pw::VK_END:
            Plain = Mode->PressEnd();
            break;
        case pw::VK_DELETE:
            Plain = Mode->PressDelete();
            break;
        default:
            break;
        }
        if (Plain) PlainKey(Key);
    }
    void Type(const std::string& Chars) {
        for (char Ch : Chars) {
            if (Ch == '\t') continue; // never inserted
            char Key = Ch;
            const bool Plain = Ch == 8 ? Mode->PressBackSpace() : Mode->PressSymbol(Key);
            if (Plain) PlainChar(Key);
        }
    }
    void Paste(const std::string& Clip) {
        Mode->PendingInsert = static_cast<int>(Clip.size());
        Mode->BeforePaste();
        std::string Text = FText;
        Text.replace(FStart, FLength, Clip);
        const int Start = FStart;
        SetText(Mode->GetFormattedText(Text, true));
        FStart = std::min(Start, TextLength());
        FLength = 0;
        Mode->TextChanged(FText);
        FStart = std::min(Start + static_cast<int>(Clip.size()), TextLength());
        FCaretAtStart = false;
        Mode->AfterPaste();
    }
    void Select(int Start, int Length) {
        FStart = Start;
        FLength = Length;
        FCaretAtStart = false;
    }

    // IcxMaskEdit
    IcxMaskEditProperties& ActiveProperties() override { return *this; }
    std::string GetDisplayText() const override { return FText; }
    void ApplyDisplayValue(const std::string& Text) override {
        SetText(Text);
        Mode->TextChanged(Text); // the mode's own change: ignored
    }
    pc::Variant GetEditValue() override { return EditValue; }
    void SetEditValue(const pc::Variant& Value) override { EditValue = Value; }
    int SelStart() const override { return FStart; }
    int SelLength() const override { return FLength; }
    void SetSelStart(int Value) override {
        FStart = std::clamp(Value, 0, TextLength());
        FLength = 0;
    }
    void SetSelLength(int Value) override {
        FLength = std::clamp(Value, 0, TextLength() - FStart);
        FCaretAtStart = false;
    }
    int CursorPosition() const override { return FCaretAtStart ? FStart : FStart + FLength; }
    void SendKey(std::uint16_t Key) override { PlainKey(Key); }
    void SendChar(char Ch) override { PlainChar(Ch); }
    bool ShiftDown() const override { return FShift; }
    void SetShiftDown(bool Value) override { FShift = Value; }
    bool IsCharValid(char&, int) override { return true; }
    bool Focused() const override { return true; }
    bool IsPaintCopyDrawing() const override { return false; }
    bool ModifiedAfterEnter() const override { return true; }

    // IcxMaskEditProperties
    std::string EditMask() const override { return FMask; }
    bool BeepOnError() const override { return true; }
    bool CaseInsensitive() const override { return true; }
    bool IgnoreMaskBlank() const override { return false; }
    pf::TEditCharCase CharCase() const override { return pf::ecNormal; }
    void PrepareDisplayValue(const pc::Variant& Value, pc::Variant& DisplayValue, bool) override {
        DisplayValue = pc::Variant::String(Mode->GetFormattedText(Value.AsString(), false));
    }

    const std::string& Text() const { return FText; }
    std::unique_ptr<TcxMaskEditCustomMode> Mode;
    pc::Variant EditValue;

private:
    int TextLength() const { return static_cast<int>(FText.size()); }
    void SetText(const std::string& Text) {
        FText = Text;
        FStart = std::min(FStart, TextLength());
        FLength = std::min(FLength, TextLength() - FStart);
    }
    void Erase(int Start, int Length) {
        FText.erase(Start, Length);
        FStart = Start;
        FLength = 0;
    }
    void PlainChar(char Ch) {
        if (Ch == 8) return PlainKey(pw::VK_BACK);
        FText.replace(FStart, FLength, 1, Ch);
        FStart += 1;
        FLength = 0;
    }
    void PlainKey(std::uint16_t Key) {
        const int Caret = CursorPosition();
        const int Anchor = FCaretAtStart ? FStart + FLength : FStart;
        int NewCaret;
        switch (Key) {
        case pw::VK_BACK:
        case pw::VK_DELETE:
            if (FLength > 0)
                Erase(FStart, FLength);
            else if (Key == pw::VK_BACK && FStart > 0)
                Erase(FStart - 1, 1);
            else if (Key == pw::VK_DELETE && FStart < TextLength())
                Erase(FStart, 1);
            return;
        case pw::VK_LEFT:
            NewCaret = !FShift && FLength > 0 ? FStart : std::max(Caret - 1, 0);
            break;
        case pw::VK_RIGHT:
            NewCaret =
                !FShift && FLength > 0 ? FStart + FLength : std::min(Caret + 1, TextLength());
            break;
        case pw::VK_HOME:
            NewCaret = 0;
            break;
        case pw::VK_END:
            NewCaret = TextLength();
            break;
        default:
            return;
        }
        if (!FShift) {
            FStart = NewCaret;
            FLength = 0;
            FCaretAtStart = false;
        } else {
            FStart = std::min(Anchor, NewCaret);
            FLength = std::abs(NewCaret - Anchor);
            FCaretAtStart = NewCaret < Anchor;
        }
    }

    std::string FMask;
    std::string FText;
    int FStart = 0;
    int FLength = 0;
    bool FCaretAtStart = false;
    bool FShift = false;
};

// The date separator "/" stands for is the regional one.
class MaskEditStandardModeTest : public ::testing::Test {
protected:
    static pc::TFormatSettings SlashDates() {
        pc::TFormatSettings Settings;
        Settings.DateSeparator = '/';
        return Settings;
    }
    pc::FormatSettingsOverride Pinned{SlashDates()};
};

TEST_F(MaskEditStandardModeTest, TypingOverwritesAndSkipsLiterals) {
    struct Case {
        int Start;
        const char* Typed;
        const char* Text;
        int SelStart;
    } Cases[] = {
        {0, "1", "1_/__", 1},      {0, "12", "12/__", 3},     {0, "1234", "12/34", 5},
        {2, "5", "__/5_", 4},      {0, "1a2", "12/__", 3},    {0, "12345", "12/34", 5},
        {0, "1234\b", "12/3_", 4}, {0, "12\b\b", "__/__", 0},
    };
    for (const auto& C : Cases) {
        FakeMaskEdit Edit(emkStandard, "00/00");
        Edit.Select(C.Start, 1);
        Edit.Type(C.Typed);
        EXPECT_EQ(Edit.Text(), C.Text) << C.Typed;
        EXPECT_EQ(Edit.SelStart(), C.SelStart) << C.Typed;
    }
}

TEST_F(MaskEditStandardModeTest, DeleteWithoutSelectionAndRefusedCharactersChangeNothing) {
    FakeMaskEdit Edit(emkStandard, "00/00");
    Edit.Type("1234");
    ASSERT_EQ(Edit.SelLength(), 0);
    const int Beeps = pf::MessageBeepCount();
    Edit.Key(pw::VK_DELETE);
    Edit.Key(pw::VK_HOME);
    Edit.Type("x");
    EXPECT_EQ(Edit.Text(), "12/34");
    EXPECT_EQ(pf::MessageBeepCount(), Beeps);
    // The block cursor's character is blanked.
    Edit.Key(pw::VK_DELETE);
    EXPECT_EQ(Edit.Text(), "_2/34");
}

// Delete over a selection blanks the mask's places in it and keeps its literals where they are,
// wherever the selection starts and ends.
TEST_F(MaskEditStandardModeTest, DeleteOverASelectionKeepsTheLiteralsInIt) {
    struct Case {
        const char* Mask;
        int Start, Length;
        const char* Text;
    } Cases[] = {
        {"00/00", 1, 3, "1_/_4"},       {"00/00", 2, 2, "12/_4"}, {"00/00", 1, 2, "1_/34"},
        {"00/00", 0, 5, "__/__"},       {"00/00", 2, 1, "12/34"}, {"(00)0-00", 2, 5, "(1_)_-_5"},
        {"(00)0-00", 0, 8, "(__)_-__"},
    };
    for (const auto& C : Cases) {
        FakeMaskEdit Edit(emkStandard, C.Mask);
        Edit.Type("123456");
        Edit.Select(C.Start, C.Length);
        Edit.Key(pw::VK_DELETE);
        EXPECT_EQ(Edit.Text(), C.Text) << C.Mask << " from " << C.Start << " length " << C.Length;
    }
}

TEST_F(MaskEditStandardModeTest, CursorKeysStepOverLiterals) {
    FakeMaskEdit Edit(emkStandard, "(00)0");
    EXPECT_EQ(Edit.Text(), "(__)_");
    Edit.Key(pw::VK_HOME);
    EXPECT_EQ(Edit.SelStart(), 1);
    Edit.Key(pw::VK_RIGHT);
    Edit.Key(pw::VK_RIGHT);
    EXPECT_EQ(Edit.SelStart(), 4);
    Edit.Key(pw::VK_LEFT);
    EXPECT_EQ(Edit.SelStart(), 2);
    // A paste overwrites from the cursor and lays its text into the template.
    Edit.Paste("123");
    EXPECT_EQ(Edit.Text(), "(_1)2");
    EXPECT_EQ(Edit.SelStart(), 4);
}

TEST_F(MaskEditStandardModeTest, ValidityAndMaskedText) {
    FakeMaskEdit Edit(emkStandard, "00-00;0");
    EXPECT_TRUE(Edit.Mode->IsFullValidText("12-34"));
    EXPECT_FALSE(Edit.Mode->IsFullValidText("12-3_"));
    std::string Masked;
    Edit.Mode->GetMaskedText("12-34", true, Masked);
    EXPECT_EQ(Masked, "1234");
    EXPECT_EQ(Edit.Mode->GetEmptyString(), "    ");
}

TEST(MaskEditRegExprModeTest, RefusesWhatTheExpressionRefuses) {
    struct Case {
        const char* Mask;
        int Start; // -1: at the end
        const char* Before;
        const char* Typed;
        const char* Text;
        int Beeps;
    } Cases[] = {
        {"\\d+", -1, "", "a", "", 1},      {"\\d+", -1, "", "12a3", "123", 1},
        {"\\d+", -1, "", "12\b", "1", 0},  {"ab|cd", 1, "ab", "x", "ab", 1},
        {"ab|cd", -1, "", "abc", "ab", 1}, {"[a-c]+x", 1, "abx", "c", "acbx", 0},
    };
    for (const auto& C : Cases) {
        FakeMaskEdit Edit(emkRegExpr, C.Mask);
        Edit.Type(C.Before);
        if (C.Start >= 0) Edit.Select(C.Start, 0);
        const int Beeps = pf::MessageBeepCount();
        Edit.Type(C.Typed);
        EXPECT_EQ(Edit.Text(), C.Text) << C.Mask << " " << C.Typed;
        EXPECT_EQ(pf::MessageBeepCount() - Beeps, C.Beeps) << C.Mask << " " << C.Typed;
    }
}

TEST(MaskEditRegExprModeTest, BackspaceKeepsHeadInStepWhenTheTailNoLongerFits) {
    // The tail "c" fits only behind the "b" that Backspace takes.
    FakeMaskEdit Edit(emkRegExpr, "a(bc|d)");
    Edit.Type("abc");
    Edit.Key(pw::VK_LEFT);
    auto& Mode = static_cast<TcxMaskEditRegExprMode&>(*Edit.Mode);
    Edit.Type("\b");
    EXPECT_EQ(Edit.Text(), "a");
    EXPECT_EQ(Mode.Head(), "a");
    EXPECT_EQ(Mode.Tail(), "");
    Edit.Type("d");
    EXPECT_EQ(Edit.Text(), "ad");
}

TEST(MaskEditRegExprModeTest, AnInvalidMaskIsRefused) {
    FakeMaskEdit Edit(emkRegExpr, "\\d");
    EXPECT_THROW(Edit.Mode->SetMask("(a"), EcxRegExprError);
    TcxMaskEditRegExprExMode Ext(nullptr, &Edit);
    EXPECT_THROW(Ext.SetMask("a{"), EcxRegExprError);
}

TEST(MaskEditRegExprExModeTest, TypesForcedCharactersAndStepsBackOverThem) {
    FakeMaskEdit Edit(emkRegExprEx, "(\\d\\d)-(\\d\\d)");
    Edit.Type("12");
    EXPECT_EQ(Edit.Text(), "12-");
    EXPECT_EQ(Edit.SelStart(), 3);
    Edit.Type("34");
    EXPECT_EQ(Edit.Text(), "12-34");
    Edit.Type("\b\b");
    EXPECT_EQ(Edit.Text(), "12-");
    // Backspace takes the digit with the forced "-" after it.
    Edit.Type("\b");
    EXPECT_EQ(Edit.Text(), "1");
    Edit.Type("2-");
    EXPECT_EQ(Edit.Text(), "12-");
    Edit.Key(pw::VK_LEFT);
    EXPECT_EQ(Edit.SelStart(), 1);
}

TEST(MaskEditRegExprExModeTest, TheForcedPrefixIsTheEmptyValueAndStays) {
    FakeMaskEdit Edit(emkRegExprEx, "'ID'\\d+");
    EXPECT_EQ(Edit.Mode->GetEmptyString(), "ID");
    EXPECT_TRUE(Edit.Mode->IsFullValidText("ID"));
    EXPECT_TRUE(Edit.Mode->IsFullValidText("ID42"));
    EXPECT_FALSE(Edit.Mode->IsFullValidText("I"));
    EXPECT_FALSE(Edit.Mode->IsFullValidText(""));
    Edit.Paste("ID7");
    Edit.Type("\b");
    EXPECT_EQ(Edit.Text(), "ID");
    const int Beeps = pf::MessageBeepCount();
    Edit.Type("\b");
    EXPECT_EQ(Edit.Text(), "ID");
    EXPECT_EQ(pf::MessageBeepCount(), Beeps + 1);
}

TEST(MaskEditModesTest, IsFullValidTextPerMode) {
    struct Case {
        TcxEditMaskKind Kind;
        const char* Mask;
        const char* Text;
        bool Valid;
    } Cases[] = {
        {emkRegExpr, "\\d+", "", true},
        {emkRegExpr, "\\d+", "12", true},
        {emkRegExpr, "\\d+", "1a", false},
        {emkRegExpr, "ab|cd", "a", false},
        {emkRegExprEx, "\\d\\d-\\d", "12-", false},
        {emkRegExprEx, "\\d\\d-\\d", "12-3", true},
    };
    for (const auto& C : Cases) {
        FakeMaskEdit Edit(C.Kind, C.Mask);
        EXPECT_EQ(Edit.Mode->IsFullValidText(C.Text), C.Valid) << C.Mask << " " << C.Text;
    }
}

// Whether two automata stand in the same place: they accept the same next characters and
// agree on the end.
void ExpectSameState(const TcxRegExpr& A, const TcxRegExpr& B, const std::string& Context) {
    EXPECT_EQ(A.IsFinal(), B.IsFinal()) << Context;
    for (char Ch : std::string("0123456789abcdxyIDX-_ ")) {
        char ChA = Ch;
        char ChB = Ch;
        const bool InA = A.Automat()->CurrentStates().Step(ChA, true).Count() > 0;
        const bool InB = B.Automat()->CurrentStates().Step(ChB, true).Count() > 0;
        EXPECT_EQ(InA, InB) << Context << " next '" << Ch << "'";
    }
}

TEST(MaskEditModesTest, RandomKeysKeepTheBookkeepingInStepWithTheText) {
    struct Case {
        TcxEditMaskKind Kind;
        const char* Mask;
    } Cases[] = {
        {emkStandard, "00/00"},     {emkStandard, "(999)aaa-LL"},
        {emkRegExpr, "\\d+"},       {emkRegExpr, "[a-c]+x?\\d*"},
        {emkRegExpr, "(ab|cd)+"},   {emkRegExprEx, "(\\d\\d)-(\\d\\d)"},
        {emkRegExprEx, "'ID'\\d+"}, {emkRegExprEx, "\\d(-\\d)*x?"},
    };
    const std::string Chars = "0123abcdx-ID";
    const std::string Clips[] = {"12", "a-b", "ID9", "x"};
    std::mt19937 Random(36);
    for (const auto& C : Cases) {
        for (int Run = 0; Run < 40; ++Run) {
            FakeMaskEdit Edit(C.Kind, C.Mask);
            std::string Log;
            for (int Step = 0; Step < 30; ++Step) {
                const int What = static_cast<int>(Random() % 10);
                const bool Shift = Random() % 3 == 0;
                switch (What) {
                case 0:
                case 1:
                case 2: {
                    const char Ch = Chars[Random() % Chars.size()];
                    Edit.Type(std::string(1, Ch));
                    Log += Ch;
                    break;
                }
                case 3:
                    Edit.Type("\b");
                    Log += "<BS>";
                    break;
                case 4:
                    Edit.Key(pw::VK_DELETE);
                    Log += "<Del>";
                    break;
                case 5:
                    Edit.Key(pw::VK_LEFT, Shift);
                    Log += Shift ? "<S-L>" : "<L>";
                    break;
                case 6:
                    Edit.Key(pw::VK_RIGHT, Shift);
                    Log += Shift ? "<S-R>" : "<R>";
                    break;
                case 7:
                    Edit.Key(pw::VK_HOME, Shift);
                    Log += Shift ? "<S-Home>" : "<Home>";
                    break;
                case 8:
                    Edit.Key(pw::VK_END, Shift);
                    Log += Shift ? "<S-End>" : "<End>";
                    break;
                default: {
                    const std::string& Clip = Clips[Random() % 4];
                    Edit.Paste(Clip);
                    Log += "<Paste " + Clip + ">";
                }
                }
                const std::string Context = std::string(C.Mask) + ": " + Log;
                if (C.Kind == emkStandard) {
                    ASSERT_EQ(Edit.Text().size(), 5u + 6u * (C.Mask[0] == '(')) << Context;
                    continue;
                }
                auto& Mode = static_cast<TcxMaskEditRegExprMode&>(*Edit.Mode);
                ASSERT_EQ(Mode.Head() + Mode.Tail(), Edit.Text()) << Context;
                ASSERT_EQ(static_cast<int>(Mode.Head().size()), Edit.SelStart()) << Context;
                TcxRegExpr Fresh;
                Fresh.CaseInsensitive = true;
                std::istringstream Stream(C.Mask);
                Fresh.Compile(&Stream);
                for (char Ch : Mode.Head())
                    Fresh.Next(Ch);
                ExpectSameState(Mode.RegExpr, Fresh, Context);
                if (HasFailure()) return;
            }
        }
    }
}

} // namespace
} // namespace toolkit::edit
