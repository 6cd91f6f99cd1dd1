#include "toolkit/edit/reg_expr_items.h"

#include "toolkit/edit/regional_separators.h"

namespace toolkit::edit {

namespace {

char UpperChar(char Ch) {
    return Ch >= 'a' && Ch <= 'z' ? static_cast<char>(Ch - 'a' + 'A') : Ch;
}

template <typename TEnumeration>
std::unique_ptr<TcxRegExprItem> CloneEnumeration(const TEnumeration& Source) {
    auto Result = std::make_unique<TEnumeration>();
    Result->Inverse = Source.Inverse;
    return Result;
}

} // namespace

bool TcxRegExprSymbol::Check(char& Ch, bool CaseInsensitive) const {
    if (!CaseInsensitive) return Ch == Symbol;
    if (UpperChar(Ch) != UpperChar(Symbol)) return false;
    Ch = Symbol;
    return true;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSymbol::Clone() const {
    return std::make_unique<TcxRegExprSymbol>(Symbol);
}

bool TcxRegExprTimeSeparator::Check(char& Ch, bool) const {
    return Ch == CurrentTimeSeparator();
}

std::unique_ptr<TcxRegExprItem> TcxRegExprTimeSeparator::Clone() const {
    return std::make_unique<TcxRegExprTimeSeparator>();
}

bool TcxRegExprDateSeparator::Check(char& Ch, bool) const {
    return Ch == CurrentDateSeparator();
}

std::unique_ptr<TcxRegExprItem> TcxRegExprDateSeparator::Clone() const {
    return std::make_unique<TcxRegExprDateSeparator>();
}

bool TcxRegExprSubrange::Check(char& Ch, bool) const {
    const auto C = static_cast<unsigned char>(Ch);
    return static_cast<unsigned char>(StartChar) <= C &&
           C <= static_cast<unsigned char>(FinishChar);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSubrange::Clone() const {
    return std::make_unique<TcxRegExprSubrange>(StartChar, FinishChar);
}

void TcxRegExprUserEnumeration::Add(std::unique_ptr<TcxRegExprItem> Member) {
    FMembers.push_back(std::move(Member));
}

bool TcxRegExprUserEnumeration::Check(char& Ch, bool CaseInsensitive) const {
    char Checked = Ch;
    bool Result = false;
    for (const auto& Member : FMembers)
        if (Member->Check(Checked, CaseInsensitive)) {
            Result = true;
            break;
        }
    if (Inverse) return !Result;
    if (Result) Ch = Checked;
    return Result;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprUserEnumeration::Clone() const {
    auto Result = std::make_unique<TcxRegExprUserEnumeration>();
    Result->Inverse = Inverse;
    for (const auto& Member : FMembers)
        Result->Add(Member->Clone());
    return Result;
}

bool TcxRegExprDigit::Check(char& Ch, bool) const {
    return (Ch >= '0' && Ch <= '9') != Inverse;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprDigit::Clone() const {
    return CloneEnumeration(*this);
}

bool TcxRegExprIdLetter::Check(char& Ch, bool) const {
    const bool Member = (Ch >= 'a' && Ch <= 'z') || (Ch >= 'A' && Ch <= 'Z') ||
                        (Ch >= '0' && Ch <= '9') || Ch == '_';
    return Member != Inverse;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprIdLetter::Clone() const {
    return CloneEnumeration(*this);
}

bool TcxRegExprSpace::Check(char& Ch, bool) const {
    const bool Member = Ch == ' ' || Ch == 0 || Ch == 9 || Ch == 10 || Ch == 12 || Ch == 13;
    return Member != Inverse;
}

std::unique_ptr<TcxRegExprItem> TcxRegExprSpace::Clone() const {
    return CloneEnumeration(*this);
}

std::unique_ptr<TcxRegExprItem> TcxRegExprAll::Clone() const {
    return std::make_unique<TcxRegExprAll>();
}

} // namespace toolkit::edit
