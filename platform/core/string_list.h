#pragma once
// The class library's list of strings, with what the program uses of it: lines of 8-bit text,
// edited by index, searched without case, and read from and written to text files byte for byte.

#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

class TStringList {
public:
    int Count() const { return static_cast<int>(lines_.size()); }

    // Index of the new line.
    int Add(std::string s);
    // 0 <= index <= Count.
    void Insert(int index, std::string s);
    void Delete(int index);
    void Clear() { lines_.clear(); }
    // Index of the first line equal to s without case (ASCII letters), -1 when none.
    int IndexOf(std::string_view s) const;

    const std::string& Strings(int index) const;
    void SetStrings(int index, std::string s);
    const std::string& operator[](int index) const { return Strings(index); }

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the lines by those of text. A line ends at CR LF, LF or a lone CR; a line break at
    // the very end starts no further line, so "a\r\nb\r\n" and "a\r\nb" are both two lines.
    void SetText(std::string_view text);

    // The file's bytes as lines, split as by SetText. Raises Exception when it cannot be read.
    void LoadFromFile(const std::string& path);
    // Text() as the file's bytes, atomically: on failure an Exception is raised and the file that
    // was there is left as it was.
    void SaveToFile(const std::string& path) const;

    auto begin() const { return lines_.begin(); }
    auto end() const { return lines_.end(); }

private:
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> lines_;
};

} // namespace platform::core
