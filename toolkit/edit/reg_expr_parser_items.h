#pragma once
// The parse tree of a regular-expression mask: alternatives of item sequences, where an item is
// one character position or a parenthesised block, each with its quantifier. Linking the tree
// joins the states of its items into the automaton.

#include "toolkit/edit/reg_expr_quantifiers.h"
#include "toolkit/edit/reg_expr_states.h"

#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

class TcxRegExprParserItem {
public:
    TcxRegExprParserItem() : FQuantifier(std::make_unique<TcxRegExprSimpleQuantifier>()) {}
    virtual ~TcxRegExprParserItem() = default;

    // The item can match nothing.
    virtual bool CanBeEmpty() const = 0;
    virtual std::unique_ptr<TcxRegExprParserItem> Clone() const = 0;
    // A diagnostic dump of the tree.
    virtual std::string GetText() const = 0;
    // Marks the states that may end the text.
    virtual void SetFinal() = 0;

    bool QuantifierCanBeEmpty() const { return FQuantifier->CanBeEmpty(); }
    bool QuantifierCanRepeat() const { return FQuantifier->CanRepeat(); }
    bool HasSimpleQuantifier() const;
    const TcxRegExprQuantifier& Quantifier() const { return *FQuantifier; }
    // A null quantifier changes nothing.
    void SetQuantifier(std::unique_ptr<TcxRegExprQuantifier> Q);

    // Where a path into the item starts and where it leaves the item.
    virtual TcxRegExprState* EntryState() = 0;
    virtual TcxRegExprState* ExitState() = 0;
    // Links what lies inside the item.
    virtual void LinkContent() {}

private:
    std::unique_ptr<TcxRegExprQuantifier> FQuantifier;
};

class TcxRegExprParserSimpleItem : public TcxRegExprParserItem {
public:
    explicit TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprItem> Item)
        : State(std::make_unique<TcxRegExprSimpleState>(std::move(Item))) {}

    bool CanBeEmpty() const override { return QuantifierCanBeEmpty(); }
    std::unique_ptr<TcxRegExprParserItem> Clone() const override;
    std::string GetText() const override;
    void SetFinal() override { State->Final = true; }
    TcxRegExprState* EntryState() override { return State.get(); }
    TcxRegExprState* ExitState() override { return State.get(); }

    std::unique_ptr<TcxRegExprSimpleState> State;
};

// A sequence of items.
class TcxRegExprParserAlt {
public:
    void Add(std::unique_ptr<TcxRegExprParserItem> Item) { Items.push_back(std::move(Item)); }
    std::unique_ptr<TcxRegExprParserAlt> Clone() const;
    std::string GetText() const;

    // Every item can match nothing (an empty sequence too).
    bool CanBeEmpty() const;
    // Every item's quantifier allows it to be left out.
    bool QuantifierCanBeEmpty() const;
    // The entries of the items that can come first.
    TcxRegExprStates FirstStates() const;
    void Link();
    // Joins the exits of the items that can come last to State.
    void LinkLast(TcxRegExprState* State);
    void SetFinal();

    std::vector<std::unique_ptr<TcxRegExprParserItem>> Items;
};

class TcxRegExprParserAlts {
public:
    TcxRegExprParserAlt& Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TcxRegExprParserAlt& Items(int Index) const { return *FItems.at(Index); }
    std::unique_ptr<TcxRegExprParserAlts> Clone() const;
    std::string GetText() const;

    TcxRegExprStates FirstStates() const;
    bool AnyCanBeEmpty() const;
    bool AnyQuantifierCanBeEmpty() const;
    void Link();
    void SetFinal();

private:
    std::vector<std::unique_ptr<TcxRegExprParserAlt>> FItems;
};

class TcxRegExprParserBlockItem : public TcxRegExprParserItem {
public:
    TcxRegExprParserBlockItem()
        : Alts(std::make_unique<TcxRegExprParserAlts>()),
          FinishState(std::make_unique<TcxRegExprBlockState>()),
          StartState(std::make_unique<TcxRegExprBlockState>()) {}

    bool CanBeEmpty() const override;
    std::unique_ptr<TcxRegExprParserItem> Clone() const override;
    std::string GetText() const override;
    void SetFinal() override { Alts->SetFinal(); }
    TcxRegExprState* EntryState() override { return StartState.get(); }
    TcxRegExprState* ExitState() override { return FinishState.get(); }
    void LinkContent() override;

    std::unique_ptr<TcxRegExprParserAlts> Alts;
    std::unique_ptr<TcxRegExprBlockState> FinishState;
    std::unique_ptr<TcxRegExprBlockState> StartState;
};

} // namespace toolkit::edit
