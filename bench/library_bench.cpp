// Library throughput: a large user library (1,000 patches, 20 patch banks, 20 global sets) loaded,
// saved and sorted. Loading must stay well under what a user notices when the desktop reopens
// its libraries at start-up; the limit is 100 ms on one core. After each timed loop the result
// is checked byte for byte against the generated library, outside the time measured: a load or a
// save that was fast but wrong must not give a figure.

#include "bench/one_core.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "platform/core/atomic_file.h"
#include "platform/core/byte_file.h"
#include "platform/core/text.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <tuple>

namespace {

namespace pc = platform::core;
using Clock = std::chrono::steady_clock;

constexpr int LibraryPatches = 1000;
constexpr int LibraryPatchBanks = 20;
constexpr int LibraryGlobals = 20;
constexpr double LoadLimitSeconds = 0.100;

std::string RandomName(std::mt19937& random) {
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz ";
    std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
    std::uniform_int_distribution<std::size_t> length(3, 12);
    std::string name(length(random), ' ');
    for (char& c : name)
        c = letters[letter(random)];
    name.front() = letters[letter(random) % 52];
    return name;
}

// Dates over some twenty years, so that every sort key has work to do.
void Stamp(model::TLibElem& elem, std::mt19937& random) {
    std::uniform_real_distribution<double> day(36000, 43000);
    std::uniform_real_distribution<double> time(0, 1);
    elem.CreatedDate = static_cast<int>(day(random));
    elem.CreatedTime = time(random);
    elem.ModifiedDate = static_cast<int>(day(random));
    elem.ModifiedTime = time(random);
}

void FillPatch(model::TPatch& patch, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 127);
    for (auto& b : patch.Common->Data())
        b = static_cast<std::uint8_t>(byte(random));
    for (auto& tone : patch.Tones)
        for (auto& b : tone->Data())
            b = static_cast<std::uint8_t>(byte(random));
    patch.SetName(RandomName(random), false);
    Stamp(patch, random);
}

void FillBank(model::TPatchBank& bank, std::mt19937& random) {
    for (int i = 0; i < bank.Count(); ++i)
        FillPatch(bank.Patch(i), random);
}

int CountElements(model::TLibElem& elem) {
    int count = 1;
    if (auto* bank = dynamic_cast<model::TBank*>(&elem))
        for (const auto& child : bank->Elems)
            count += CountElements(*child);
    return count;
}

using Bytes = std::vector<std::uint8_t>;

struct GeneratedLibrary {
    // The whole file.
    Bytes bytes;
    // Each top-level element's record, in the library's order.
    std::vector<Bytes> records;
    std::vector<std::string> comment;
    int topLevel = 0;
    int elements = 0;
};

Bytes Record(model::TLibElem& elem) {
    pc::TByteWriter writer;
    elem.WriteRecord(writer);
    return writer.TakeBytes();
}

void Generate(model::TLibrary& library) {
    std::mt19937 random(12);
    library.Comment.Add("Generated for the benchmarks");
    for (int i = 0; i < LibraryPatches; ++i)
        FillPatch(
            static_cast<model::TPatch&>(library.Add(std::make_unique<model::TPatch>(nullptr))),
            random);
    for (int i = 0; i < LibraryPatchBanks; ++i) {
        auto& bank = static_cast<model::TPatchBank&>(
            library.Add(std::make_unique<model::TPatchBank>(nullptr)));
        bank.Name = RandomName(random);
        FillBank(bank, random);
        Stamp(bank, random);
    }
    for (int i = 0; i < LibraryGlobals; ++i) {
        auto& global =
            static_cast<model::TGlobal&>(library.Add(std::make_unique<model::TGlobal>(nullptr)));
        global.Name = RandomName(random);
        FillBank(global.UserPatchBank(), random);
        FillBank(global.CardPatchBank(), random);
        Stamp(global, random);
    }
}

const GeneratedLibrary& TheLibrary() {
    static const GeneratedLibrary generated = [] {
        model::TLibrary library;
        Generate(library);
        GeneratedLibrary result;
        pc::TByteWriter writer;
        library.WriteLibrary(writer);
        result.bytes = writer.TakeBytes();
        result.topLevel = library.Count();
        for (const auto& elem : library.Elems) {
            result.elements += CountElements(*elem);
            result.records.push_back(Record(*elem));
        }
        result.comment.assign(library.Comment.begin(), library.Comment.end());
        return result;
    }();
    return generated;
}

