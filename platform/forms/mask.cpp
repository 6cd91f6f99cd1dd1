#include "platform/forms/mask.h"

#include "platform/forms/clipbrd.h"

#include <cctype>

namespace platform::forms {

using namespace win;

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner) {
    AutoSelect = false;
}

void TMaskEdit::SetEditMask(const std::string& value) {
    mask_ = value;
    places_.clear();
    saveLiterals_ = true;
    leadingBlanks_ = false;
    blank_ = '_';
    std::string body = value;
    // The trailer: ";<save literals>;<blank>".
    if (std::size_t semi = body.rfind(';');
        semi != std::string::npos && semi > 0 && body[semi - 1] != '\\') {
        std::string last = body.substr(semi + 1);
        body.resize(semi);
        std::string save = last;
        if (std::size_t semi2 = body.rfind(';'); semi2 != std::string::npos) {
            save = body.substr(semi2 + 1);
            body.resize(semi2);
            if (!last.empty()) blank_ = last[0];
        }
        saveLiterals_ = save != "0";
    }
    int caseMode = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        Place p;
        switch (c) {
        case '!':
            leadingBlanks_ = true;
            continue;
        case '>':
            caseMode = 1;
            continue;
        case '<':
            if (i + 1 < body.size() && body[i + 1] == '>') {
                caseMode = 0;
                ++i;
            } else {
                caseMode = -1;
            }
            continue;
        case '\\':
            if (i + 1 < body.size()) {
                p.literal = true;
                p.ch = body[++i];
                places_.push_back(p);
            }
            continue;
        case '0':
        case 'L':
        case 'A':
        case 'C':
            p.required = true;
            [[fallthrough]];
        case '9':
        case '#':
        case 'l':
        case 'a':
        case 'c':
            p.ch = c;
            p.caseMode = caseMode;
            places_.push_back(p);
            continue;
        case '_':
            p.literal = true;
            p.ch = ' ';
            places_.push_back(p);
            continue;
        default:
            p.literal = true;
            p.ch = c;
            places_.push_back(p);
            continue;
        }
    }
    if (!places_.empty()) SetMaxLength(static_cast<int>(places_.size()));
    SetText("");
}

bool TMaskEdit::Accepts(const Place& place, char& c) const {
    const unsigned char u = static_cast<unsigned char>(c);
    bool ok = false;
    switch (place.ch) {
    case '0':
    case '9':
        ok = std::isdigit(u);
        break;
    case '#':
        ok = std::isdigit(u) || c == '+' || c == '-';
        break;
    case 'L':
    case 'l':
        ok = std::isalpha(u);
        break;
    case 'A':
    case 'a':
        ok = std::isalnum(u);
        break;
    default:
        ok = u >= 32;
        break;
    }
    if (ok && place.caseMode > 0) c = static_cast<char>(std::toupper(u));
    if (ok && place.caseMode < 0) c = static_cast<char>(std::tolower(u));
    return ok;
}

std::string TMaskEdit::Text() const {
    if (!IsMasked()) return text_;
    std::string result;
    for (std::size_t i = 0; i < places_.size() && i < text_.size(); ++i) {
        if (places_[i].literal) {
            if (saveLiterals_) result += places_[i].ch;
        } else {
            result += text_[i] == blank_ ? ' ' : text_[i];
        }
    }
    return result;
}

void TMaskEdit::Show(const std::string& display) {
    TEdit::SetText(display);
}

void TMaskEdit::SetText(const std::string& value) {
    if (!IsMasked()) {
        TEdit::SetText(value);
        return;
    }
    std::string display(places_.size(), blank_);
    for (std::size_t i = 0; i < places_.size(); ++i)
        if (places_[i].literal) display[i] = places_[i].ch;
    // Field by field: the editable runs between literals.
    std::size_t at = 0; // in value
    std::size_t i = 0;
    while (i < places_.size()) {
        if (places_[i].literal) {
            if (saveLiterals_ && at < value.size() && value[at] == places_[i].ch) ++at;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < places_.size() && !places_[end].literal)
            ++end;
        // This field's part of the value runs up to the next literal the value holds.
        std::string part;
        const char stop = end < places_.size() && saveLiterals_ ? places_[end].ch : '\0';
        while (at < value.size() && (stop == '\0' || value[at] != stop) &&
               (saveLiterals_ || part.size() < end - i))
            part += value[at++];
        if (part.size() > end - i) part.resize(end - i);
        const std::size_t offset = leadingBlanks_ ? (end - i) - part.size() : 0;
        for (std::size_t k = 0; k < part.size(); ++k) {
            char c = part[k];
            if (c != ' ' && Accepts(places_[i + offset + k], c)) display[i + offset + k] = c;
        }
        i = end;
    }
    Show(display);
}

int TMaskEdit::NextEditable(int from) const {
    for (int i = std::max(0, from); i < static_cast<int>(places_.size()); ++i)
        if (!places_[static_cast<std::size_t>(i)].literal) return i;
    return -1;
}

int TMaskEdit::PreviousEditable(int before) const {
    for (int i = std::min(before, static_cast<int>(places_.size())) - 1; i >= 0; --i)
        if (!places_[static_cast<std::size_t>(i)].literal) return i;
    return -1;
}

void TMaskEdit::KeyPress(char& key) {
    if (!IsMasked()) {
        TEdit::KeyPress(key);
        return;
    }
    if (OnKeyPress) OnKeyPress(this, key);
    // The mask places every key itself; the edit's class gets none.
    const char typed = key;
    key = 0;
    if (typed == 0 || ReadOnly()) return;
    std::string display = text_;
    const int selStart = SelStart();
    const int selLength = SelLength();
    if (typed == 8) {
        int at = selLength > 0 ? NextEditable(selStart) : PreviousEditable(selStart);
        if (at < 0) return;
        display[static_cast<std::size_t>(at)] = blank_;
        Show(display);
        SetModified(true);
        SetSelStart(at);
        return;
    }
    if (static_cast<unsigned char>(typed) < 32) return;
    for (int i = selStart; i < selStart + selLength; ++i)
        if (!places_[static_cast<std::size_t>(i)].literal)
            display[static_cast<std::size_t>(i)] = blank_;
    int at = NextEditable(selStart);
    char c = typed;
    if (at < 0 || !Accepts(places_[static_cast<std::size_t>(at)], c)) {
        MessageBeep(0);
        return;
    }
    display[static_cast<std::size_t>(at)] = c;
    Show(display);
    SetModified(true);
    const int next = NextEditable(at + 1);
    SetSelStart(next < 0 ? static_cast<int>(places_.size()) : next);
}

void TMaskEdit::KeyDown(WORD& key, TShiftState shift) {
    if (IsMasked() && key == VK_DELETE && !ReadOnly()) {
        if (OnKeyDown) OnKeyDown(this, key, shift);
        if (key == 0) return;
        key = 0;
        const int at = NextEditable(SelStart());
        if (at >= 0) {
            std::string display = text_;
            display[static_cast<std::size_t>(at)] = blank_;
            Show(display);
            SetModified(true);
        }
        return;
    }
    TEdit::KeyDown(key, shift);
}

void TMaskEdit::ValidateEdit() {
    for (std::size_t i = 0; i < places_.size() && i < text_.size(); ++i)
        if (places_[i].required && text_[i] == blank_) {
            SetSelStart(static_cast<int>(i));
            throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
        }
}

void TMaskEdit::DoExit() {
    // A value left half typed is refused as the user leaves, unless nothing was typed.
    if (IsMasked() && Modified()) ValidateEdit();
    TEdit::DoExit();
}

} // namespace platform::forms
