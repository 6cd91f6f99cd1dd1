#include "toolkit/edit/reg_expr_parser.h"

#include "toolkit/edit/edit_strings.h"

#include <climits>

namespace toolkit::edit {

using toolkit::base::cxGetResourceString;

namespace {

template <typename TEnumeration> std::unique_ptr<TcxRegExprItem> MakeEnumeration(bool Inverse) {
    auto Result = std::make_unique<TEnumeration>();
    Result->Inverse = Inverse;
    return Result;
}

// The character item a lexem stands for.
std::unique_ptr<TcxRegExprItem> MakeCharItem(const TcxLexem& Lexem) {
    switch (Lexem.Kind) {
    case TcxLexemKind::Any:
        return std::make_unique<TcxRegExprAll>();
    case TcxLexemKind::IdLetter:
    case TcxLexemKind::NotIdLetter:
        return MakeEnumeration<TcxRegExprIdLetter>(Lexem.Kind == TcxLexemKind::NotIdLetter);
    case TcxLexemKind::Digit:
    case TcxLexemKind::NotDigit:
        return MakeEnumeration<TcxRegExprDigit>(Lexem.Kind == TcxLexemKind::NotDigit);
    case TcxLexemKind::Space:
    case TcxLexemKind::NotSpace:
        return MakeEnumeration<TcxRegExprSpace>(Lexem.Kind == TcxLexemKind::NotSpace);
    case TcxLexemKind::DateSeparator:
        return std::make_unique<TcxRegExprDateSeparator>();
    case TcxLexemKind::TimeSeparator:
        return std::make_unique<TcxRegExprTimeSeparator>();
    default:
        return std::make_unique<TcxRegExprSymbol>(Lexem.Text[0]);
    }
}

// False when the digits do not fit an integer.
bool NumberValue(const std::string& Digits, int& Value) {
    long long Result = 0;
    for (char Digit : Digits) {
        Result = Result * 10 + (Digit - '0');
        if (Result > INT_MAX) return false;
    }
    Value = static_cast<int>(Result);
    return true;
}

} // namespace

const TcxLexem* TcxRegExprParser::ReadLexem() {
    return FLexemIndex < FLexems.size() ? &FLexems[FLexemIndex++] : nullptr;
}

const TcxLexem* TcxRegExprParser::PeekLexem() const {
    return FLexemIndex < FLexems.size() ? &FLexems[FLexemIndex] : nullptr;
}

void TcxRegExprParser::Error(const std::string& Text, const TcxLexem* Lexem) {
    FErrors.Add(Lexem ? TcxRegExprError(Lexem->Line, Lexem->Column, Text)
                      : TcxRegExprError(0, 0, Text));
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExprParser::Parse() {
    auto Alts = std::make_unique<TcxRegExprParserAlts>();
    while (ParseAlt(Alts->Add(), true)) {
    }
    return Alts;
}

bool TcxRegExprParser::ParseAlt(TcxRegExprParserAlt& Alt, bool TopLevel) {
    const TcxLexem* First = PeekLexem();
    if (!First) {
        Error(cxGetResourceString(scxRegExprCantCreateEmptyAlt), nullptr);
        return false;
    }
    if (First->IsOperator('|')) {
        Error(cxGetResourceString(scxRegExprCantCreateEmptyAlt), ReadLexem());
        return true;
    }
    if (!TopLevel && First->IsOperator(')')) {
        Error(cxGetResourceString(scxRegExprCantCreateEmptyBlock), ReadLexem());
        return false;
    }
    while (const TcxLexem* Lexem = ReadLexem()) {
        switch (Lexem->Kind) {
        case TcxLexemKind::Number:
            Error(cxGetResourceString(scxRegExprIllegalIntegerValue), Lexem);
            continue;
        case TcxLexemKind::Reference: {
            const std::size_t Number = Lexem->Text[0] - '0';
            if (Number <= FBlocks.size())
                Alt.Add(FBlocks[Number - 1]->Clone());
            else
                Error(cxGetResourceString(scxRegExprTooBigReferenceNumber), Lexem);
            continue;
        }
        case TcxLexemKind::Operator:
            break;
        default:
            Alt.Add(std::make_unique<TcxRegExprParserSimpleItem>(MakeCharItem(*Lexem)));
            continue;
        }
        const char Op = Lexem->Text[0];
        switch (Op) {
        case '(':
            Alt.Add(ParseBlock());
            break;
        case ')':
            if (!TopLevel) return false;
            Error(FormatResourceString(scxRegExprIllegalSymbol, ")"), Lexem);
            break;
        case '|':
            return true;
        case '[':
            Alt.Add(ParseEnumeration());
            break;
        case '?':
            if (Alt.Items.empty())
                Error(FormatResourceString(scxRegExprIllegalQuantifier, "?"), Lexem);
            else
                ApplyQuantifier(Alt, std::make_unique<TcxRegExprQuestionQuantifier>());
            break;
        case '*':
        case '+':
            if (Alt.Items.empty())
                Error(FormatResourceString(scxRegExprIllegalQuantifier, std::string(1, Op)), Lexem);
            else if (Alt.Items.back()->CanBeEmpty())
                Error(cxGetResourceString(Op == '*' ? scxRegExprCantUseStarQuantifier
                                                    : scxRegExprCantUsePlusQuantifier),
                      Lexem);
            else if (Op == '*')
                ApplyQuantifier(Alt, std::make_unique<TcxRegExprStarQuantifier>());
            else
                ApplyQuantifier(Alt, std::make_unique<TcxRegExprPlusQuantifier>());
            break;
        case '{': {
            if (Alt.Items.empty()) {
                Error(cxGetResourceString(scxRegExprIncorrectParameterQuantifier), Lexem);
                break;
            }
            int Min, Max;
            if (ReadParameterQuantifier(Min, Max)) ApplyParameterQuantifier(Alt, Min, Max, Lexem);
            break;
        }
        case ']':
        case '}':
        case '-':
            Error(FormatResourceString(scxRegExprIllegalSymbol, std::string(1, Op)), Lexem);
            break;
        default: // ',' and '^' mean nothing here
            break;
        }
    }
    return false;
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParser::ParseBlock() {
    auto Block = std::make_unique<TcxRegExprParserBlockItem>();
    FBlocks.push_back(Block.get());
    while (ParseAlt(Block->Alts->Add(), false)) {
    }
    return Block;
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParser::ParseEnumeration() {
    auto Enumeration = std::make_unique<TcxRegExprUserEnumeration>();
    const TcxLexem* Current = ReadLexem();
    if (Current && Current->IsOperator('^')) {
        Enumeration->Inverse = true;
        Current = ReadLexem();
    }
    if (Current && Current->IsOperator(']'))
        Error(cxGetResourceString(scxRegExprCantCreateEmptyEnum), Current);
    while (Current && !Current->IsOperator(']')) {
        const TcxLexem* Next = ReadLexem();
        if (Next && Next->IsOperator('-')) {
            const TcxLexem* Finish = ReadLexem();
            if (!Finish) break;
            const auto Start = static_cast<unsigned char>(Current->Text[0]);
            const auto End = static_cast<unsigned char>(Finish->Text[0]);
            if (End <= Start)
                Error(cxGetResourceString(scxRegExprSubrangeOrder), Finish);
            else
                Enumeration->Add(
                    std::make_unique<TcxRegExprSubrange>(Current->Text[0], Finish->Text[0]));
            Current = ReadLexem();
            while (Current && Current->IsOperator('-')) {
                Error(FormatResourceString(scxRegExprIllegalSymbol, "-"), Current);
                Current = ReadLexem();
            }
        } else {
            Enumeration->Add(MakeCharItem(*Current));
            Current = Next;
        }
    }
    return std::make_unique<TcxRegExprParserSimpleItem>(std::move(Enumeration));
}

// "a*?" is "(a*)?": a quantifier on an item that has one already wraps the item in a block.
void TcxRegExprParser::ApplyQuantifier(TcxRegExprParserAlt& Alt,
                                       std::unique_ptr<TcxRegExprQuantifier> Q) {
    std::unique_ptr<TcxRegExprParserItem>& Last = Alt.Items.back();
    if (Last->HasSimpleQuantifier()) return Last->SetQuantifier(std::move(Q));
    auto Block = std::make_unique<TcxRegExprParserBlockItem>();
    Block->SetQuantifier(std::move(Q));
    Block->Alts->Add().Add(std::move(Last));
    Last = std::move(Block);
}

// Max is -1 for an open upper bound.
bool TcxRegExprParser::ReadParameterQuantifier(int& Min, int& Max) {
    const TcxLexem* Last = nullptr;
    auto Fail = [&] {
        Error(cxGetResourceString(scxRegExprIncorrectParameterQuantifier),
              Last ? Last : (FLexemIndex > 0 ? &FLexems[FLexemIndex - 1] : nullptr));
        return false;
    };
    auto Read = [&] {
        const TcxLexem* Lexem = ReadLexem();
        if (Lexem) Last = Lexem;
        return Lexem;
    };
    const TcxLexem* Lexem = Read();
    if (!Lexem || Lexem->Kind != TcxLexemKind::Number || !NumberValue(Lexem->Text, Min))
        return Fail();
    Lexem = Read();
    if (Lexem && Lexem->IsOperator('}')) {
        Max = Min;
        return true;
    }
    if (!Lexem || !Lexem->IsOperator(',')) return Fail();
    Lexem = Read();
    if (Lexem && Lexem->IsOperator('}')) {
        Max = -1;
        return true;
    }
    if (!Lexem || Lexem->Kind != TcxLexemKind::Number || !NumberValue(Lexem->Text, Max))
        return Fail();
    Lexem = Read();
    if (!Lexem || !Lexem->IsOperator('}') || Max < Min) return Fail();
    return true;
}

// "a{2,4}" is "a a (a (a)?)?" and "a{2,}" is "a a a*".
void TcxRegExprParser::ApplyParameterQuantifier(TcxRegExprParserAlt& Alt, int Min, int Max,
                                                const TcxLexem* Brace) {
    std::unique_ptr<TcxRegExprParserItem>& Last = Alt.Items.back();
    if (Last->QuantifierCanBeEmpty())
        return Error(cxGetResourceString(scxRegExprCantUseParameterQuantifier), Brace);
    auto Block = std::make_unique<TcxRegExprParserBlockItem>();
    TcxRegExprParserAlt& Content = Block->Alts->Add();
    for (int I = 0; I < Min; ++I)
        Content.Add(Last->Clone());
    if (Max < 0) {
        auto Repeated = Last->Clone();
        Repeated->SetQuantifier(std::make_unique<TcxRegExprStarQuantifier>());
        Content.Add(std::move(Repeated));
    } else if (Min < Max) {
        Content.Add(OptionalChain(*Last, Min, Max));
    }
    FReplacedItems.push_back(std::move(Last));
    Last = std::move(Block);
}

// Built from the innermost optional copy outward. That copy takes the '?' in place of the item's
// own quantifier, so "a+{0,1}" is "a?" and "a+{0,2}" is "(a+ a?)?".
std::unique_ptr<TcxRegExprParserItem>
TcxRegExprParser::OptionalChain(const TcxRegExprParserItem& Item, int I, int Max) const {
    std::unique_ptr<TcxRegExprParserItem> Chain = Item.Clone();
    Chain->SetQuantifier(std::make_unique<TcxRegExprQuestionQuantifier>());
    for (int K = Max - 2; K >= I; --K) {
        auto Block = std::make_unique<TcxRegExprParserBlockItem>();
        Block->SetQuantifier(std::make_unique<TcxRegExprQuestionQuantifier>());
        TcxRegExprParserAlt& Content = Block->Alts->Add();
        Content.Add(Item.Clone());
        Content.Add(std::move(Chain));
        Chain = std::move(Block);
    }
    return Chain;
}

} // namespace toolkit::edit