// A folder of the run's own, removed at exit.
const std::filesystem::path& Folder() {
    static const struct Dir {
        std::filesystem::path path;
        Dir() {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "quintaron-bench-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) std::abort();
            path = pattern;
        }
        ~Dir() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

// Where two byte strings first part, for the error; empty when they are the same.
std::string FirstDifference(const Bytes& got, const Bytes& expected) {
    if (got == expected) return {};
    std::size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at])
        ++at;
    return "differs from byte " + std::to_string(at) + " on (" + std::to_string(got.size()) +
           " bytes, " + std::to_string(expected.size()) + " expected)";
}

// What a loaded library holds against the generated one: the comment, every top-level element's
// record (its images, its children's, names and dates) and the whole file written again. Empty
// when all is the same.
std::string LoadedDifference(model::TLibrary& library) {
    const GeneratedLibrary& lib = TheLibrary();
    if (std::vector<std::string>(library.Comment.begin(), library.Comment.end()) != lib.comment)
        return "the loaded comment differs";
    if (library.Count() != lib.topLevel)
        return "loaded " + std::to_string(library.Count()) + " elements, not " +
               std::to_string(lib.topLevel);
    for (int i = 0; i < library.Count(); ++i)
        if (std::string why =
                FirstDifference(Record(library.Elem(i)), lib.records[static_cast<std::size_t>(i)]);
            !why.empty())
            return "loaded element " + std::to_string(i) + " (" + library.Elem(i).GetTypeName() +
                   " \"" + library.Elem(i).GetName() + "\") " + why;
    pc::TByteWriter writer;
    library.WriteLibrary(writer);
    if (std::string why = FirstDifference(writer.Bytes(), lib.bytes); !why.empty())
        return "the loaded library written again " + why;
    return {};
}

// The saved file's bytes against the generated library's.
std::string SavedDifference(const Bytes& saved) {
    if (std::string why = FirstDifference(saved, TheLibrary().bytes); !why.empty())
        return "the saved library " + why;
    return {};
}

// b belongs before a by the key: the keys are all ascending (model/library.h).
bool Descends(const model::TLibElem& a, const model::TLibElem& b, int key) {
    switch (key) {
    case model::skModified:
        return std::tie(b.ModifiedDate, b.ModifiedTime) < std::tie(a.ModifiedDate, a.ModifiedTime);
    case model::skName:
        return pc::CompareText(b.GetName(), a.GetName()) < 0;
    case model::skType:
        return b.Type < a.Type;
    default:
        return std::tie(b.CreatedDate, b.CreatedTime) < std::tie(a.CreatedDate, a.CreatedTime);
    }
}

// Where each element of a library loaded from the generated file stands in the generated one.
using Origins = std::map<const model::TLibElem*, std::size_t>;

Origins OriginsOf(const model::TLibrary& library) {
    Origins origins;
    for (std::size_t i = 0; i < library.Elems.size(); ++i)
        origins[library.Elems[i].get()] = i;
    return origins;
}

// A sorted library in ascending order by the key, holding every element it held before once.
std::string OrderDifference(const model::TLibrary& library, int key, const Origins& origins) {
    if (library.Elems.size() != origins.size()) return "the sort changed the number of elements";
    for (std::size_t i = 1; i < library.Elems.size(); ++i)
        if (Descends(*library.Elems[i - 1], *library.Elems[i], key))
            return "elements " + std::to_string(i - 1) + " and " + std::to_string(i) +
                   " are out of order";
    std::vector<bool> seen(origins.size());
    for (std::size_t i = 0; i < library.Elems.size(); ++i) {
        const auto origin = origins.find(library.Elems[i].get());
        if (origin == origins.end() || seen[origin->second])
            return "sorted element " + std::to_string(i) + " was not in the library once";
        seen[origin->second] = true;
    }
    return {};
}

// A sorted library against the generated one: in order (OrderDifference), every element's
// record unchanged.
std::string SortedDifference(model::TLibrary& library, int key, const Origins& origins) {
    const GeneratedLibrary& lib = TheLibrary();
    if (std::string why = OrderDifference(library, key, origins); !why.empty()) return why;
    for (int i = 0; i < library.Count(); ++i)
        if (std::string why =
                FirstDifference(Record(library.Elem(i)), lib.records[origins.at(&library.Elem(i))]);
            !why.empty())
            return "sorted element " + std::to_string(i) + " " + why;
    return {};
}

