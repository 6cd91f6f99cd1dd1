// Random small expressions, checked character by character against PCRE2 (through Qt) with hard
// partial matching: a prefix is acceptable when the oracle reports a partial or a complete
// match, and a text is final when it matches completely. The mask syntax is translated first:
// every quantifier goes on a non-capturing group of its own (so stacked quantifiers nest and
// never turn lazy), a parameter quantifier is written out as the mask expands it (its optional
// copies take '?' in place of the item's own quantifier), back-references become copies of the
// group's pattern, and the separators become the pinned characters.

#include "toolkit/edit/reg_expr.h"

#include "reg_expr_test_support.h"

#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace toolkit::edit {
namespace {

struct Fragment {
    std::string Mask;
    std::string Pcre;
    bool CanBeEmpty = false;
};

// One item of a sequence: its content and the quantifier put on it last.
struct Item {
    Fragment Inner;
    std::string Own;

    std::string Pcre() const { return Own.empty() ? Inner.Pcre : "(?:" + Inner.Pcre + ")" + Own; }
    bool QuantifierCanBeEmpty() const { return Own == "?" || Own == "*"; }
};

class ExpressionGenerator {
public:
    explicit ExpressionGenerator(std::mt19937& Random) : FRandom(Random) {}

    Fragment Expression() {
        FGroups.clear();
        return Alternatives(0, 1 + Below(2));
    }

private:
    struct Group {
        Fragment Pattern;
        // The quantifier put on the block itself, which its copies carry too.
        std::string Own;
        bool Closed = false;
    };

    int Below(int N) { return static_cast<int>(FRandom() % static_cast<unsigned>(N)); }

    Fragment Alternatives(int Depth, int Count) {
        Fragment Result;
        for (int I = 0; I < Count; ++I) {
            const Fragment Alt = Sequence(Depth);
            const std::string Bar = I ? "|" : "";
            Result.Mask += Bar + Alt.Mask;
            Result.Pcre += Bar + Alt.Pcre;
            Result.CanBeEmpty = Result.CanBeEmpty || Alt.CanBeEmpty;
        }
        return Result;
    }

    Fragment Sequence(int Depth) {
        Fragment Result;
        Result.CanBeEmpty = true;
        const int Count = 1 + Below(3);
        for (int I = 0; I < Count; ++I) {
            std::string Mask;
            const Item Piece = QuantifiedAtom(Depth, Mask);
            Result.Mask += (Below(5) == 0 ? " " : "") + Mask;
            Result.Pcre += Piece.Pcre();
            Result.CanBeEmpty = Result.CanBeEmpty && Piece.Inner.CanBeEmpty;
        }
        return Result;
    }

    Item Atom(int Depth, int& GroupIndex) {
        GroupIndex = -1;
        static const std::pair<const char*, const char*> Simple[] = {
            {"a", "a"},       {"b", "b"},       {"1", "1"},   {"-", "\\-"},
            {"\\d", "[0-9]"}, {"[ab]", "[ab]"}, {"/", "\\."}, {":", ":"},
        };
        auto SimpleItem = [&](int Index) {
            const auto& [Mask, Pcre] = Simple[Index];
            return Item{{Mask, Pcre}, ""};
        };
        const int Choice = Below(12);
        if (Choice < 8) return SimpleItem(Choice);
        if (Choice < 10 && Depth < 2 && FGroups.size() < 9) {
            GroupIndex = static_cast<int>(FGroups.size());
            FGroups.push_back({});
            const Fragment Inner = Alternatives(Depth + 1, 1 + Below(2));
            FGroups[GroupIndex].Pattern = {"(" + Inner.Mask + ")", "(?:" + Inner.Pcre + ")",
                                           Inner.CanBeEmpty};
            FGroups[GroupIndex].Closed = true;
            return {FGroups[GroupIndex].Pattern, ""};
        }
        std::vector<int> Closed;
        for (std::size_t I = 0; I < FGroups.size(); ++I)
            if (FGroups[I].Closed) Closed.push_back(static_cast<int>(I));
        if (Choice == 10 && !Closed.empty()) {
            const int Referred = Closed[Below(static_cast<int>(Closed.size()))];
            Item Result{FGroups[Referred].Pattern, FGroups[Referred].Own};
            Result.Inner.Mask = "\\" + std::to_string(Referred + 1);
            if (Result.Own == "?" || Result.Own == "*") Result.Inner.CanBeEmpty = true;
            return Result;
        }
        return SimpleItem(Below(8));
    }

    // "X{m,n}" as the mask expands it: m copies of X, then X* for an open bound, else the
    // optional chain (X (X ... X')?)? whose innermost copy X' takes '?' in place of X's own
    // quantifier.
    static Item Expand(const Item& X, int Min, int Max) {
        Fragment Content;
        std::vector<Item> Items(static_cast<std::size_t>(Min), X);
        if (Max < 0) {
            Items.push_back({X.Inner, "*"});
        } else if (Min < Max) {
            Item Chain{X.Inner, "?"};
            for (int K = Max - 2; K >= Min; --K) {
                Fragment Block;
                Block.Pcre = "(?:" + X.Pcre() + Chain.Pcre() + ")";
                Chain = {Block, "?"};
            }
            Items.push_back(Chain);
        }
        for (const Item& Piece : Items)
            Content.Pcre += Piece.Pcre();
        Content.Pcre = "(?:" + Content.Pcre + ")";
        Content.CanBeEmpty = Min == 0 || X.Inner.CanBeEmpty;
        return {Content, ""};
    }

