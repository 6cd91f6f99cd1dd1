#pragma once
// How the settings files compare names. A name written in the file (a key, a section inside its
// brackets) loses the spaces, tabs and vertical tabs around it, as the platform reads it; a name a
// caller passes loses only the spaces around it, and a tab in it stays part of it.

#include <string>
#include <string_view>

namespace platform::core {

inline std::string TrimmedBy(std::string_view name, const char* blanks) {
    const std::size_t first = name.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return std::string(name.substr(first, name.find_last_not_of(blanks) - first + 1));
}

inline std::string NameInFile(std::string_view name) {
    return TrimmedBy(name, " \t\v");
}

inline std::string NameFromCaller(std::string_view name) {
    return TrimmedBy(name, " ");
}

} // namespace platform::core
