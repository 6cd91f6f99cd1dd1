#include "platform/forms/strings.h"

#include "platform/core/filer.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace platform::forms {

namespace {

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

int TStrings::Add(std::string s) {
    return AddObject(std::move(s), nullptr);
}

int TStrings::AddObject(std::string s, core::TObject* object) {
    int index = Count();
    if (sorted_) {
        index = 0;
        while (index < Count() && !LessNoCase(s, list_[index]))
            ++index;
    }
    list_.InsertObject(index, std::move(s), object);
    Changed();
    return index;
}

void TStrings::Insert(int index, std::string s) {
    InsertObject(index, std::move(s), nullptr);
}

void TStrings::InsertObject(int index, std::string s, core::TObject* object) {
    list_.InsertObject(index, std::move(s), object);
    Changed();
}

void TStrings::SetObjects(int index, core::TObject* object) {
    list_.SetObjects(index, object);
    Changed();
}

void TStrings::Delete(int index) {
    list_.Delete(index);
    Changed();
}

void TStrings::Clear() {
    if (Count() == 0) return;
    list_.Clear();
    Changed();
}

void TStrings::SetStrings(int index, std::string s) {
    list_.SetStrings(index, std::move(s));
    Changed();
}

void TStrings::SetText(std::string_view text) {
    list_.SetText(text);
    if (sorted_) Sort();
    Changed();
}

void TStrings::Assign(const core::TStringList& lines) {
    list_ = lines;
    if (sorted_) Sort();
    Changed();
}

void TStrings::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    if (value) {
        Sort();
        Changed();
    }
}

void TStrings::Sort() {
    list_.CustomSort(LessNoCase);
}

void TStrings::EndUpdate() {
    if (--updating_ == 0 && pending_) {
        pending_ = false;
        if (OnChange) OnChange();
    }
}

void TStrings::Changed() {
    if (updating_ > 0) {
        pending_ = true;
        return;
    }
    if (OnChange) OnChange();
}

void DefineStringsProperty(core::TFiler& filer, const std::string& name, TStrings& strings,
                           bool stored) {
    filer.DefineProperty(
        name + ".Strings",
        [&strings](core::TReader& reader) {
            // Damaged data still ends the update.
            struct Update {
                TStrings& lines;
                explicit Update(TStrings& l) : lines(l) { lines.BeginUpdate(); }
                ~Update() { lines.EndUpdate(); }
                Update(const Update&) = delete;
                Update& operator=(const Update&) = delete;
            } update(strings);
            strings.Clear();
            reader.ReadListBegin();
            while (!reader.EndOfList())
                strings.Add(reader.ReadString());
            reader.ReadListEnd();
        },
        [&strings](core::TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < strings.Count(); ++i)
                writer.WriteString(strings[i]);
            writer.WriteListEnd();
        },
        stored);
}

} // namespace platform::forms
