#pragma once
// The library's localisable texts. Every user-visible text of the component library is a
// resource string: a record whose built-in text is what the program shows. Products register
// their strings by name, in groups, so that a localiser can find every text a product uses.

#include <functional>
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

private:
    std::vector<std::unique_ptr<TdxProductResourceStrings>> FProducts;
};

// The process-wide repository, created on first use.
TdxResourceStringsRepository& dxResourceStringsRepository();

// The current text of a resource string: its built-in text. The repository only lists strings;
// nothing replaces them.
std::string cxGetResourceString(const TResStringRec& R);

} // namespace toolkit::base
