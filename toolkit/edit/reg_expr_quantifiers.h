#pragma once
// How often an item of a regular-expression mask may occur.

#include <memory>
#include <string>

namespace toolkit::edit {

class TcxRegExprQuantifier {
public:
    virtual ~TcxRegExprQuantifier() = default;
    virtual bool CanBeEmpty() const = 0;
    virtual bool CanRepeat() const = 0;
    virtual std::unique_ptr<TcxRegExprQuantifier> Clone() const = 0;
    virtual std::string GetText() const = 0;
};

// Exactly once.
class TcxRegExprSimpleQuantifier : public TcxRegExprQuantifier {
public:
    bool CanBeEmpty() const override { return false; }
    bool CanRepeat() const override { return false; }
    std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
        return std::make_unique<TcxRegExprSimpleQuantifier>();
    }
    std::string GetText() const override { return ""; }
};

class TcxRegExprQuestionQuantifier : public TcxRegExprQuantifier {
public:
    bool CanBeEmpty() const override { return true; }
    bool CanRepeat() const override { return false; }
    std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
        return std::make_unique<TcxRegExprQuestionQuantifier>();
    }
    std::string GetText() const override { return "?"; }
};

class TcxRegExprStarQuantifier : public TcxRegExprQuantifier {
public:
    bool CanBeEmpty() const override { return true; }
    bool CanRepeat() const override { return true; }
    std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
        return std::make_unique<TcxRegExprStarQuantifier>();
    }
    std::string GetText() const override { return "*"; }
};

class TcxRegExprPlusQuantifier : public TcxRegExprQuantifier {
public:
    bool CanBeEmpty() const override { return false; }
    bool CanRepeat() const override { return true; }
    std::unique_ptr<TcxRegExprQuantifier> Clone() const override {
        return std::make_unique<TcxRegExprPlusQuantifier>();
    }
    std::string GetText() const override { return "+"; }
};

} // namespace toolkit::edit
