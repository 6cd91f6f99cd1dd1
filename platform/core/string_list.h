#pragma once
// The class library's list of strings, with what the program uses of it: lines of 8-bit text,
// edited by index, searched without case, and read from and written to text files byte for byte.
// Each line may carry an object (null by default): the list does not own it, the caller keeps it
// alive as long as the line refers to it; moving, sorting and deleting lines carry it along.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

class TObject;

class TStringList {
public:
    int Count() const { return static_cast<int>(lines_.size()); }

    // Index of the new line.
    int Add(std::string s);
    int AddObject(std::string s, TObject* object);
    // 0 <= index <= Count.
    void Insert(int index, std::string s);
    void InsertObject(int index, std::string s, TObject* object);
    void Delete(int index);
    void Clear() {
        lines_.clear();
        objects_.clear();
    }
    // Index of the first line equal to s without case (ASCII letters), -1 when none.
    int IndexOf(std::string_view s) const;

    const std::string& Strings(int index) const;
    void SetStrings(int index, std::string s);
    const std::string& operator[](int index) const { return Strings(index); }
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);
    // Index of the first line carrying object, -1 when none.
    int IndexOfObject(const TObject* object) const;

    // Stable: equal lines keep their order, and every line keeps its object.
    void CustomSort(const std::function<bool(const std::string&, const std::string&)>& less);

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the lines by those of text (lines without objects). A line ends at CR LF, LF or a
    // lone CR; a line break at the very end starts no further line, so "a\r\nb\r\n" and "a\r\nb"
    // are both two lines.
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
    std::vector<TObject*> objects_;
};

} // namespace platform::core