    // Quantifiers stack: the mask wraps an item that has one already in a block of its own.
    Item QuantifiedAtom(int Depth, std::string& Mask) {
        int GroupIndex;
        Item Result = Atom(Depth, GroupIndex);
        Mask = Result.Inner.Mask;
        const int Count = Below(3) == 0 ? 2 : Below(2);
        for (int I = 0; I < Count; ++I) {
            std::string Q;
            int Min = 0;
            int Max = 0;
            switch (Below(6)) {
            case 0:
                Q = "?";
                break;
            case 1:
                Q = "*";
                break;
            case 2:
                Q = "+";
                break;
            case 3:
                Min = Max = Below(3);
                Q = "{" + std::to_string(Min) + "}";
                break;
            case 4:
                Min = Below(3);
                Max = -1;
                Q = "{" + std::to_string(Min) + ",}";
                break;
            default:
                Min = Below(3);
                Max = Min + Below(3);
                Q = "{" + std::to_string(Min) + "," + std::to_string(Max) + "}";
            }
            const bool Parameter = Q[0] == '{';
            if ((Q == "*" || Q == "+") && Result.Inner.CanBeEmpty) continue;
            if (Parameter && Result.QuantifierCanBeEmpty()) continue;
            // A back-reference copies the block with the quantifier put on it directly.
            if (I == 0 && GroupIndex >= 0 && !Parameter) FGroups[GroupIndex].Own = Q;
            Mask += Q;
            if (Parameter) {
                Result = Expand(Result, Min, Max);
            } else {
                if (!Result.Own.empty())
                    Result = {{"", Result.Pcre(), Result.Inner.CanBeEmpty}, ""};
                Result.Own = Q;
                if (Q != "+") Result.Inner.CanBeEmpty = true;
            }
        }
        return Result;
    }

    std::mt19937& FRandom;
    std::vector<Group> FGroups;
};

class Oracle {
public:
    Oracle(const std::string& Pcre, bool CaseInsensitive)
        : FExpression(QString::fromLatin1("\\A(?:" + Pcre + ")\\z"),
                      CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                      : QRegularExpression::NoPatternOption) {}

    bool IsValid() const { return FExpression.isValid(); }
    bool AcceptsPrefix(const std::string& Text) const {
        const auto Match = FExpression.match(QString::fromLatin1(Text), 0,
                                             QRegularExpression::PartialPreferFirstMatch);
        return Match.hasMatch() || Match.hasPartialMatch();
    }
    bool Matches(const std::string& Text) const {
        return FExpression.match(QString::fromLatin1(Text)).hasMatch();
    }

private:
    QRegularExpression FExpression;
};

TEST(RegExprDifferential, AgreesWithPcreOnRandomExpressions) {
    platform::core::FormatSettingsOverride Pinned(testing::PinnedSeparators('.', ':'));
    std::mt19937 Random(20261209);
    ExpressionGenerator Generator(Random);
    const std::string Alphabet = "ab1-2.:";
    const std::string CaseAlphabet = "abAB1.:";
    int DeepWalks = 0;
    int Comparisons = 0;
    for (int Round = 0; Round < 3000; ++Round) {
        const Fragment Expression = Generator.Expression();
        const bool CaseInsensitive = Round % 5 == 4;
        SCOPED_TRACE("mask " + Expression.Mask + "  pcre " + Expression.Pcre +
                     (CaseInsensitive ? "  (case-insensitive)" : ""));
        const Oracle Pcre(Expression.Pcre, CaseInsensitive);
        ASSERT_TRUE(Pcre.IsValid());
        TcxRegExpr RegExpr;
        RegExpr.CaseInsensitive = CaseInsensitive;
        ASSERT_NO_THROW(testing::Compile(RegExpr, Expression.Mask));
        ASSERT_EQ(RegExpr.IsFinal(), Pcre.Matches(""));
        for (int Walk = 0; Walk < 3; ++Walk) {
            RegExpr.Reset();
            std::string Text;
            std::string Order = CaseInsensitive ? CaseAlphabet : Alphabet;
            while (Text.size() < 8) {
                std::shuffle(Order.begin(), Order.end(), Random);
                bool Accepted = false;
                for (char Typed : Order) {
                    char Ch = Typed;
                    Accepted = RegExpr.Next(Ch);
                    ++Comparisons;
                    ASSERT_EQ(Accepted, Pcre.AcceptsPrefix(Text + Typed))
                        << "text " << Text + Typed;
                    if (Accepted) {
                        Text += Typed;
                        break;
                    }
                }
                if (!Accepted) break;
                ASSERT_EQ(RegExpr.IsFinal(), Pcre.Matches(Text)) << "text " << Text;
            }
            if (Text.size() >= 3) ++DeepWalks;
        }
    }
    // The walks must reach into the expressions, not stop at their first character.
    EXPECT_GT(DeepWalks, 3000);
    EXPECT_GT(Comparisons, 50000);
}

} // namespace
} // namespace toolkit::edit
