#pragma once
// The library's localisable texts. Every user-visible text of the component library is a
// resource string: a record whose built-in text is what the program shows. Products register
// their strings by name, in groups, so that a localiser can find every text a product uses.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace toolkit::base {

// A resource string; records live for the whole process (the repository keeps pointers).
struct TResStringRec {
    const char* Text;
};

// The built-in text of a resource string.
std::string LoadResString(const TResStringRec& R);

class TdxProductResourceStrings;
using TdxProductResourceStringsInitProc = std::function<void(TdxProductResourceStrings&)>;

// One product's named strings.
class TdxProductResourceStrings {
public:
    // Runs InitProc at once; it adds the product's strings.
    TdxProductResourceStrings(std::string Name, TdxProductResourceStringsInitProc InitProc);

    void Add(const std::string& Name, const TResStringRec* ResStringRec);

    const std::string& Name() const { return FName; }
    int Count() const { return static_cast<int>(FNames.size()); }
    const std::string& Names(int Index) const { return FNames.at(Index); }
    const TResStringRec* Values(int Index) const { return FValues.at(Index); }

private:
    std::string FName;
    TdxProductResourceStringsInitProc FInitProc;
    std::vector<std::string> FNames;
    std::vector<const TResStringRec*> FValues;
};

class TdxResourceStringsRepository {
public:
    void RegisterProduct(const std::string& ProductName,
                         TdxProductResourceStringsInitProc InitProc);
    // A name that is not registered changes nothing.
    void UnregisterProduct(const std::string& ProductName);

    // Exact, case-sensitive name; -1 when none.
    int IndexOf(const std::string& ProductName) const;
    int Count() const { return static_cast<int>(FProducts.size()); }
    TdxProductResourceStrings& Items(int Index) const { return *FProducts.at(Index); }

    // A localiser's text for the strings registered under Name: it wins over their built-in
    // text for as long as they stay registered. An empty Text is a text like any other.
    void SetReplacement(const std::string& Name, std::string Text);
    void RemoveReplacement(const std::string& Name);
    void ClearReplacements() { FReplacements.clear(); }
    // The replacement of a string registered in any product; false when it is not registered
    // or nothing replaces it.
    bool FindReplacement(const TResStringRec& R, std::string& Text) const;

private:
    std::vector<std::unique_ptr<TdxProductResourceStrings>> FProducts;
    std::map<std::string, std::string> FReplacements;
};

// The process-wide repository, created on first use.
TdxResourceStringsRepository& dxResourceStringsRepository();

// The current text of a resource string: the process repository's replacement when the string
// is registered there under a replaced name, else its built-in text.
std::string cxGetResourceString(const TResStringRec& R);

} // namespace toolkit::base
