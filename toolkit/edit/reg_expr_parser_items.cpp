#include "toolkit/edit/reg_expr_parser_items.h"

namespace toolkit::edit {

bool TcxRegExprParserItem::HasSimpleQuantifier() const {
    return dynamic_cast<const TcxRegExprSimpleQuantifier*>(FQuantifier.get()) != nullptr;
}

void TcxRegExprParserItem::SetQuantifier(std::unique_ptr<TcxRegExprQuantifier> Q) {
    if (Q) FQuantifier = std::move(Q);
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserSimpleItem::Clone() const {
    auto Result =
        std::make_unique<TcxRegExprParserSimpleItem>(State->Item ? State->Item->Clone() : nullptr);
    Result->State->Final = State->Final;
    Result->SetQuantifier(Quantifier().Clone());
    return Result;
}

std::string TcxRegExprParserSimpleItem::GetText() const {
    return "item --> " + Quantifier().GetText() + "\r\n";
}

std::unique_ptr<TcxRegExprParserAlt> TcxRegExprParserAlt::Clone() const {
    auto Result = std::make_unique<TcxRegExprParserAlt>();
    for (const auto& Item : Items)
        Result->Add(Item->Clone());
    return Result;
}

std::string TcxRegExprParserAlt::GetText() const {
    std::string Result = "<Start_Alt>\r\n";
    for (const auto& Item : Items)
        Result += Item->GetText();
    return Result + "<Finish_Alt>\r\n";
}

bool TcxRegExprParserAlt::CanBeEmpty() const {
    for (const auto& Item : Items)
        if (!Item->CanBeEmpty()) return false;
    return true;
}

bool TcxRegExprParserAlt::QuantifierCanBeEmpty() const {
    for (const auto& Item : Items)
        if (!Item->QuantifierCanBeEmpty()) return false;
    return true;
}

// A block whose content can be empty is passed over through its own start and finish states,
// so only the quantifiers decide how far the links reach.
TcxRegExprStates TcxRegExprParserAlt::FirstStates() const {
    TcxRegExprStates Result;
    for (const auto& Item : Items) {
        Result.Add(Item->EntryState());
        if (!Item->QuantifierCanBeEmpty()) break;
    }
    return Result;
}

void TcxRegExprParserAlt::Link() {
    for (std::size_t I = 0; I < Items.size(); ++I) {
        TcxRegExprState* Exit = Items[I]->ExitState();
        for (std::size_t J = I + 1; J < Items.size(); ++J) {
            Exit->AddNext(Items[J]->EntryState());
            if (!Items[J]->QuantifierCanBeEmpty()) break;
        }
        if (Items[I]->QuantifierCanRepeat()) Exit->AddNext(Items[I]->EntryState());
        Items[I]->LinkContent();
    }
}

void TcxRegExprParserAlt::LinkLast(TcxRegExprState* State) {
    for (auto It = Items.rbegin(); It != Items.rend(); ++It) {
        (*It)->ExitState()->AddNext(State);
        if (!(*It)->QuantifierCanBeEmpty()) break;
    }
}

// The whole item, content included, decides whether the items before it may end the text too:
// in "x(a?)" the text "x" is complete, since the block may match nothing.
void TcxRegExprParserAlt::SetFinal() {
    for (auto It = Items.rbegin(); It != Items.rend(); ++It) {
        (*It)->SetFinal();
        if (!(*It)->CanBeEmpty()) break;
    }
}

TcxRegExprParserAlt& TcxRegExprParserAlts::Add() {
    FItems.push_back(std::make_unique<TcxRegExprParserAlt>());
    return *FItems.back();
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExprParserAlts::Clone() const {
    auto Result = std::make_unique<TcxRegExprParserAlts>();
    for (const auto& Alt : FItems)
        Result->FItems.push_back(Alt->Clone());
    return Result;
}

std::string TcxRegExprParserAlts::GetText() const {
    std::string Result;
    for (const auto& Alt : FItems)
        Result += Alt->GetText();
    return Result;
}

TcxRegExprStates TcxRegExprParserAlts::FirstStates() const {
    TcxRegExprStates Result;
    for (const auto& Alt : FItems)
        Result.AddStates(Alt->FirstStates());
    return Result;
}

bool TcxRegExprParserAlts::AnyCanBeEmpty() const {
    for (const auto& Alt : FItems)
        if (Alt->CanBeEmpty()) return true;
    return false;
}

bool TcxRegExprParserAlts::AnyQuantifierCanBeEmpty() const {
    for (const auto& Alt : FItems)
        if (Alt->QuantifierCanBeEmpty()) return true;
    return false;
}

void TcxRegExprParserAlts::Link() {
    for (const auto& Alt : FItems)
        Alt->Link();
}

void TcxRegExprParserAlts::SetFinal() {
    for (const auto& Alt : FItems)
        Alt->SetFinal();
}

bool TcxRegExprParserBlockItem::CanBeEmpty() const {
    return QuantifierCanBeEmpty() || Alts->AnyCanBeEmpty();
}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserBlockItem::Clone() const {
    auto Result = std::make_unique<TcxRegExprParserBlockItem>();
    Result->Alts = Alts->Clone();
    Result->SetQuantifier(Quantifier().Clone());
    return Result;
}

std::string TcxRegExprParserBlockItem::GetText() const {
    return "<Start_Block>\r\n" + Alts->GetText() + "<Finish_Block> --> " + Quantifier().GetText() +
           "\r\n";
}

void TcxRegExprParserBlockItem::LinkContent() {
    StartState->AddNextStates(Alts->FirstStates());
    if (Alts->AnyQuantifierCanBeEmpty()) StartState->AddNext(FinishState.get());
    Alts->Link();
    for (int I = 0; I < Alts->Count(); ++I)
        Alts->Items(I).LinkLast(FinishState.get());
}

} // namespace toolkit::edit
