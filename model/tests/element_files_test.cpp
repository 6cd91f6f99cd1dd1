#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"
#include "model/files/data_folders.h"
#include "model/files/element_files.h"
#include "model/tests/element_fixture.h"
#include "platform/core/folders.h"
#include "testsupport/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <random>
#include <sys/resource.h>

namespace model {
namespace {

using element_fixtures::Append;
using element_fixtures::Bytes;
using element_fixtures::DataSet;
using element_fixtures::FakeView;
using element_fixtures::Pattern;
namespace pc = platform::core;

// ---- The layouts, written out here field by field ----

void I16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Double(Bytes& b, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

// A short string field; length is the length byte when given, else the text's.
void Short(Bytes& b, const std::string& text, std::size_t field, int length = -1) {
    b.push_back(static_cast<std::uint8_t>(length < 0 ? static_cast<int>(text.size()) : length));
    for (std::size_t i = 0; i < field; ++i)
        b.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

struct BaseFields {
    int type;
    std::string name;
    std::string fileName;
    double createdDate = 45000, createdTime = 0.25, modifiedDate = 45001, modifiedTime = 0.5;
    bool temporary = false;
    bool user = true;
    int number = 1;
    int left = -1, top = -1;
};

void Base(Bytes& b, const BaseFields& f) {
    I16(b, f.type);
    Short(b, f.name, 12);
    Short(b, f.fileName, 79);
    Double(b, f.createdDate);
    Double(b, f.createdTime);
    Double(b, f.modifiedDate);
    Double(b, f.modifiedTime);
    b.push_back(f.temporary ? 1 : 0);
    b.push_back(f.user ? 1 : 0);
    I16(b, f.number);
    I16(b, f.left);
    I16(b, f.top);
}

Bytes PatchCommon(const std::string& name, int seed) {
    Bytes data = Pattern(73, seed);
    for (std::size_t i = 0; i < 12; ++i)
        data[i] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : ' ';
    return data;
}

Bytes PatchMessages(std::uint32_t base, const std::string& name, int seed) {
    Bytes b = DataSet(base, PatchCommon(name, seed));
    for (int t = 1; t <= 4; ++t)
        Append(b, DataSet(base + 0x1000 + static_cast<std::uint32_t>(t - 1) * 0x200,
                          Pattern(129, seed + t)));
    return b;
}

Bytes PerformanceMessages(std::uint32_t base, int seed) {
    Bytes b = DataSet(base, Pattern(66, seed));
    for (int p = 1; p <= 16; ++p)
        Append(b, DataSet(base + 0x1000 + static_cast<std::uint32_t>(p - 1) * 0x100,
                          Pattern(25, seed + p)));
    return b;
}

Bytes RhythmMessages(std::uint32_t base, int seed) {
    Bytes b = DataSet(base, Pattern(12, seed));
    for (int k = 35; k <= 98; ++k)
        Append(b, DataSet(base + 0x2300 + static_cast<std::uint32_t>(k - 35) * 0x100,
                          Pattern(58, seed + k)));
    return b;
}

Bytes SystemMessages(int seed) {
    Bytes b = DataSet(0, Pattern(82, seed));
    for (int s = 1; s <= 17; ++s)
        Append(b,
               DataSet(0x1000 + static_cast<std::uint32_t>(s - 1) * 0x100, Pattern(12, seed + s)));
    return b;
}

std::uint32_t Step(int i) {
    return static_cast<std::uint32_t>(i) * 0x10000;
}

Bytes BankRecord(int type, bool user, int seed) {
    Bytes b;
    Base(b, {type, "Bank", ""});
    b[2 + 13 + 80 + 32 + 1] = user ? 1 : 0;
    I16(b, 500);
    I16(b, 400);
    if (type == etPatchBank)
        for (int i = 0; i < 128; ++i)
            Append(b, PatchMessages((user ? 0x11000000 : 0x21000000) + Step(i), "P", seed + i));
    if (type == etPerformanceBank)
        for (int i = 0; i < 32; ++i)
            Append(b, PerformanceMessages((user ? 0x10000000 : 0x20000000) + Step(i), seed + i));
    if (type == etRhythmBank)
        for (int i = 0; i < 2; ++i)
            Append(b, RhythmMessages((user ? 0x10400000 : 0x20400000) + Step(i), seed + i));
    return b;
}

Bytes GlobalRecord() {
    Bytes b;
    Base(b, {etGlobal, "Studio", "C:\\Data\\Studio.Glb"});
    I16(b, 700);
    I16(b, 600);
    Append(b, BankRecord(etPatchBank, true, 1));
    Append(b, BankRecord(etPatchBank, false, 2));
    Append(b, BankRecord(etPerformanceBank, true, 3));
    Append(b, BankRecord(etPerformanceBank, false, 4));
    Append(b, BankRecord(etRhythmBank, true, 5));
    Append(b, BankRecord(etRhythmBank, false, 6));
    Base(b, {etSystem, "Untitled", ""});
    for (int i = 0; i < 8; ++i)
        I16(b, 10 * i);
    Append(b, SystemMessages(7));
    return b;
}

struct LibraryBytes {
    Bytes bytes;
    std::size_t headerEnd = 0;
    std::size_t patchEnd = 0;
    std::size_t bankEnd = 0;
};

LibraryBytes BuildLibrary() {
    LibraryBytes lib;
    Bytes& b = lib.bytes;
    for (const std::string line : {"First line", "", "Third"}) {
        I16(b, static_cast<int>(line.size()));
        b.insert(b.end(), line.begin(), line.end());
    }
    I16(b, 0xFFFF);
    I16(b, 640);
    I16(b, 480);
    I16(b, 12);
    I16(b, 34);
    lib.headerEnd = b.size();

    BaseFields patch{etPatch, "", "C:\\Sounds\\Bass.Syx"};
    patch.number = 17;
    patch.left = 100;
    patch.top = 200;
    Base(b, patch);
    for (int i = 0; i < 60; ++i)
        I16(b, i * 3 - 5);
    Append(b, PatchMessages(0x11100000, "Fretless", 40));
    lib.patchEnd = b.size();

    BaseFields bank{etPerformanceBank, "Strings", ""};
    bank.user = false;
    Base(b, bank);
    I16(b, 300);
    I16(b, 400);
    for (int i = 0; i < 32; ++i)
        Append(b, PerformanceMessages(0x20000000 + Step(i), 60 + i));
    lib.bankEnd = b.size();

    Append(b, GlobalRecord());
    return lib;
}

class ElementFilesTest : public element_fixtures::ElementFixture {
protected:
    Bytes SysExOf(TLibElem& elem) {
        pc::TByteWriter file;
        elem.WriteSysEx(file);
        return file.Bytes();
    }

    // A file an element then names, and whether Save may write it without asking.
    struct StraightCase {
        const char* what;
        const char* file;
        // Readies the file (or leaves it missing) before the element is saved.
        std::function<void(const std::string& path)> prepare;
        bool straight;
    };
    // For each case elem names the case's file, readied, and save runs (Save without asking for
    // a name): straight cases write what written gives there; the others propose the name in the
    // save dialog titled title, which is cancelled, and leave the file as it was.
    void ExpectStraightOnlyWhere(TLibElem& elem, const std::function<bool()>& save,
                                 const std::function<Bytes()>& written, const std::string& title,
                                 const std::vector<StraightCase>& cases) {
        for (const StraightCase& c : cases) {
            SCOPED_TRACE(c.what);
            const std::string path = Path(c.file);
            c.prepare(path);
            const bool existed = pc::FileExists(path);
            const Bytes before = ReadFile(path);
            elem.FileName = path;
            const std::size_t asked = dialogs.requests.size();
            if (!c.straight) dialogs.ExpectSave(title, "");
            EXPECT_EQ(save(), c.straight);
            if (c.straight) {
                EXPECT_EQ(dialogs.requests.size(), asked);
                EXPECT_EQ(ReadFile(path), written());
                continue;
            }
            ASSERT_EQ(dialogs.requests.size(), asked + 1);
            EXPECT_EQ(dialogs.requests.back().FileName, c.file);
            EXPECT_EQ(dialogs.requests.back().InitialDir, dir);
            EXPECT_EQ(pc::FileExists(path), existed);
            EXPECT_EQ(ReadFile(path), before);
        }
    }
    static constexpr const char* Notes = "my notes\n";
    static Bytes NotesBytes() { return Bytes(Notes, Notes + std::strlen(Notes)); }
};

// ---- ".Lib" ----

TEST_F(ElementFilesTest, LibraryBuiltFromTheLayoutLoadsWithEveryField) {
    const LibraryBytes lib = BuildLibrary();
    WriteFile(Path("Built.Lib"), lib.bytes);
    TLibrary library;
    ASSERT_TRUE(library.LoadFromFile(Path("Built.Lib")));
    EXPECT_TRUE(library.Saved);
    EXPECT_EQ(library.FileName, Path("Built.Lib"));
    EXPECT_EQ(library.GetName(), "Built.Lib");

    ASSERT_EQ(library.Comment.Count(), 3);
    EXPECT_EQ(library.Comment[0], "First line");
    EXPECT_EQ(library.Comment[1], "");
    EXPECT_EQ(library.Comment[2], "Third");
    EXPECT_EQ(library.Width, 640);
    EXPECT_EQ(library.Height, 480);
    EXPECT_EQ(library.EditorLeft, 12);
    EXPECT_EQ(library.EditorTop, 34);
    ASSERT_EQ(library.Count(), 3);

    auto& patch = dynamic_cast<TPatch&>(library.Elem(0));
    EXPECT_EQ(patch.Owner, &library);
    EXPECT_EQ(patch.GetName(), "Fretless");
    EXPECT_EQ(patch.FileName, "C:\\Sounds\\Bass.Syx");
    EXPECT_EQ(patch.CreatedDate, 45000);
    EXPECT_EQ(patch.CreatedTime, 0.25);
    EXPECT_EQ(patch.ModifiedDate, 45001);
    EXPECT_EQ(patch.ModifiedTime, 0.5);
    EXPECT_FALSE(patch.Temporary);
    EXPECT_TRUE(patch.Memory);
    EXPECT_EQ(patch.Number, 17);
    EXPECT_EQ(patch.EditorLeft, 100);
    EXPECT_EQ(patch.EditorTop, 200);
    EXPECT_EQ(patch.Tone(1).Pages[tpWave].Left, -5);
    EXPECT_EQ(patch.Tone(1).Pages[tpTVA].Top, 4);
    EXPECT_EQ(patch.Tone(4).Pages[tpControl].Top, 55 * 3 - 5);
    EXPECT_EQ(patch.Common->CommonWindow.Left, 56 * 3 - 5);
    EXPECT_EQ(patch.Common->EffectsWindow.Top, 59 * 3 - 5);
    const Bytes tone3 = Pattern(129, 43);
    EXPECT_TRUE(std::equal(tone3.begin(), tone3.end(), patch.Tone(3).Data().begin()));

    auto& bank = dynamic_cast<TPerformanceBank&>(library.Elem(1));
    EXPECT_EQ(bank.GetName(), "Strings");
    EXPECT_FALSE(bank.Memory);
    EXPECT_EQ(bank.Width, 300);
    EXPECT_EQ(bank.Height, 400);
    const Bytes part = Pattern(25, 60 + 31 + 16);
    EXPECT_TRUE(std::equal(part.begin(), part.end(), bank.Performance(31).Part(16).Data().begin()));
    EXPECT_EQ(bank.Performance(31).Number, 32);

    auto& global = dynamic_cast<TGlobal&>(library.Elem(2));
    EXPECT_EQ(global.GetName(), "Studio");
    EXPECT_EQ(global.Width, 700);
    EXPECT_EQ(global.Height, 600);
    const Bytes cardTone = Pattern(129, 2 + 127 + 4);
    EXPECT_TRUE(std::equal(cardTone.begin(), cardTone.end(),
                           global.CardPatchBank().Patch(127).Tone(4).Data().begin()));
    const Bytes note = Pattern(58, 6 + 1 + 98);
    EXPECT_TRUE(std::equal(note.begin(), note.end(),
                           global.CardRhythmBank().Rhythm(1).Note(98).Data().begin()));
    EXPECT_EQ(global.System().PreviewWindow.Top, 70);
    EXPECT_EQ(global.System().ScaleTuneWindow.Left, 40);
    const Bytes tune = Pattern(12, 7 + 17);
    EXPECT_TRUE(std::equal(tune.begin(), tune.end(), global.System().ScaleTune(17).Data().begin()));

    // What loads writes back byte for byte.
    pc::TByteWriter file;
    library.WriteLibrary(file);
    EXPECT_EQ(file.Bytes(), lib.bytes);
}

TEST_F(ElementFilesTest, LibraryCutShortKeepsWhatWasRead) {
    const LibraryBytes lib = BuildLibrary();
    struct Case {
        const char* what;
        std::size_t length;
        int elements;
        int comments;
        bool whole;
    } cases[] = {
        {"after the window fields", lib.headerEnd, 0, 3, true},
        {"inside the patch's name", lib.headerEnd + 5, 1, 3, false},
        {"inside the patch's common block", lib.headerEnd + 2 + 135 - 2 + 120 + 40, 1, 3, false},
        {"inside the next type code", lib.patchEnd + 1, 1, 3, false},
        {"at a record's end", lib.bankEnd, 2, 3, true},
        {"inside the global's system", lib.bytes.size() - 10, 3, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes cut(lib.bytes.begin(),
                        lib.bytes.begin() + static_cast<std::ptrdiff_t>(c.length));
        TLibrary library;
        pc::TByteReader reader(cut);
        EXPECT_EQ(library.ReadLibrary(reader), c.whole);
        EXPECT_EQ(library.Count(), c.elements);
        EXPECT_EQ(library.Comment.Count(), c.comments);
    }

    // The patch cut inside its common block keeps the bytes read and the defaults after them.
    const std::size_t at = lib.headerEnd + 2 + 133 + 120 + 40;
    const Bytes cut(lib.bytes.begin(), lib.bytes.begin() + static_cast<std::ptrdiff_t>(at));
    TLibrary library;
    pc::TByteReader reader(cut);
    library.ReadLibrary(reader);
    auto& patch = dynamic_cast<TPatch&>(library.Elem(0));
    EXPECT_EQ(patch.Number, 17);
    EXPECT_EQ(patch.GetName(), "Fretless");
    EXPECT_EQ(patch.Common->GetParam(30), Pattern(73, 40)[30]);
    EXPECT_EQ(patch.Common->GetParam(44), 1);
    const TTone fresh(2);
    EXPECT_EQ(patch.Tone(2).Image, fresh.Image);
}

TEST_F(ElementFilesTest, UnknownTypeCodeLoadsNothing) {
    LibraryBytes lib = BuildLibrary();
    lib.bytes[lib.patchEnd] = 9;
    WriteFile(Path("Bad.Lib"), lib.bytes);

    TLibrary library;
    library.Add(std::make_unique<TPatch>(nullptr));
    library.Comment.Add("kept");
    library.FileName = Path("Old.Lib");
    library.Saved = false;
    dialogs.ExpectMessage("Error Loading Library: Bad.Lib is not a library file.");
    EXPECT_FALSE(library.LoadFromFile(Path("Bad.Lib")));
    EXPECT_EQ(library.Count(), 1);
    EXPECT_EQ(library.Comment[0], "kept");
    EXPECT_EQ(library.FileName, Path("Old.Lib"));
    EXPECT_FALSE(library.Saved);
}

// A file that is no library (empty, foreign bytes, or cut short before its elements begin) is
// refused aloud and leaves the library as it was: loaded, it would be an empty library that a
// save writes over the file.
TEST_F(ElementFilesTest, AFileThatIsNoLibraryIsRefused) {
    const LibraryBytes lib = BuildLibrary();
    std::mt19937 random(45);
    Bytes noise(3000);
    for (std::uint8_t& byte : noise)
        byte = static_cast<std::uint8_t>(random());
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"zero bytes", {}},
        {"random bytes", noise},
        {"cut inside the comment", Bytes(lib.bytes.begin(), lib.bytes.begin() + 13)},
        {"cut inside the window fields",
         Bytes(lib.bytes.begin(),
               lib.bytes.begin() + static_cast<std::ptrdiff_t>(lib.headerEnd) - 3)},
        {"a comment without its end", {3, 0, 'a', 'b', 'c'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(Path("Odd.Lib"), c.bytes);
        TLibrary library;
        library.Add(std::make_unique<TPatch>(nullptr));
        library.Comment.Add("kept");
        library.FileName = Path("Old.Lib");
        library.Saved = false;
        dialogs.ExpectMessage("Error Loading Library: Odd.Lib is not a library file.");
        EXPECT_FALSE(library.LoadFromFile(Path("Odd.Lib")));
        EXPECT_TRUE(dialogs.steps.empty());
        EXPECT_EQ(library.Count(), 1);
        EXPECT_EQ(library.Comment[0], "kept");
        EXPECT_EQ(library.FileName, Path("Old.Lib"));
        EXPECT_FALSE(library.Saved);
    }
    // An empty library is ten bytes and no refusal.
    WriteFile(Path("Empty.Lib"), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
    TLibrary empty;
    EXPECT_TRUE(empty.LoadFromFile(Path("Empty.Lib")));
    EXPECT_EQ(empty.Count(), 0);
}

// A library whose file ends inside an element loads what was read, says so, and stays saved, so
// that nothing writes over the file unless the user saves it.
TEST_F(ElementFilesTest, ALibraryLoadedInPartSaysSoAndLeavesItsFileAlone) {
    const LibraryBytes lib = BuildLibrary();
    const Bytes cut(lib.bytes.begin(),
                    lib.bytes.begin() + static_cast<std::ptrdiff_t>(lib.patchEnd) + 40);
    WriteFile(Path("Cut.Lib"), cut);
    TLibrary library;
    dialogs.ExpectMessage("Cut.Lib ends inside an element: the library was loaded only in part. "
                          "The file stays as it is until you save the library.");
    EXPECT_TRUE(library.LoadFromFile(Path("Cut.Lib")));
    EXPECT_TRUE(dialogs.steps.empty());
    EXPECT_EQ(library.Count(), 2);
    EXPECT_EQ(library.FileName, Path("Cut.Lib"));
    EXPECT_TRUE(library.Saved);
    EXPECT_EQ(ReadFile(Path("Cut.Lib")), cut);
}

TEST_F(ElementFilesTest, OverlongLengthBytesAreClamped) {
    Bytes b;
    I16(b, 0xFFFF);
    for (int i = 0; i < 4; ++i)
        I16(b, -1);
    BaseFields fields{etPatch, "ABCDEFGHIJKL", std::string(79, 'f')};
    fields.number = 3;
    Base(b, fields);
    b[10 + 2] = 200;      // name length
    b[10 + 2 + 13] = 255; // file name length
    for (int i = 0; i < 60; ++i)
        I16(b, 0);
    Append(b, PatchMessages(0x11020000, "X", 1));
    TLibrary library;
    pc::TByteReader reader(b);
    library.ReadLibrary(reader);
    ASSERT_EQ(library.Count(), 1);
    EXPECT_EQ(library.Elem(0).Name, "ABCDEFGHIJKL");
    EXPECT_EQ(library.Elem(0).FileName, std::string(79, 'f'));
    EXPECT_EQ(library.Elem(0).Number, 3);
    pc::TByteWriter file;
    library.WriteLibrary(file);
    EXPECT_EQ(file.Bytes()[12], 12);
    EXPECT_EQ(file.Bytes()[25], 79);
}

TEST_F(ElementFilesTest, LoadingReplacesTheElements) {
    const LibraryBytes lib = BuildLibrary();
    WriteFile(Path("Built.Lib"), lib.bytes);
    TLibrary library;
    library.Add(std::make_unique<TRhythm>(nullptr));
    library.Add(std::make_unique<TRhythm>(nullptr));
    dialogs.ExpectOpen("Load Library", Path("Built.Lib"));
    const int menus = ui.menuUpdates;
    EXPECT_TRUE(library.OpenFile());
    EXPECT_EQ(library.Count(), 3);
    EXPECT_EQ(library.Elem(0).Type, etPatch);
    EXPECT_GT(ui.menuUpdates, menus);
    EXPECT_EQ(dialogs.requests.back().InitialDir, Path("Quintaron"));
    EXPECT_EQ(dialogs.requests.back().Filter, "Lib file|*.Lib");
    EXPECT_EQ(dialogs.requests.back().DefaultExt, "Lib");
}

// Leaving the open dialog with Cancel loads nothing, and a library with changes not yet saved
// still asks to be saved: only a file read makes it saved.
TEST_F(ElementFilesTest, ACancelledOpenLeavesAnUnsavedLibraryUnsaved) {
    TLibrary library;
    library.Add(std::make_unique<TRhythm>(nullptr)).SetModified();
    ASSERT_FALSE(library.Saved);
    dialogs.ExpectOpen("Load Library", "");
    const int menus = ui.menuUpdates;
    EXPECT_FALSE(library.OpenFile());
    EXPECT_FALSE(library.Saved);
    EXPECT_EQ(library.Count(), 1);
    EXPECT_GT(ui.menuUpdates, menus);
}

TEST_F(ElementFilesTest, CommentLinesAndLongFileNames) {
    pc::TStringList lines;
    lines.Add(std::string(70000, 'c'));
    lines.Add("x");
    pc::TByteWriter file;
    WriteStrings(file, lines);
    ASSERT_EQ(file.Size(), 2 + 65534 + 2 + 1 + 2);
    pc::TByteReader reader(file.Bytes());
    pc::TStringList read;
    ReadStrings(reader, read);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read[0].size(), 65534u);
    EXPECT_EQ(read[1], "x");
    EXPECT_TRUE(reader.Eof());

    TPatch patch(nullptr);
    patch.FileName = "/" + std::string(90, 'd') + "/Bass.Syx";
    pc::TByteWriter record;
    patch.WriteRecord(record);
    pc::TByteReader recordReader(record.Bytes());
    recordReader.ReadI16();
    recordReader.ReadShortString(12);
    EXPECT_EQ(recordReader.ReadShortString(79), "Bass.Syx");
    EXPECT_EQ(StoredFileName("/short/Bass.Syx"), "/short/Bass.Syx");
}

TEST_F(ElementFilesTest, SaveLibraryThroughTheDialog) {
    TLibrary library;
    FakeView view;
    view.left = 5;
    view.top = 6;
    view.width = 700;
    view.height = 500;
    library.Editor = &view;
    library.EditorOpen = true;
    library.Add(std::make_unique<TPatch>(nullptr)).SetModified();
    ASSERT_FALSE(library.Saved);
    // A parameter page of the patch, open.
    FakeView page;
    TEditorSlot& slot = dynamic_cast<TPatch&>(library.Elem(0)).Common->CommonWindow;
    slot.Window = &page;
    slot.Open = true;

    dialogs.ExpectSave("Save Library", "");
    EXPECT_FALSE(library.SaveFile(false));
    EXPECT_FALSE(library.Saved);
    EXPECT_EQ(library.FileName, "Untitled.Lib");

    // The window, which shows the new name, is refreshed once by the save.
    const int updates = view.updates;
    dialogs.ExpectSave("Save Library", Path("Mine.Lib"));
    EXPECT_TRUE(library.SaveFile(false));
    EXPECT_TRUE(library.Saved);
    EXPECT_EQ(library.FileName, Path("Mine.Lib"));
    EXPECT_EQ(view.updates, updates + 1);
    // The page's caption names the library too; its undo entries still fit the data.
    EXPECT_EQ(page.updates, 1);
    EXPECT_EQ(page.undoClears, 0);
    EXPECT_EQ(library.Width, 700);
    const Bytes saved = ReadFile(Path("Mine.Lib"));
    EXPECT_EQ(saved.size(), 10u + 899u);
    EXPECT_EQ(saved[6], 5);

    // Its own file again: straight, no dialog.
    library.Elem(0).SetModified();
    EXPECT_TRUE(library.SaveFile(false));
    EXPECT_TRUE(library.Saved);

    // Asked for a name that exists: No changes nothing.
    library.Elem(0).SetModified();
    dialogs.ExpectSave("Save Library", Path("Mine.Lib"));
    dialogs.ExpectMessage("File Alredy Exist. Overwrite it ?", mrNo);
    EXPECT_FALSE(library.SaveFile(true));
    EXPECT_FALSE(library.Saved);
    library.Editor = nullptr;
    library.EditorOpen = false;
    slot.Window = nullptr;
    slot.Open = false;
}

TEST_F(ElementFilesTest, SortByEachKey) {
    TLibrary library;
    struct Entry {
        std::int16_t type;
        const char* name;
        double modified, created;
    } entries[] = {
        {etPatchBank, "Brass", 3, 0.5},
        {etSystem, "bass", 1, 0.25},
        {etPatch, "Choir", 2, 0.75},
        {etRhythmBank, "alto", 4, 0.1},
    };
    for (const Entry& e : entries) {
        auto elem = CreateElemByType(e.type, nullptr);
        elem->Name = e.name;
        elem->ModifiedDate = e.modified;
        elem->ModifiedTime = 0;
        elem->CreatedDate = 10;
        elem->CreatedTime = e.created;
        if (e.type == etPatch) elem->SetName(e.name, false);
        library.Add(std::move(elem));
    }
    auto names = [&] {
        std::string all;
        for (int i = 0; i < library.Count(); ++i)
            all += library.Elem(i).GetName() + ",";
        return all;
    };
    library.Sort(skName);
    EXPECT_EQ(names(), "alto,bass,Brass,Choir,");
    library.Sort(skModified);
    EXPECT_EQ(names(), "bass,Choir,Brass,alto,");
    library.Sort(skType);
    EXPECT_EQ(names(), "Choir,Brass,alto,bass,");
    library.Sort(skCreated);
    EXPECT_EQ(names(), "alto,bass,Brass,Choir,");

    // Same day: the time decides.
    library.Elem(0).ModifiedDate = 5;
    library.Elem(0).ModifiedTime = 0.9;
    library.Elem(1).ModifiedDate = 5;
    library.Elem(1).ModifiedTime = 0.1;
    library.Sort(skModified);
    EXPECT_EQ(library.Elem(2).GetName(), "bass");
    EXPECT_EQ(library.Elem(3).GetName(), "alto");
}

TEST_F(ElementFilesTest, TakeElemMovesBetweenLibraries) {
    TLibrary source;
    TLibrary target;
    target.Add(std::make_unique<TSystem>(nullptr));
    for (const char* name : {"One", "Two", "Three"})
        source.Add(std::make_unique<TPatchBank>(nullptr)).Name = name;
    source.Elem(1).Selected = true;
    TLibElem* moved = &source.Elem(1);
    target.TakeElem(source, 1);
    ASSERT_EQ(source.Count(), 2);
    EXPECT_EQ(source.Elem(0).Name, "One");
    EXPECT_EQ(source.Elem(1).Name, "Three");
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(&target.Elem(1), moved);
    EXPECT_EQ(moved->Owner, &target);
    EXPECT_FALSE(moved->Selected);
    EXPECT_EQ(static_cast<TBank*>(moved)->Elem(0).Root(), &target);
}

// ---- ".Syx" ----

TEST_F(ElementFilesTest, SaveSysExAsksForAnUntitledElementThenSavesStraight) {
    TPatch patch(nullptr);
    patch.SetName("Organ", false);
    dialogs.ExpectSave("Save SysEx", "");
    EXPECT_FALSE(patch.SaveSysExFile(false));
    EXPECT_FALSE(patch.Saved);
    EXPECT_EQ(dialogs.requests[0].InitialDir, Path("Quintaron"));
    EXPECT_EQ(dialogs.requests[0].FileName, "Untitled.Syx");
    EXPECT_EQ(dialogs.requests[0].Filter, "Syx file|*.Syx");
    EXPECT_EQ(dialogs.requests[0].DefaultExt, "Syx");
    EXPECT_TRUE(pc::DirectoryExists(Path("Quintaron")));

    dialogs.ExpectSave("Save SysEx", Path("Organ.Syx"));
    EXPECT_TRUE(patch.SaveSysExFile(false));
    EXPECT_TRUE(patch.Saved);
    EXPECT_EQ(patch.FileName, Path("Organ.Syx"));
    EXPECT_EQ(ReadFile(Path("Organ.Syx")), SysExOf(patch));

    patch.SetName("Organ 2", false);
    EXPECT_TRUE(patch.SaveSysExFile(false));
    EXPECT_EQ(ReadFile(Path("Organ.Syx")), SysExOf(patch));

    dialogs.ExpectSave("Save SysEx", Path("Organ.Syx"));
    dialogs.ExpectMessage("File Alredy Exist. Overwrite it ?", mrNo);
    patch.SetName("Organ 3", false);
    EXPECT_FALSE(patch.SaveSysExFile(true));
    EXPECT_NE(ReadFile(Path("Organ.Syx")), SysExOf(patch));
    EXPECT_EQ(dialogs.requests.back().InitialDir, dir);

    dialogs.ExpectSave("Save SysEx", Path("Organ.Syx"));
    dialogs.ExpectMessage("File Alredy Exist. Overwrite it ?", mrYes);
    EXPECT_TRUE(patch.SaveSysExFile(true));
    EXPECT_EQ(ReadFile(Path("Organ.Syx")), SysExOf(patch));
}

TEST_F(ElementFilesTest, NamesFromWindowsOrMissingFoldersAreNeverWrittenUnasked) {
    TPatch patch(nullptr);
    patch.Saved = true;
    for (const std::string& name :
         {std::string("C:\\Sounds\\Bass.Syx"), std::string("Bass.Syx"), Path("none/Bass.Syx")}) {
        SCOPED_TRACE(name);
        patch.FileName = name;
        dialogs.ExpectSave("Save SysEx", "");
        EXPECT_FALSE(patch.SaveSysExFile(false));
        EXPECT_EQ(dialogs.requests.back().FileName, "Bass.Syx");
        EXPECT_EQ(dialogs.requests.back().InitialDir, Path("Quintaron"));
    }
}

// A stored name comes from a library file, which may have come from anyone: Save writes there
// straight only when the user chose or loaded that file during this run, or when it already
// holds a patch in either layout of its files.
TEST_F(ElementFilesTest, SaveSysExWritesStraightOnlyToChosenFilesOrItsOwnKind) {
    TPatch patch(nullptr);
    patch.SetName("Mine", false);
    const Bytes ownFile = SysExOf(patch);
    Bytes otherInstrument = ownFile;
    otherInstrument[3] = 0x6B;
    const auto text = [](const std::string& path) { WriteFile(path, NotesBytes()); };
    const std::vector<StraightCase> cases = {
        {"chosen in the save dialog this run, holding text since", "Chosen.Syx",
         [&](const std::string& path) {
             TPatch other(nullptr);
             dialogs.ExpectSave("Save SysEx", path);
             ASSERT_TRUE(other.SaveSysExFile(true));
             text(path);
         },
         true},
        {"loaded this run, holding text since", "Loaded.Syx",
         [&](const std::string& path) {
             WriteFile(path, ownFile);
             TPatch other(nullptr);
             dialogs.ExpectOpen("Load SysEx", path);
             ASSERT_TRUE(other.LoadSysExFile());
             text(path);
         },
         true},
        {"a patch file", "Patch.Syx", [&](const std::string& path) { WriteFile(path, ownFile); },
         true},
        {"a patch file in the import/export layout", "Short.Syx",
         [&](const std::string& path) {
             state.ImportExportMode = true;
             WriteFile(path, SysExOf(patch));
             state.ImportExportMode = false;
             ASSERT_EQ(ReadFile(path).size(), 643u);
         },
         true},
        {"a text file", "notes.txt", text, false},
        {"another instrument's data sets of a patch's size", "Other.Syx",
         [&](const std::string& path) { WriteFile(path, otherInstrument); }, false},
        {"a performance file", "Performance.Syx",
         [&](const std::string& path) {
             TPerformance performance(nullptr);
             WriteFile(path, SysExOf(performance));
         },
         false},
        {"chosen as a global set's file", "Whole.Glb",
         [&](const std::string& path) {
             TGlobal global(nullptr);
             dialogs.ExpectSave("Save Global", path);
             ASSERT_TRUE(global.SaveGlobalFile(true));
         },
         false},
        {"missing, in an existing folder", "Missing.Syx", [](const std::string&) {}, false},
    };
    ExpectStraightOnlyWhere(
        patch, [&] { return patch.SaveSysExFile(false); }, [&] { return SysExOf(patch); },
        "Save SysEx", cases);
}

TEST_F(ElementFilesTest, LoadSysExNamesBanksAfterTheFile) {
    TPatchBank source(nullptr);
    source.Patch(77).SetName("Seventy", false);
    WriteFile(Path("Strings.v1.syx"), SysExOf(source));

    TLibrary library;
    auto& bank = static_cast<TPatchBank&>(library.Add(std::make_unique<TPatchBank>(nullptr)));
    FakeView view;
    bank.Editor = &view;
    bank.EditorOpen = true;
    dialogs.ExpectOpen("Load SysEx", Path("Strings.v1.syx"));
    EXPECT_TRUE(bank.LoadSysExFile());
    EXPECT_EQ(bank.GetName(), "Strings");
    EXPECT_EQ(bank.FileName, Path("Strings.v1.syx"));
    EXPECT_EQ(bank.Patch(77).GetName(), "Seventy");
    EXPECT_EQ(view.updates, 1);
    EXPECT_FALSE(library.Saved);
    bank.Editor = nullptr;
    bank.EditorOpen = false;

    TPatch patch(nullptr);
    WriteFile(Path("Lead.syx"), SysExOf(source.Patch(77)));
    dialogs.ExpectOpen("Load SysEx", Path("Lead.syx"));
    EXPECT_TRUE(patch.LoadSysExFile());
    EXPECT_EQ(patch.GetName(), "Seventy");
    EXPECT_EQ(patch.Name, "");
}

TEST_F(ElementFilesTest, ForeignSysExFilesAreRefusedAndChangeNothing) {
    TPatch source(nullptr);
    source.SetName("Good", false);
    const Bytes good = SysExOf(source);
    auto corrupt = [&](auto change) {
        Bytes bytes = good;
        change(bytes);
        return bytes;
    };
    // Five messages of the right total size, but framed differently.
    Bytes reframed = DataSet(0x03000000, Bytes(129, 1));
    Append(reframed, DataSet(0x03001000, Bytes(73, 1)));
    for (int t = 0; t < 3; ++t)
        Append(reframed, DataSet(0x03001200, Bytes(129, 1)));
    ASSERT_EQ(reframed.size(), good.size());

    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"one byte short", Bytes(good.begin(), good.end() - 1)},
        {"another maker", corrupt([](Bytes& b) { b[1] = 0x43; })},
        {"another model", corrupt([](Bytes& b) { b[3] = 0x6B; })},
        {"a data request", corrupt([](Bytes& b) { b[4] = 0x11; })},
        {"a data byte of 80H", corrupt([](Bytes& b) { b[30] = 0x80; })},
        {"a missing F7", corrupt([](Bytes& b) { b[83] = 0x00; })},
        {"other message lengths", reframed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(Path("Bad.Syx"), c.bytes);
        TPatch patch(nullptr);
        patch.SetName("Mine", false);
        const auto before = patch.Common->Image;
        dialogs.ExpectOpen("Load SysEx", Path("Bad.Syx"));
        dialogs.ExpectMessage("Incorrect SysEx File Type.");
        EXPECT_FALSE(patch.LoadSysExFile());
        EXPECT_EQ(patch.Common->Image, before);
        EXPECT_EQ(patch.FileName, "Untitled.Syx");
    }

    TPatch patch(nullptr);
    dialogs.ExpectOpen("Load SysEx", dir);
    dialogs.ExpectMessage("Error Loadind Sysex: " + dir + ": " + std::strerror(EISDIR));
    EXPECT_FALSE(patch.LoadSysExFile());
}

TEST_F(ElementFilesTest, ImportExportFileLoadsOnlyInThatMode) {
    TSystem source(nullptr);
    source.Common->Data()[60] = 0x11;
    source.Common->Data()[39] = 0x22;
    state.ImportExportMode = true;
    WriteFile(Path("Short.Syx"), SysExOf(source));
    state.ImportExportMode = false;
    ASSERT_EQ(ReadFile(Path("Short.Syx")).size(), 442u);

    TSystem system(nullptr);
    dialogs.ExpectOpen("Load SysEx", Path("Short.Syx"));
    dialogs.ExpectMessage("Incorrect SysEx File Type.");
    EXPECT_FALSE(system.LoadSysExFile());

    state.ImportExportMode = true;
    dialogs.ExpectOpen("Load SysEx", Path("Short.Syx"));
    EXPECT_TRUE(system.LoadSysExFile());
    EXPECT_EQ(system.Common->GetParam(39), 0x22);
    EXPECT_EQ(system.Common->GetParam(60), 0);
    EXPECT_EQ(system.GetName(), "Short");
}

TEST_F(ElementFilesTest, SaveThatFailsHalfWayKeepsTheOldFile) {
    TPatchBank bank(nullptr);
    dialogs.ExpectSave("Save SysEx", Path("Bank.Syx"));
    ASSERT_TRUE(bank.SaveSysExFile(false));
    const Bytes old = ReadFile(Path("Bank.Syx"));
    TLibrary library;
    const Bytes oldLibrary = {0xFF, 0xFF, 1, 0, 2, 0, 3, 0, 4, 0};
    WriteFile(Path("Lib.Lib"), oldLibrary);
    library.FileName = Path("Lib.Lib");
    library.Add(std::make_unique<TPatchBank>(nullptr)).SetModified();
    ASSERT_FALSE(library.Saved);

    bank.Patch(0).SetName("Changed", false);
    bank.Saved = false;
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{4096, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    dialogs.ExpectMessage("Error Saving Sysex: " + Path("Bank.Syx") + ": " + std::strerror(EFBIG));
    const bool savedBank = bank.SaveSysExFile(false);
    dialogs.ExpectMessage("Error Saving Library: " + Path("Lib.Lib") + ": " + std::strerror(EFBIG));
    const bool savedLibrary = library.SaveFile(false);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(savedBank);
    EXPECT_FALSE(bank.Saved);
    EXPECT_EQ(ReadFile(Path("Bank.Syx")), old);
    EXPECT_FALSE(savedLibrary);
    EXPECT_FALSE(library.Saved);
    EXPECT_EQ(ReadFile(Path("Lib.Lib")), oldLibrary);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 3u); // the two files and the data folder; no temporary left behind
}

// ---- ".Glb" ----

// Every refusal of a file keeps its own text and says which file and why.
TEST_F(ElementFilesTest, EveryFileRefusalSaysWhichFileAndWhy) {
    const std::string missing = Path("Gone") + "/";
    std::filesystem::create_directories(Path("Folder.Syx"));
    const struct {
        const char* what;
        std::string path;
        const char* title;
        bool save;
        std::function<bool()> run;
        std::string text;
    } cases[] = {
        {"library saved", missing + "Live.Lib", "Save Library", true,
         [] { return TLibrary().SaveFile(true); }, "Error Saving Library"},
        {"library loaded", missing + "Live.Lib", "Load Library", false,
         [] { return TLibrary().OpenFile(); }, "Error Loading Library"},
        {"element saved", missing + "Organ.Syx", "Save SysEx", true,
         [] { return TPatch(nullptr).SaveSysExFile(true); }, "Error Saving Sysex"},
        {"element loaded", Path("Folder.Syx"), "Load SysEx", false,
         [] { return TPerformance(nullptr).LoadSysExFile(); }, "Error Loadind Sysex"},
        {"global set saved", missing + "Set.Glb", "Save Global", true,
         [] { return TGlobal(nullptr).SaveGlobalFile(true); }, "Error Saving Global"},
        {"global set loaded", missing + "Set.Glb", "Load Global", false,
         [] { return TGlobal(nullptr).LoadGlobalFile(); }, "Error Loadind Global"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.save)
            dialogs.ExpectSave(c.title, c.path);
        else
            dialogs.ExpectOpen(c.title, c.path);
        const int reason = c.path == Path("Folder.Syx") ? EISDIR : ENOENT;
        dialogs.ExpectMessage(c.text + (": " + c.path + ": ") + std::strerror(reason));
        EXPECT_FALSE(c.run());
    }
}

TEST_F(ElementFilesTest, GlobalFileRoundTrip) {
    TGlobal source(nullptr);
    source.CardPerformanceBank().Performance(30).SetName("Card perf", false);
    source.System().Common->Data()[5] = 0x21;
    dialogs.ExpectSave("Save Global", Path("Whole.Glb"));
    EXPECT_TRUE(source.SaveGlobalFile(false));
    EXPECT_TRUE(source.Saved);
    EXPECT_EQ(dialogs.requests.back().FileName, "Untitled.Glb");
    EXPECT_EQ(dialogs.requests.back().Filter, "Glb file|*.Glb");
    const Bytes file = ReadFile(Path("Whole.Glb"));
    ASSERT_EQ(file.size(), 226020u);
    EXPECT_EQ(file[0], 7);
    EXPECT_EQ(file[1], 0);

    TGlobal global(nullptr);
    dialogs.ExpectOpen("Load Global", Path("Whole.Glb"));
    EXPECT_TRUE(global.LoadGlobalFile());
    EXPECT_EQ(global.GetName(), "Whole");
    EXPECT_EQ(global.FileName, Path("Whole.Glb"));
    EXPECT_EQ(global.CardPerformanceBank().Performance(30).GetName(), "Card perf");
    EXPECT_EQ(global.System().Common->GetParam(5), 0x21);
    // The record as saved, before the set was named after its file.
    global.Name = "Untitled";
    global.FileName = "Untitled.Glb";
    pc::TByteWriter same;
    global.WriteRecord(same);
    EXPECT_EQ(same.Bytes(), file);
}

TEST_F(ElementFilesTest, SaveGlobalWritesStraightOnlyToChosenFilesOrItsOwnKind) {
    TGlobal global(nullptr);
    const auto record = [&global] {
        pc::TByteWriter file;
        global.WriteRecord(file);
        return file.Bytes();
    };
    const Bytes ownFile = record();
    Bytes otherType = ownFile;
    otherType[0] = etSystem;
    const auto text = [](const std::string& path) { WriteFile(path, NotesBytes()); };
    const std::vector<StraightCase> cases = {
        {"chosen in the save dialog this run, holding text since", "Chosen.Glb",
         [&](const std::string& path) {
             TGlobal other(nullptr);
             dialogs.ExpectSave("Save Global", path);
             ASSERT_TRUE(other.SaveGlobalFile(true));
             text(path);
         },
         true},
        {"loaded this run, holding text since", "Loaded.Glb",
         [&](const std::string& path) {
             WriteFile(path, ownFile);
             TGlobal other(nullptr);
             dialogs.ExpectOpen("Load Global", path);
             ASSERT_TRUE(other.LoadGlobalFile());
             text(path);
         },
         true},
        {"a global set's file", "Global.Glb",
         [&](const std::string& path) { WriteFile(path, ownFile); }, true},
        {"a text file", "notes.txt", text, false},
        {"a global set's size, another type code", "Other.Glb",
         [&](const std::string& path) { WriteFile(path, otherType); }, false},
        {"chosen as a patch's file", "Patch.Syx",
         [&](const std::string& path) {
             TPatch patch(nullptr);
             dialogs.ExpectSave("Save SysEx", path);
             ASSERT_TRUE(patch.SaveSysExFile(true));
         },
         false},
        {"missing, in an existing folder", "Missing.Glb", [](const std::string&) {}, false},
    };
    ExpectStraightOnlyWhere(
        global, [&] { return global.SaveGlobalFile(false); }, record, "Save Global", cases);
}

TEST_F(ElementFilesTest, GlobalFileOfAnotherTypeOrSizeIsRefused) {
    TGlobal source(nullptr);
    pc::TByteWriter record;
    source.WriteRecord(record);
    Bytes wrongType = record.Bytes();
    wrongType[0] = 6;
    Bytes longer = record.Bytes();
    longer.push_back(0);
    for (const Bytes& bytes :
         {wrongType, longer, Bytes(record.Bytes().begin(), record.Bytes().end() - 1)}) {
        WriteFile(Path("Bad.Glb"), bytes);
        TGlobal global(nullptr);
        global.System().Common->Data()[1] = 0x33;
        dialogs.ExpectOpen("Load Global", Path("Bad.Glb"));
        dialogs.ExpectMessage("Error Loadind Global");
        EXPECT_FALSE(global.LoadGlobalFile());
        EXPECT_EQ(global.System().Common->GetParam(1), 0x33);
        EXPECT_EQ(global.FileName, "Untitled.Glb");
    }
}

// ---- Folders and file names ----

TEST_F(ElementFilesTest, DataFolders) {
    const testsupport::EnvironmentOverride appData("QUINTARON_APPDATA_DIR", Path("app"));
    const testsupport::EnvironmentOverride localAppData("QUINTARON_LOCALAPPDATA_DIR",
                                                        Path("local"));

    EXPECT_EQ(GetDefaultDataFolder(), Path("Quintaron"));
    EXPECT_TRUE(pc::DirectoryExists(Path("Quintaron")));
    CreateDataFolders();
    EXPECT_TRUE(pc::DirectoryExists(Path("app/Ardevanti")));
    EXPECT_TRUE(pc::DirectoryExists(Path("local/Ardevanti")));
    EXPECT_TRUE(pc::DirectoryExists(Path("Ardevanti")));
    EXPECT_EQ(AppDataFolder(), Path("app/Ardevanti"));
}

TEST_F(ElementFilesTest, FileNameRules) {
    const struct {
        const char* path;
        const char* name;
    } names[] = {
        {"C:\\Banks\\Strings.syx", "Strings"},
        {"/home/u/Pads.v2.Syx", "Pads"},
        {"AVeryLongBankName.Syx", "AVeryLongBan"},
        {"NoDot", "NoDot"},
    };
    for (const auto& n : names)
        EXPECT_EQ(NameFromFileName(n.path), n.name) << n.path;

    EXPECT_TRUE(CanSaveDirectly(Path("x.Syx")));
    EXPECT_FALSE(CanSaveDirectly(Path("missing/x.Syx")));
    EXPECT_FALSE(CanSaveDirectly("x.Syx"));
    EXPECT_FALSE(CanSaveDirectly("C:\\x.Syx"));
    EXPECT_FALSE(CanSaveDirectly(dir + "/"));
    EXPECT_EQ(DialogFolder(Path("x.Syx")), dir);
    EXPECT_EQ(DialogFolder("D:\\x.Syx"), Path("Quintaron"));
}

} // namespace
} // namespace model
