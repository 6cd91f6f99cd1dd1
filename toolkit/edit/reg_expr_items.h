#pragma once
// The character items of a regular-expression mask: each tells whether one typed character
// may stand at its place.

#include <memory>
#include <vector>

namespace toolkit::edit {

class TcxRegExprItem {
public:
    virtual ~TcxRegExprItem() = default;
    // May rewrite Ch (a case-insensitive symbol gives the text the expression's case); Ch is
    // left alone when the item refuses it.
    virtual bool Check(char& Ch, bool CaseInsensitive) const = 0;
    virtual std::unique_ptr<TcxRegExprItem> Clone() const = 0;
};

class TcxRegExprSymbol : public TcxRegExprItem {
public:
    explicit TcxRegExprSymbol(char Symbol) : Symbol(Symbol) {}
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;

    char Symbol;
};

// The time separator in force when the character is checked.
class TcxRegExprTimeSeparator : public TcxRegExprItem {
public:
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// The date separator in force when the character is checked.
class TcxRegExprDateSeparator : public TcxRegExprItem {
public:
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// StartChar..FinishChar in unsigned byte order, whatever the case setting.
class TcxRegExprSubrange : public TcxRegExprItem {
public:
    TcxRegExprSubrange(char StartChar, char FinishChar)
        : StartChar(StartChar), FinishChar(FinishChar) {}
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;

    char StartChar;
    char FinishChar;
};

class TcxRegExprEnumeration : public TcxRegExprItem {
public:
    bool Inverse = false;
};

// A bracketed list: any member accepts, or, inverted, none does.
class TcxRegExprUserEnumeration : public TcxRegExprEnumeration {
public:
    void Add(std::unique_ptr<TcxRegExprItem> Member);
    int Count() const { return static_cast<int>(FMembers.size()); }
    const TcxRegExprItem& Items(int Index) const { return *FMembers.at(Index); }

    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;

private:
    std::vector<std::unique_ptr<TcxRegExprItem>> FMembers;
};

// '0'..'9'.
class TcxRegExprDigit : public TcxRegExprEnumeration {
public:
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// ASCII letters, digits and '_'.
class TcxRegExprIdLetter : public TcxRegExprEnumeration {
public:
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;
};

// Space, #0, tab, line feed, form feed and carriage return (not the vertical tab).
class TcxRegExprSpace : public TcxRegExprEnumeration {
public:
    bool Check(char& Ch, bool CaseInsensitive) const override;
    std::unique_ptr<TcxRegExprItem> Clone() const override;
};

class TcxRegExprAll : public TcxRegExprItem {
public:
    bool Check(char&, bool) const override { return true; }
    std::unique_ptr<TcxRegExprItem> Clone() const override;
};

} // namespace toolkit::edit