void ReportThroughput(benchmark::State& state, double seconds) {
    const GeneratedLibrary& lib = TheLibrary();
    const auto n = static_cast<double>(state.iterations());
    state.counters["MB/s"] =
        benchmark::Counter(n * static_cast<double>(lib.bytes.size()) / 1e6 / seconds);
    state.counters["elements/s"] = benchmark::Counter(n * lib.elements / seconds);
    state.counters["ms"] = benchmark::Counter(seconds / n * 1e3);
    state.counters["file_MB"] = static_cast<double>(lib.bytes.size()) / 1e6;
    state.counters["elements"] = lib.elements;
}

// After the timed loop of a load: the library checked byte for byte, then the figures.
void FinishLoad(benchmark::State& state, model::TLibrary& library, Clock::duration spent,
                const bench::OneCore& pinned) {
    if (std::string why = LoadedDifference(library); !why.empty())
        return state.SkipWithError(why.c_str());
    const double seconds = std::chrono::duration<double>(spent).count();
    ReportThroughput(state, seconds);
    state.counters["vs_100ms"] =
        benchmark::Counter(seconds / static_cast<double>(state.iterations()) / LoadLimitSeconds);
    state.counters["one_core"] = pinned.Pinned() ? 1 : 0;
}

// Parsing and building the elements from bytes already in memory, on one core.
void BM_LibraryLoad(benchmark::State& state) {
    const GeneratedLibrary& lib = TheLibrary();
    bench::OneCore pinned;
    model::TLibrary library;
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        pc::TByteReader reader(lib.bytes);
        library.ReadLibrary(reader);
        spent += Clock::now() - start;
        benchmark::DoNotOptimize(library.Elems.data());
    }
    FinishLoad(state, library, spent, pinned);
}
BENCHMARK(BM_LibraryLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the desktop does at start-up: the file read (from the page cache) and parsed, on one core.
void BM_LibraryLoadFromFile(benchmark::State& state) {
    const GeneratedLibrary& lib = TheLibrary();
    const std::string path = (Folder() / "Load.Lib").string();
    if (!pc::WriteFileAtomically(path, lib.bytes)) {
        state.SkipWithError("cannot write the library file");
        return;
    }
    bench::OneCore pinned;
    model::TLibrary library;
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool loaded = library.LoadFromFile(path);
        spent += Clock::now() - start;
        if (!loaded) return state.SkipWithError("load failed");
    }
    FinishLoad(state, library, spent, pinned);
}
BENCHMARK(BM_LibraryLoadFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Writing the file's bytes in memory.
void BM_LibrarySave(benchmark::State& state) {
    const GeneratedLibrary& lib = TheLibrary();
    model::TLibrary library;
    pc::TByteReader reader(lib.bytes);
    library.ReadLibrary(reader);
    Clock::duration spent{};
    Bytes saved;
    for (auto _ : state) {
        const auto start = Clock::now();
        pc::TByteWriter writer;
        library.WriteLibrary(writer);
        benchmark::DoNotOptimize(writer.Bytes().data());
        spent += Clock::now() - start;
        saved = writer.TakeBytes();
    }
    if (std::string why = SavedDifference(saved); !why.empty())
        return state.SkipWithError(why.c_str());
    ReportThroughput(state, std::chrono::duration<double>(spent).count());
}
BENCHMARK(BM_LibrarySave)->Unit(benchmark::kMillisecond)->UseRealTime();

// Saving to its file as the user's Save does: built, written to a temporary file, flushed to the
// disk and renamed over the old one. The flush is most of it.
void BM_LibrarySaveToFile(benchmark::State& state) {
    const GeneratedLibrary& lib = TheLibrary();
    model::TLibrary library;
    pc::TByteReader reader(lib.bytes);
    library.ReadLibrary(reader);
    library.FileName = (Folder() / "Save.Lib").string();
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool written = library.SaveFile(false);
        spent += Clock::now() - start;
        if (!written) return state.SkipWithError("save failed");
    }
    Bytes saved;
    std::string error;
    if (!pc::ReadFileBytes(library.FileName, saved, &error))
        return state.SkipWithError(("cannot read the saved library: " + error).c_str());
    if (std::string why = SavedDifference(saved); !why.empty())
        return state.SkipWithError(why.c_str());
    ReportThroughput(state, std::chrono::duration<double>(spent).count());
}
BENCHMARK(BM_LibrarySaveToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

const char* KeyLabel(int key) {
    return key == model::skModified ? "modified"
           : key == model::skName   ? "name"
           : key == model::skType   ? "type"
                                    : "created";
}

// A sort benchmark run once per key, in milliseconds of wall time.
void ByEveryKey(benchmark::internal::Benchmark* sort) {
    for (int key : {model::skModified, model::skName, model::skType, model::skCreated})
        sort->Arg(key);
    sort->Unit(benchmark::kMillisecond)->UseRealTime();
}

// Sorting a library by one key from a shuffled order, the sorted order checked after the timed
// loop.
void SortShuffled(benchmark::State& state, model::TLibrary& library, int key) {
    const Origins origins = OriginsOf(library);
    std::mt19937 random(7);
    Clock::duration spent{};
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(library.Elems.begin(), library.Elems.end(), random);
        state.ResumeTiming();
        const auto start = Clock::now();
        library.Sort(key);
        spent += Clock::now() - start;
    }
    if (std::string why = OrderDifference(library, key, origins); !why.empty())
        return state.SkipWithError(why.c_str());
    const double seconds = std::chrono::duration<double>(spent).count();
    const auto n = static_cast<double>(state.iterations());
    state.counters["ms"] = benchmark::Counter(seconds / n * 1e3);
    state.counters["vs_100ms"] = benchmark::Counter(seconds / n / LoadLimitSeconds);
    state.counters["elements/s"] = benchmark::Counter(n * library.Count() / seconds);
    state.counters["elements"] = library.Count();
    state.SetLabel(KeyLabel(key));
}

