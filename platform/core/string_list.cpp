#include "platform/core/string_list.h"

#include "platform/core/atomic_file.h"
#include "platform/core/byte_file.h"
#include "platform/core/exception.h"
#include "platform/core/text.h"

#include <algorithm>
#include <numeric>

namespace platform::core {

int TStringList::Add(std::string s) {
    return AddObject(std::move(s), nullptr);
}

int TStringList::AddObject(std::string s, TObject* object) {
    lines_.push_back(std::move(s));
    objects_.push_back(object);
    return Count() - 1;
}

void TStringList::Insert(int index, std::string s) {
    InsertObject(index, std::move(s), nullptr);
}

void TStringList::InsertObject(int index, std::string s, TObject* object) {
    CheckIndex(index, Count() + 1);
    lines_.insert(lines_.begin() + index, std::move(s));
    objects_.insert(objects_.begin() + index, object);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    lines_.erase(lines_.begin() + index);
    objects_.erase(objects_.begin() + index);
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index, Count());
    return objects_[static_cast<std::size_t>(index)];
}

void TStringList::SetObjects(int index, TObject* object) {
    CheckIndex(index, Count());
    objects_[static_cast<std::size_t>(index)] = object;
}

int TStringList::IndexOfObject(const TObject* object) const {
    const auto it = std::find(objects_.begin(), objects_.end(), object);
    return it == objects_.end() ? -1 : static_cast<int>(it - objects_.begin());
}

void TStringList::CustomSort(
    const std::function<bool(const std::string&, const std::string&)>& less) {
    std::vector<std::size_t> order(lines_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return less(lines_[a], lines_[b]); });
    std::vector<std::string> lines;
    std::vector<TObject*> objects;
    lines.reserve(order.size());
    objects.reserve(order.size());
    for (const std::size_t i : order) {
        lines.push_back(std::move(lines_[i]));
        objects.push_back(objects_[i]);
    }
    lines_ = std::move(lines);
    objects_ = std::move(objects);
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
    Clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) end = text.size();
        lines_.emplace_back(text.substr(i, end - i));
        objects_.push_back(nullptr);
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
    std::string error;
    if (!WriteTextFileAtomically(path, Text(), &error))
        throw Exception("Cannot create file " + error);
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace platform::core
