#include "toolkit/edit/reg_expr_states.h"

#include "toolkit/edit/regional_separators.h"

namespace toolkit::edit {

void TcxRegExprStates::Add(TcxRegExprState* State) {
    if (FSet.insert(State).second) FItems.push_back(State);
}

void TcxRegExprStates::AddStates(const TcxRegExprStates& List) {
    for (TcxRegExprState* State : List.FItems)
        Add(State);
}

bool TcxRegExprStates::HasFinal() const {
    for (const TcxRegExprState* State : FItems) {
        const auto* Simple = dynamic_cast<const TcxRegExprSimpleState*>(State);
        if (Simple && Simple->Final) return true;
    }
    return false;
}

TcxRegExprStates TcxRegExprStates::GetNextStates() const {
    TcxRegExprStates Result;
    TcxRegExprVisitedStates Visited;
    for (TcxRegExprState* State : FItems)
        for (TcxRegExprState* Next : State->Next.FItems)
            Next->CollectRealStates(Result, Visited);
    return Result;
}

TcxRegExprStates TcxRegExprStates::Step(char& Ch, bool CaseInsensitive) const {
    TcxRegExprStates Result;
    TcxRegExprVisitedStates Visited;
    for (TcxRegExprState* State : FItems)
        for (TcxRegExprState* Next : State->Next.FItems)
            Next->CollectChecked(Ch, CaseInsensitive, Result, Visited);
    return Result;
}

bool TcxRegExprStates::GetLiteral(char& Ch) const {
    if (FItems.empty()) return false;
    char Literal = 0;
    for (std::size_t I = 0; I < FItems.size(); ++I) {
        const auto* Simple = dynamic_cast<const TcxRegExprSimpleState*>(FItems[I]);
        if (!Simple || !Simple->Item) return false;
        char Current;
        if (const auto* Symbol = dynamic_cast<const TcxRegExprSymbol*>(Simple->Item.get()))
            Current = Symbol->Symbol;
        else if (dynamic_cast<const TcxRegExprTimeSeparator*>(Simple->Item.get()))
            Current = CurrentTimeSeparator();
        else if (dynamic_cast<const TcxRegExprDateSeparator*>(Simple->Item.get()))
            Current = CurrentDateSeparator();
        else
            return false;
        if (I == 0)
            Literal = Current;
        else if (Current != Literal)
            return false;
    }
    Ch = Literal;
    return true;
}

TcxRegExprStates TcxRegExprState::Check(char& Ch, bool CaseInsensitive) {
    TcxRegExprStates Result;
    TcxRegExprVisitedStates Visited;
    CollectChecked(Ch, CaseInsensitive, Result, Visited);
    return Result;
}

TcxRegExprStates TcxRegExprState::GetRealStates() {
    TcxRegExprStates Result;
    TcxRegExprVisitedStates Visited;
    CollectRealStates(Result, Visited);
    return Result;
}

TcxRegExprStates TcxRegExprState::GetNextRealStates() {
    TcxRegExprStates Self;
    Self.Add(this);
    return Self.GetNextStates();
}

TcxRegExprStates TcxRegExprState::CheckNext(char& Ch, bool CaseInsensitive) {
    TcxRegExprStates Self;
    Self.Add(this);
    return Self.Step(Ch, CaseInsensitive);
}

std::unique_ptr<TcxRegExprState> TcxRegExprSimpleState::Clone() const {
    auto Result = std::make_unique<TcxRegExprSimpleState>(Item ? Item->Clone() : nullptr);
    Result->Final = Final;
    return Result;
}

void TcxRegExprSimpleState::CollectChecked(char& Ch, bool CaseInsensitive, TcxRegExprStates& Result,
                                           TcxRegExprVisitedStates& Visited) {
    if (!Visited.insert(this).second) return;
    if (Item && Item->Check(Ch, CaseInsensitive)) Result.Add(this);
}

void TcxRegExprSimpleState::CollectRealStates(TcxRegExprStates& Result, TcxRegExprVisitedStates&) {
    Result.Add(this);
}

std::unique_ptr<TcxRegExprState> TcxRegExprBlockState::Clone() const {
    return std::make_unique<TcxRegExprBlockState>();
}

void TcxRegExprBlockState::CollectChecked(char& Ch, bool CaseInsensitive, TcxRegExprStates& Result,
                                          TcxRegExprVisitedStates& Visited) {
    if (!Visited.insert(this).second) return;
    for (int I = 0; I < Next.Count(); ++I)
        Next.Items(I)->CollectChecked(Ch, CaseInsensitive, Result, Visited);
}

void TcxRegExprBlockState::CollectRealStates(TcxRegExprStates& Result,
                                             TcxRegExprVisitedStates& Visited) {
    if (!Visited.insert(this).second) return;
    for (int I = 0; I < Next.Count(); ++I)
        Next.Items(I)->CollectRealStates(Result, Visited);
}

} // namespace toolkit::edit
