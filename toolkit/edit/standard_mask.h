#pragma once
// The classic edit mask: one item per character position of the edited text. A mask such as
// "!99/99;0;*" compiles to items that lay typed or pasted text into a template, tell whether a
// text fills the mask and turn the shown text into the edit value.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::edit {

class TcxStandardMaskCustomItem {
public:
    virtual ~TcxStandardMaskCustomItem() = default;
    // Whether Ch fits this position; a variable position also converts Ch to its case.
    virtual bool Check(char& Ch) const = 0;
};

class TcxStandardMaskLiteralItem : public TcxStandardMaskCustomItem {
public:
    explicit TcxStandardMaskLiteralItem(char Literal) : Literal(Literal) {}
    bool Check(char& Ch) const override { return Ch == Literal; }

    char Literal;
};

// 0 upper, 1 lower, 2 as typed.
enum class TcxStandardMaskCaseKind : std::uint8_t { Upper, Lower, None };

class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
public:
    // Converts Ch whether it fits or not.
    bool Check(char& Ch) const override;

    TcxStandardMaskCaseKind CaseKind;
    bool Optional;

protected:
    TcxStandardMaskManyItem(bool Optional, TcxStandardMaskCaseKind CaseKind)
        : CaseKind(CaseKind), Optional(Optional) {}
    virtual bool Fits(char Ch) const = 0;
};

class TcxStandardMaskAlphaItem : public TcxStandardMaskManyItem {
public:
    TcxStandardMaskAlphaItem(bool Optional, TcxStandardMaskCaseKind CaseKind)
        : TcxStandardMaskManyItem(Optional, CaseKind) {}

protected:
    bool Fits(char Ch) const override;
};

class TcxStandardMaskAlphaNumericItem : public TcxStandardMaskManyItem {
public:
    TcxStandardMaskAlphaNumericItem(bool Optional, TcxStandardMaskCaseKind CaseKind)
        : TcxStandardMaskManyItem(Optional, CaseKind) {}

protected:
    bool Fits(char Ch) const override;
};

class TcxStandardMaskASCIIItem : public TcxStandardMaskManyItem {
public:
    TcxStandardMaskASCIIItem(bool Optional, TcxStandardMaskCaseKind CaseKind)
        : TcxStandardMaskManyItem(Optional, CaseKind) {}

protected:
    bool Fits(char) const override { return true; }
};

class TcxStandardMaskNumericItem : public TcxStandardMaskManyItem {
public:
    TcxStandardMaskNumericItem(bool Optional, TcxStandardMaskCaseKind CaseKind)
        : TcxStandardMaskManyItem(Optional, CaseKind) {}

protected:
    bool Fits(char Ch) const override;
};

// A digit or a sign; always optional.
class TcxStandardMaskNumericSymbolItem : public TcxStandardMaskManyItem {
public:
    TcxStandardMaskNumericSymbolItem(bool, TcxStandardMaskCaseKind CaseKind)
        : TcxStandardMaskManyItem(true, CaseKind) {}

protected:
    bool Fits(char Ch) const override;
};

class TcxStandardMask {
public:
    void Compile(const std::string& Mask);
    void Clear();

    int Count() const { return static_cast<int>(FItems.size()); }
    const TcxStandardMaskCustomItem& Items(int Index) const { return *FItems.at(Index); }

    // Lays Text into the template; Text comes back Count characters long. With FillFromRight
    // the text fills the template from its end.
    void Format(std::string& Text, bool ApplyCase, bool TextHasLiterals) const;
    // Text must have the template's length and fill every required position; the case
    // conversion of the variable positions is written back into Text.
    bool IsFullValid(std::string& Text) const;
    // The shown text to the edit value.
    void TextToValue(std::string& Text) const;
    std::string GetEmptyValue() const;
    std::string GetEmptyDisplayText() const;

    char BlankChar = '_';
    bool FillFromRight = false;
    bool SaveLiteralChars = true;
    std::string Mask;

private:
    std::vector<std::unique_ptr<TcxStandardMaskCustomItem>> FItems;
};

} // namespace toolkit::edit
