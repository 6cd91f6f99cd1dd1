#pragma once
// The item lists of list boxes, combo boxes, memos and grids: lines of 8-bit text that tell
// their control of every change, and that can keep themselves sorted. A line may carry an object
// that the list does not own (see core::TStringList).

#include "platform/core/object.h"
#include "platform/core/string_list.h"

#include <functional>
#include <string>

namespace platform::core {
class TFiler;
}

namespace platform::forms {

class TStrings : public core::TObject {
public:
    int Count() const { return list_.Count(); }
    // Index of the new line (its sorted place in a sorted list).
    int Add(std::string s);
    int AddObject(std::string s, core::TObject* object);
    void Insert(int index, std::string s);
    void InsertObject(int index, std::string s, core::TObject* object);
    void Delete(int index);
    void Clear();
    int IndexOf(std::string_view s) const { return list_.IndexOf(s); }
    const std::string& Strings(int index) const { return list_.Strings(index); }
    void SetStrings(int index, std::string s);
    core::TObject* Objects(int index) const { return list_.Objects(index); }
    void SetObjects(int index, core::TObject* object);
    int IndexOfObject(const core::TObject* object) const { return list_.IndexOfObject(object); }
    const std::string& operator[](int index) const { return list_[index]; }
    std::string Text() const { return list_.Text(); }
    void SetText(std::string_view text);
    void Assign(const core::TStringList& lines);
    const core::TStringList& List() const { return list_; }

    // Without case, as the platform compares.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);

    // Many changes, one notice.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    std::function<void()> OnChange;

private:
    void Changed();
    void Sort();
    core::TStringList list_;
    bool sorted_ = false;
    int updating_ = 0;
    bool pending_ = false;
};

// A strings property of a form stream: "<name>.Strings", the lines as a list of strings, written
// when Stored. Reading replaces the lines with one change notice.
void DefineStringsProperty(core::TFiler& filer, const std::string& name, TStrings& strings,
                           bool stored);

} // namespace platform::forms
