#pragma once
// The states of the automaton that a regular-expression mask compiles to. A simple state stands
// for one character position of the expression; a block state is an empty node where a
// parenthesised block starts or finishes. Block states may link into cycles (a repeated block
// whose content can be empty), so every walk over them remembers the states it has seen.

#include "toolkit/edit/reg_expr_items.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace toolkit::edit {

class TcxRegExprState;

// A set of states in the order they were first added; the states are not owned.
class TcxRegExprStates {
public:
    // A state already held is not added again.
    void Add(TcxRegExprState* State);
    void AddStates(const TcxRegExprStates& List);
    int Count() const { return static_cast<int>(FItems.size()); }
    TcxRegExprState* Items(int Index) const { return FItems.at(Index); }
    bool Contains(const TcxRegExprState* State) const { return FSet.contains(State); }

    bool HasFinal() const;
    // The states that could accept the next character.
    TcxRegExprStates GetNextStates() const;
    // The states that Ch reaches; Ch may be rewritten by the items that accept it.
    TcxRegExprStates Step(char& Ch, bool CaseInsensitive) const;
    // True when every state stands for one and the same fixed character, given in Ch.
    bool GetLiteral(char& Ch) const;

private:
    std::vector<TcxRegExprState*> FItems;
    std::unordered_set<const TcxRegExprState*> FSet;
};

using TcxRegExprVisitedStates = std::unordered_set<const TcxRegExprState*>;

class TcxRegExprState {
public:
    virtual ~TcxRegExprState() = default;

    TcxRegExprStates Check(char& Ch, bool CaseInsensitive);
    virtual std::unique_ptr<TcxRegExprState> Clone() const = 0;
    TcxRegExprStates GetRealStates();

    void AddNext(TcxRegExprState* State) { Next.Add(State); }
    void AddNextStates(const TcxRegExprStates& List) { Next.AddStates(List); }
    TcxRegExprStates GetNextRealStates();
    TcxRegExprStates CheckNext(char& Ch, bool CaseInsensitive);

    TcxRegExprStates Next;

    // The walks behind the operations above; a state already in Visited adds nothing.
    virtual void CollectChecked(char& Ch, bool CaseInsensitive, TcxRegExprStates& Result,
                                TcxRegExprVisitedStates& Visited) = 0;
    virtual void CollectRealStates(TcxRegExprStates& Result, TcxRegExprVisitedStates& Visited) = 0;
};

class TcxRegExprSimpleState : public TcxRegExprState {
public:
    // Without an item (the automaton's start state) the state accepts nothing.
    explicit TcxRegExprSimpleState(std::unique_ptr<TcxRegExprItem> Item = nullptr)
        : Item(std::move(Item)) {}
    std::unique_ptr<TcxRegExprState> Clone() const override;
    void CollectChecked(char& Ch, bool CaseInsensitive, TcxRegExprStates& Result,
                        TcxRegExprVisitedStates& Visited) override;
    void CollectRealStates(TcxRegExprStates& Result, TcxRegExprVisitedStates& Visited) override;

    bool Final = false;
    std::unique_ptr<TcxRegExprItem> Item;
};

class TcxRegExprBlockState : public TcxRegExprState {
public:
    std::unique_ptr<TcxRegExprState> Clone() const override;
    void CollectChecked(char& Ch, bool CaseInsensitive, TcxRegExprStates& Result,
                        TcxRegExprVisitedStates& Visited) override;
    void CollectRealStates(TcxRegExprStates& Result, TcxRegExprVisitedStates& Visited) override;
};

} // namespace toolkit::edit
