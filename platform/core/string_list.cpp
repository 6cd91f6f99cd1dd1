#include "platform/core/string_list.h"

#include "platform/core/atomic_file.h"
#include "platform/core/byte_file.h"
#include "platform/core/exception.h"
#include "platform/core/text.h"

namespace platform::core {

int TStringList::Add(std::string s) {
    lines_.push_back(std::move(s));
    return Count() - 1;
}

void TStringList::Insert(int index, std::string s) {
    CheckIndex(index, Count() + 1);
    lines_.insert(lines_.begin() + index, std::move(s));
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(lines_[static_cast<std::size_t>(i)], s)) return i;
    return -1;
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return lines_[static_cast<std::size_t>(index)];
}

void TStringList::SetStrings(int index, std::string s) {
    CheckIndex(index, Count());
    lines_[static_cast<std::size_t>(index)] = std::move(s);
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    return text;
}

void TStringList::SetText(std::string_view text) {
    lines_.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) end = text.size();
        lines_.emplace_back(text.substr(i, end - i));
        i = end;
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
    }
}

void TStringList::LoadFromFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, &error)) throw Exception("Cannot open file " + error);
    SetText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TStringList::SaveToFile(const std::string& path) const {
    const std::string text = Text();
    std::string error;
    if (!WriteFileAtomically(
            path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
            &error))
        throw Exception("Cannot create file " + error);
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace platform::core
