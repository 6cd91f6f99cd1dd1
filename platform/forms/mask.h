#pragma once
// The class library's masked edit and its mask language: '0' a required digit, '9' an optional
// digit, '#' an optional digit or sign, 'L'/'l' a letter, 'A'/'a' a letter or digit, 'C'/'c'
// any character (upper case: required), '>' and '<' force the case of what follows ("<>" ends
// it), '\' takes the next character literally, '!' puts the blanks of a field that is not full
// in front, and every other character is a literal. An optional trailer ";1;_" tells whether
// Text keeps the literals (1) or not (0), and which character shows an empty place.

#include "platform/core/exception.h"
#include "platform/forms/std_ctrls.h"

#include <string>
#include <vector>

namespace platform::forms {

class EDBEditError : public core::Exception {
public:
    using core::Exception::Exception;
};

class TMaskEdit : public TEdit {
public:
    explicit TMaskEdit(TComponent* owner);

    const std::string& EditMask() const { return mask_; }
    void SetEditMask(const std::string& value);
    bool IsMasked() const { return !places_.empty(); }
    // The value: the places, the literals when the mask keeps them, empty places as blanks.
    std::string Text() const;
    // Puts a value into the places (with or without the literals, as the mask keeps them).
    void SetText(const std::string& value) override;
    // What the edit shows, empty places as the mask's blank character.
    const std::string& EditText() const { return text_; }
    // Raises EDBEditError when a required place is empty.
    void ValidateEdit();

protected:
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoExit() override;

private:
    struct Place {
        bool literal = false;
        char ch = ' '; // the literal, or the class of an editable place
        bool required = false;
        int caseMode = 0; // 1 upper, -1 lower
    };
    bool Accepts(const Place& place, char& c) const;
    int NextEditable(int from) const;
    int PreviousEditable(int before) const;
    void Show(const std::string& display);
    std::vector<Place> places_;
    std::string mask_;
    bool saveLiterals_ = true;
    bool leadingBlanks_ = false;
    char blank_ = '_';
};

} // namespace platform::forms