// The generated library sorted by one key; every record is checked unchanged afterwards.
void BM_LibrarySort(benchmark::State& state) {
    const GeneratedLibrary& lib = TheLibrary();
    model::TLibrary library;
    pc::TByteReader reader(lib.bytes);
    library.ReadLibrary(reader);
    if (std::string why = LoadedDifference(library); !why.empty())
        return state.SkipWithError(why.c_str());
    const Origins origins = OriginsOf(library);
    const int key = static_cast<int>(state.range(0));
    SortShuffled(state, library, key);
    if (!state.error_occurred())
        if (std::string why = SortedDifference(library, key, origins); !why.empty())
            state.SkipWithError(why.c_str());
}
BENCHMARK(BM_LibrarySort)->Apply(ByEveryKey);

// A collection of 10,000 single elements of four kinds, named from a few hundred names and
// stamped on a few hundred days, so that every key meets many equal elements: the limit is
// 100 ms for each sort, on one core.
constexpr int LargeLibrary = 10000;

void FillLarge(model::TLibrary& library) {
    std::mt19937 random(58);
    std::vector<std::string> names(300);
    for (std::string& name : names)
        name = RandomName(random);
    std::uniform_int_distribution<std::size_t> name(0, names.size() - 1);
    std::uniform_int_distribution<int> type(0, 3);
    std::uniform_int_distribution<int> day(42000, 42300);
    std::uniform_int_distribution<int> quarter(0, 95);
    for (int i = 0; i < LargeLibrary; ++i) {
        model::TLibElem& elem = library.Add(
            model::CreateElemByType(static_cast<std::int16_t>(2 * type(random)), &library));
        elem.SetName(names[name(random)], false);
        elem.CreatedDate = day(random);
        elem.CreatedTime = quarter(random) / 96.0;
        elem.ModifiedDate = day(random);
        elem.ModifiedTime = quarter(random) / 96.0;
    }
}

void BM_LargeLibrarySort(benchmark::State& state) {
    bench::OneCore pinned;
    model::TLibrary library;
    FillLarge(library);
    SortShuffled(state, library, static_cast<int>(state.range(0)));
    state.counters["one_core"] = pinned.Pinned() ? 1 : 0;
}
BENCHMARK(BM_LargeLibrarySort)->Apply(ByEveryKey);

} // namespace
