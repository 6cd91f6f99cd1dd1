#include "toolkit/edit/standard_mask.h"

#include <algorithm>

#include "toolkit/base/char_set.h"
#include "toolkit/edit/regional_separators.h"

namespace toolkit::edit {

using toolkit::base::dxCharInSet;
using toolkit::base::TSysCharSet;

namespace {

// ASCII only: the masks know no locale letters.
TSysCharSet CharRange(char First, char Last) {
    TSysCharSet Set;
    for (int C = First; C <= Last; ++C)
        Set.set(static_cast<unsigned char>(C));
    return Set;
}

const TSysCharSet& DigitSet() {
    static const TSysCharSet Set = CharRange('0', '9');
    return Set;
}

const TSysCharSet& AlphaSet() {
    static const TSysCharSet Set = CharRange('A', 'Z') | CharRange('a', 'z');
    return Set;
}

const TSysCharSet& AlphaNumericSet() {
    static const TSysCharSet Set = AlphaSet() | DigitSet();
    return Set;
}

const TSysCharSet& NumericSymbolSet() {
    static const TSysCharSet Set = [] {
        TSysCharSet S = DigitSet();
        S.set('+');
        S.set('-');
        return S;
    }();
    return Set;
}

} // namespace

bool TcxStandardMaskManyItem::Check(char& Ch) const {
    const bool Result = Fits(Ch);
    if (CaseKind == TcxStandardMaskCaseKind::Upper && Ch >= 'a' && Ch <= 'z')
        Ch = static_cast<char>(Ch - 'a' + 'A');
    else if (CaseKind == TcxStandardMaskCaseKind::Lower && Ch >= 'A' && Ch <= 'Z')
        Ch = static_cast<char>(Ch - 'A' + 'a');
    return Result;
}

bool TcxStandardMaskAlphaItem::Fits(char Ch) const {
    return dxCharInSet(Ch, AlphaSet());
}

bool TcxStandardMaskAlphaNumericItem::Fits(char Ch) const {
    return dxCharInSet(Ch, AlphaNumericSet());
}

bool TcxStandardMaskNumericItem::Fits(char Ch) const {
    return dxCharInSet(Ch, DigitSet());
}

bool TcxStandardMaskNumericSymbolItem::Fits(char Ch) const {
    return dxCharInSet(Ch, NumericSymbolSet());
}

void TcxStandardMask::Clear() {
    Mask.clear();
    FillFromRight = false;
    SaveLiteralChars = true;
    BlankChar = '_';
    FItems.clear();
}

void TcxStandardMask::Compile(const std::string& AMask) {
    Clear();
    Mask = AMask;
    std::string S = AMask;
    if (!S.empty() && S[0] == '!') {
        FillFromRight = true;
        S.erase(0, 1);
    }
    const std::size_t N = S.size();
    auto CaseKind = TcxStandardMaskCaseKind::None;
    auto AddLiteral = [&](char Ch) {
        FItems.push_back(std::make_unique<TcxStandardMaskLiteralItem>(Ch));
    };
    std::size_t I = 0;
    while (I < N) {
        const char Ch = S[I];
        const std::size_t Rest = N - I - 1;
        switch (Ch) {
        case '>':
            CaseKind = TcxStandardMaskCaseKind::Upper;
            break;
        case '<':
            if (Rest > 0 && S[I + 1] == '>') {
                CaseKind = TcxStandardMaskCaseKind::None;
                ++I;
            } else {
                CaseKind = TcxStandardMaskCaseKind::Lower;
            }
            break;
        case '\\':
            if (Rest > 0) AddLiteral(S[++I]);
            break;
        case 'L':
        case 'l':
            FItems.push_back(std::make_unique<TcxStandardMaskAlphaItem>(Ch == 'l', CaseKind));
            break;
        case 'A':
        case 'a':
            FItems.push_back(
                std::make_unique<TcxStandardMaskAlphaNumericItem>(Ch == 'a', CaseKind));
            break;
        case 'C':
        case 'c':
            FItems.push_back(std::make_unique<TcxStandardMaskASCIIItem>(Ch == 'c', CaseKind));
            break;
        case '0':
        case '9':
            FItems.push_back(std::make_unique<TcxStandardMaskNumericItem>(Ch == '9', CaseKind));
            break;
        case '#':
            FItems.push_back(std::make_unique<TcxStandardMaskNumericSymbolItem>(true, CaseKind));
            break;
        case ':':
            AddLiteral(CurrentTimeSeparator());
            break;
        case '/':
            AddLiteral(CurrentDateSeparator());
            break;
        case ';':
            if (Rest == 3 && S[I + 2] == ';' && (S[I + 1] == '0' || S[I + 1] == '1')) {
                SaveLiteralChars = S[I + 1] != '0';
                BlankChar = S[I + 3];
                I += 3;
            } else if (Rest == 1 && (S[I + 1] == '0' || S[I + 1] == '1')) {
                SaveLiteralChars = S[I + 1] != '0';
                ++I;
            } else {
                AddLiteral(Ch);
            }
            break;
        default:
            AddLiteral(Ch);
        }
        ++I;
    }
}

void TcxStandardMask::Format(std::string& Text, bool ApplyCase, bool TextHasLiterals) const {
    std::string Result = GetEmptyDisplayText();
    const int Step = FillFromRight ? -1 : 1;
    const int Length = static_cast<int>(Text.size());
    int Position = FillFromRight ? Length - 1 : 0;
    int ItemIndex = FillFromRight ? Count() - 1 : 0;
    for (; Position >= 0 && Position < Length; Position += Step) {
        const char Ch = Text[Position];
        for (int J = ItemIndex; J >= 0 && J < Count(); J += Step) {
            const TcxStandardMaskCustomItem& Item = *FItems[J];
            const bool IsLiteral = dynamic_cast<const TcxStandardMaskLiteralItem*>(&Item);
            // A text without literal characters must not have them matched.
            if (IsLiteral && !SaveLiteralChars && !TextHasLiterals) continue;
            char Converted = Ch;
            if (Item.Check(Converted)) {
                Result[J] = ApplyCase ? Converted : Ch;
                ItemIndex = J + Step;
                break;
            }
            if (Ch != BlankChar && Ch != ' ') continue;
            if (!IsLiteral) {
                ItemIndex = J + Step;
                break;
            }
        }
    }
    Text = Result;
}

bool TcxStandardMask::IsFullValid(std::string& Text) const {
    if (static_cast<int>(Text.size()) != Count()) return false;
    for (int I = 0; I < Count(); ++I) {
        const char Original = Text[I];
        if (FItems[I]->Check(Text[I])) continue;
        const auto* Many = dynamic_cast<const TcxStandardMaskManyItem*>(FItems[I].get());
        if ((Original == BlankChar || Original == ' ') && Many && Many->Optional) continue;
        return false;
    }
    return true;
}

void TcxStandardMask::TextToValue(std::string& Text) const {
    std::string Result;
    const int Length = std::min(Count(), static_cast<int>(Text.size()));
    for (int I = 0; I < Length; ++I) {
        if (dynamic_cast<const TcxStandardMaskLiteralItem*>(FItems[I].get())) {
            if (SaveLiteralChars) Result += Text[I];
        } else {
            Result += Text[I] == BlankChar ? ' ' : Text[I];
        }
    }
    Text = Result;
}

std::string TcxStandardMask::GetEmptyValue() const {
    std::string Result;
    for (const auto& Item : FItems) {
        if (const auto* Literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(Item.get())) {
            if (SaveLiteralChars) Result += Literal->Literal;
        } else {
            Result += ' ';
        }
    }
    return Result;
}

std::string TcxStandardMask::GetEmptyDisplayText() const {
    std::string Result;
    for (const auto& Item : FItems) {
        const auto* Literal = dynamic_cast<const TcxStandardMaskLiteralItem*>(Item.get());
        Result += Literal ? Literal->Literal : BlankChar;
    }
    return Result;
}

} // namespace toolkit::edit
