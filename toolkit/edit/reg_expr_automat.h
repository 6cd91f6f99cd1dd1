#pragma once
// The automaton of a regular-expression mask: it holds the states reached by the characters
// accepted so far, steps on one character, steps back, and can type the characters that the
// expression forces.

#include "toolkit/edit/reg_expr_parser_items.h"
#include "toolkit/edit/reg_expr_states.h"

#include <memory>
#include <vector>

namespace toolkit::edit {

class TcxRegExpr;

class TcxRegExprAutomat {
public:
    // Links the tree; events are raised through RegExpr.
    TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> Alts, TcxRegExpr& RegExpr);

    // A refused character leaves the automaton as it was.
    bool Next(char& Ch, bool CaseInsensitive);
    bool Prev();
    void Reset();
    // Accepts the characters that the expression forces from here, raising OnAddChar for each;
    // a text that may already end is never extended.
    void AutoComplete();
    // Undoes the characters that AutoComplete typed before the current position, raising
    // OnStepBack for each.
    void StepBackOverLiterals();

    bool IsFinal() const { return FCurrentStates.HasFinal(); }
    bool IsStart() const;
    TcxRegExprStates GetNextStates() const { return FCurrentStates.GetNextStates(); }
    const TcxRegExprStates& CurrentStates() const { return FCurrentStates; }

private:
    void Push(TcxRegExprStates States);

    std::unique_ptr<TcxRegExprParserAlts> FAlts;
    TcxRegExprStates FCurrentStates;
    std::vector<TcxRegExprStates> FHistory;
    TcxRegExpr& FRegExpr;
    TcxRegExprSimpleState FStartState;
};

} // namespace toolkit::edit
