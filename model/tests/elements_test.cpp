#include "model/editing/drag_info.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/elements/patch.h"
#include "model/elements/performance.h"
#include "model/elements/rhythm.h"
#include "model/elements/system.h"
#include "model/tests/element_fixture.h"

#include <gtest/gtest.h>

namespace model {
namespace {

using element_fixtures::Bytes;
using element_fixtures::FakeView;
namespace pc = platform::core;

class ElementTest : public element_fixtures::ElementFixture {};

Bytes SysExOf(TLibElem& elem) {
    pc::TByteWriter file;
    elem.WriteSysEx(file);
    return file.Bytes();
}

Bytes RecordOf(TLibElem& elem) {
    pc::TByteWriter file;
    elem.WriteRecord(file);
    return file.Bytes();
}

// The element's own messages with every data byte replaced by a pattern, as a file would hold
// them.
Bytes PatternedSysEx(TLibElem& elem, int seed) {
    Bytes bytes = SysExOf(elem);
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0xF0) start = i;
        if (bytes[i] != 0xF7) continue;
        for (std::size_t d = start + 9; d + 1 < i; ++d)
            bytes[d] = static_cast<std::uint8_t>((seed + d * 13) & 0x7F);
        bytes[i - 1] = SysExChecksum(std::span(bytes.data() + start, i - start + 1));
    }
    return bytes;
}

struct KindSize {
    std::int16_t type;
    int normal;
    int shortLayout;
};

constexpr KindSize Sizes[] = {
    {etPatch, 644, 643},       {etPatchBank, 82432, 82304},
    {etPerformance, 653, 555}, {etPerformanceBank, 20896, 17760},
    {etRhythm, 4439, 4439},    {etRhythmBank, 8878, 8878},
    {etSystem, 484, 442},
};

TEST_F(ElementTest, SysExSizesInBothLayouts) {
    for (const KindSize& kind : Sizes) {
        SCOPED_TRACE(GetTypeName(kind.type));
        auto elem = CreateElemByType(kind.type, nullptr);
        ASSERT_TRUE(elem);
        EXPECT_EQ(SysExOf(*elem).size(), static_cast<std::size_t>(kind.normal));
        EXPECT_EQ(elem->ExpectedSysExSize(), kind.normal);
        state.ImportExportMode = true;
        EXPECT_EQ(SysExOf(*elem).size(), static_cast<std::size_t>(kind.shortLayout));
        EXPECT_EQ(elem->ExpectedSysExSize(), kind.shortLayout);
        state.ImportExportMode = false;
    }
    TGlobal global(nullptr);
    EXPECT_EQ(global.ExpectedSysExSize(), -1);
}

TEST_F(ElementTest, RecordSizes) {
    TPatch patch(nullptr);
    EXPECT_EQ(RecordOf(patch).size(), 899u);
    TGlobal global(nullptr);
    EXPECT_EQ(RecordOf(global).size(), GlobalFileSize);
    TLibrary library;
    pc::TByteWriter file;
    library.WriteLibrary(file);
    EXPECT_EQ(file.Bytes(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(ElementTest, WriteReadWriteIsIdenticalForEveryKindInBothLayouts) {
    for (const bool shortLayout : {false, true}) {
        state.ImportExportMode = shortLayout;
        for (const KindSize& kind : Sizes) {
            SCOPED_TRACE(GetTypeName(kind.type) + (shortLayout ? " short" : " normal"));
            auto source = CreateElemByType(kind.type, nullptr);
            const Bytes first = PatternedSysEx(*source, kind.type + 3);
            auto elem = CreateElemByType(kind.type, nullptr);
            pc::TByteReader reader(first);
            elem->ReadSysEx(reader);
            EXPECT_TRUE(reader.Eof());
            EXPECT_EQ(SysExOf(*elem), first);
        }
    }
    state.ImportExportMode = false;
    for (const std::int16_t type : {etPatch, etPatchBank, etPerformance, etPerformanceBank,
                                    etRhythm, etRhythmBank, etSystem, etGlobal}) {
        SCOPED_TRACE(GetTypeName(type));
        auto source = CreateElemByType(type, nullptr);
        source->Name = "Rec";
        source->Number = 2;
        source->Temporary = false;
        const Bytes first = RecordOf(*source);
        auto elem = CreateElemByType(type, nullptr);
        pc::TByteReader reader(first);
        EXPECT_EQ(reader.ReadI16(), type);
        elem->ReadRecord(reader);
        EXPECT_TRUE(reader.Eof());
        EXPECT_FALSE(reader.RanOut());
        EXPECT_EQ(RecordOf(*elem), first);
    }
}

TEST_F(ElementTest, ShortLayoutReadsMissingBytesAsZeroWithAValidChecksum) {
    TPatch source(nullptr);
    source.Common->Data()[72] = 0x55;
    source.Common->Data()[71] = 0x22;
    state.ImportExportMode = true;
    const Bytes file = SysExOf(source);
    ASSERT_EQ(file.size(), 643u);
    EXPECT_EQ(file[82], 0xF7);
    EXPECT_TRUE(CheckSysExChecksum(std::span(file.data(), 83)));

    TPatch patch(nullptr);
    pc::TByteReader reader(file);
    patch.ReadSysEx(reader);
    EXPECT_EQ(patch.Common->GetParam(71), 0x22);
    EXPECT_EQ(patch.Common->GetParam(72), 0);
    EXPECT_TRUE(CheckSysExChecksum(patch.Common->Image));
    EXPECT_EQ(patch.Common->Image.back(), 0xF7);

    TPerformance performance(nullptr);
    performance.Part(3).Data()[20] = 9;
    const Bytes perfFile = SysExOf(performance);
    pc::TByteReader perfReader(perfFile);
    TPerformance read(nullptr);
    read.Part(3).Data()[20] = 5;
    read.ReadSysEx(perfReader);
    EXPECT_EQ(read.Part(3).GetParam(20), 0);
    EXPECT_TRUE(CheckSysExChecksum(read.Part(3).Image));
}

std::uint32_t AddressOf(std::span<const std::uint8_t> image) {
    return static_cast<std::uint32_t>(image[5]) << 24 | image[6] << 16 | image[7] << 8 | image[8];
}

TEST_F(ElementTest, HeadersCarryTheAddressOfTheLocation) {
    struct Case {
        bool temporary;
        bool user;
        int number;
        std::uint32_t patch, performance, rhythm;
    } cases[] = {
        {true, true, 5, 0x03000000, 0x01000000, 0x02090000},
        {false, true, 1, 0x11000000, 0x10000000, 0x10400000},
        {false, true, 5, 0x11040000, 0x10040000, 0x10410000},
        {false, false, 2, 0x21010000, 0x20010000, 0x20410000},
        {false, false, 128, 0x217F0000, 0x201F0000, 0x20410000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        TPatch patch(nullptr);
        TPerformance performance(nullptr);
        TRhythm rhythm(nullptr);
        for (TLibElem* elem : {static_cast<TLibElem*>(&patch), static_cast<TLibElem*>(&performance),
                               static_cast<TLibElem*>(&rhythm)}) {
            elem->Temporary = c.temporary;
            elem->Memory = c.user;
            elem->Number = static_cast<std::int16_t>(c.number);
            elem->BuildHeaders();
        }
        EXPECT_EQ(AddressOf(patch.Common->Image), c.patch);
        EXPECT_EQ(AddressOf(patch.Tone(3).Image), c.patch + 0x1400);
        EXPECT_EQ(AddressOf(performance.Common->Image), c.performance);
        EXPECT_EQ(AddressOf(performance.Part(16).Image), c.performance + 0x1F00);
        // A number past the rhythm memory addresses its last set.
        EXPECT_EQ(AddressOf(rhythm.Common->Image), c.rhythm);
        EXPECT_EQ(AddressOf(rhythm.Note(98).Image), c.rhythm + 0x6200);
        EXPECT_TRUE(CheckSysExChecksum(patch.Tone(3).Image));
        EXPECT_EQ(patch.Common->Image[2], 0x10);
    }

    TSystem system(nullptr);
    system.BuildHeaders();
    EXPECT_EQ(AddressOf(system.Common->Image), 0u);
    EXPECT_EQ(AddressOf(system.ScaleTune(17).Image), 0x2000u);

    TGlobal global(nullptr);
    global.BuildHeaders();
    EXPECT_EQ(AddressOf(global.UserPatchBank().Patch(0).Common->Image), 0x11000000u);
    EXPECT_EQ(AddressOf(global.CardPatchBank().Patch(127).Tone(1).Image), 0x217F1000u);
    EXPECT_EQ(AddressOf(global.CardPerformanceBank().Performance(31).Common->Image), 0x201F0000u);
    EXPECT_EQ(AddressOf(global.CardRhythmBank().Rhythm(1).Common->Image), 0x20410000u);
    EXPECT_EQ(global.CardPatchBank().Patch(4).GetLocation(), "Card : 5");
}

TEST_F(ElementTest, StrayNumberNeverLeavesTheMemory) {
    TPatch patch(nullptr);
    patch.Temporary = false;
    patch.Memory = false;
    patch.Number = -3;
    patch.BuildHeaders();
    EXPECT_EQ(AddressOf(patch.Common->Image), 0x21000000u);
    patch.Number = 32000;
    patch.BuildHeaders();
    EXPECT_EQ(AddressOf(patch.Common->Image), 0x217F0000u);
}

TEST_F(ElementTest, NamesLiveInTheDataOfSoundElements) {
    TPatch patch(nullptr);
    EXPECT_EQ(patch.GetName(), "");
    const std::string sevenAndBlanks = "Strings     ";
    std::copy(sevenAndBlanks.begin(), sevenAndBlanks.end(), patch.Common->Data().begin());
    EXPECT_EQ(patch.GetName(), "Strings");
    patch.SetName("Pad", false);
    EXPECT_EQ(std::string(patch.Common->Data().begin(), patch.Common->Data().begin() + 12),
              "Pad         ");
    patch.SetName("A name far too long", false);
    EXPECT_EQ(patch.GetName(), "A name far t");

    TRhythm rhythm(nullptr);
    rhythm.SetName("Kit", false);
    EXPECT_EQ(rhythm.GetName(), "Kit");
    TPerformance performance(nullptr);
    performance.SetName("Split", false);
    EXPECT_EQ(performance.GetName(), "Split");

    TSystem system(nullptr);
    EXPECT_EQ(system.GetName(), "Untitled");
    TPatchBank bank(nullptr);
    EXPECT_EQ(bank.GetName(), "Untitled");
    bank.SetName("Thirteen chars", false);
    EXPECT_EQ(bank.GetName(), "Thirteen cha");
}

TEST_F(ElementTest, ConstructionDefaults) {
    TPatch patch(nullptr);
    EXPECT_EQ(patch.Type, etPatch);
    EXPECT_EQ(patch.FileName, "Untitled.Syx");
    EXPECT_TRUE(patch.Temporary);
    EXPECT_FALSE(patch.Memory);
    EXPECT_EQ(patch.Number, 1);
    EXPECT_EQ(patch.EditorLeft, -1);
    EXPECT_EQ(patch.EditorTop, -1);
    EXPECT_EQ(patch.CreatedDate, pc::EncodeDate(2024, 5, 6));
    EXPECT_NEAR(patch.CreatedTime, pc::EncodeTime(7, 8, 9, 0), 1e-9);
    EXPECT_EQ(patch.GetLocation(), "Temporary");

    TPatchBank bank(nullptr);
    EXPECT_FALSE(bank.Temporary);
    EXPECT_TRUE(bank.Memory);
    EXPECT_EQ(bank.Count(), 128);
    EXPECT_EQ(bank.Patch(9).Number, 10);
    EXPECT_FALSE(bank.Patch(9).Temporary);
    EXPECT_EQ(bank.Patch(9).Owner, &bank);
    EXPECT_EQ(bank.GetLocation(), "User");
    EXPECT_EQ(TPerformanceBank(nullptr).Count(), 32);
    EXPECT_EQ(TRhythmBank(nullptr).Count(), 2);

    TGlobal global(nullptr);
    EXPECT_EQ(global.FileName, "Untitled.Glb");
    EXPECT_EQ(global.Count(), 7);
    EXPECT_TRUE(global.UserPatchBank().Memory);
    EXPECT_FALSE(global.CardPatchBank().Memory);
    EXPECT_FALSE(global.CardRhythmBank().Memory);
    EXPECT_EQ(global.System().Type, etSystem);
    EXPECT_EQ(global.GetLocation(), "");

    TLibrary library;
    EXPECT_EQ(library.FileName, "Untitled.Lib");
    EXPECT_TRUE(library.Saved);
}

TEST_F(ElementTest, FactoryAndTypeNames) {
    const char* names[] = {"Patch",  "Patch Bank",  "Performance", "Performance Bank",
                           "Rhythm", "Rhythm Bank", "System",      "Global"};
    for (std::int16_t type = 0; type <= 7; ++type) {
        auto elem = CreateElemByType(type, nullptr);
        ASSERT_TRUE(elem);
        EXPECT_EQ(elem->Type, type);
        EXPECT_EQ(elem->GetTypeName(), names[type]);
    }
    EXPECT_FALSE(CreateElemByType(8, nullptr));
    EXPECT_FALSE(CreateElemByType(-1, nullptr));
}

TEST_F(ElementTest, LocationTexts) {
    TPerformance performance(nullptr);
    performance.Temporary = false;
    performance.Memory = true;
    performance.Number = 7;
    EXPECT_EQ(performance.GetLocation(), "User : 7");
    performance.Memory = false;
    EXPECT_EQ(performance.GetLocation(), "Card : 7");
    TRhythmBank bank(nullptr);
    bank.SetMemory(false);
    EXPECT_EQ(bank.GetLocation(), "Card");
    EXPECT_EQ(bank.Rhythm(1).GetLocation(), "Card : 2");
    EXPECT_EQ(TSystem(nullptr).GetLocation(), "");
}

TEST_F(ElementTest, AssignCopiesImagesAndLeavesWindows) {
    TPatch source(nullptr);
    source.SetName("Source", false);
    source.Tone(2).Data()[5] = 99;
    source.Number = 9;
    TPatch target(nullptr);
    target.Tone(1).Pages[tpWave].Left = 33;
    target.Common->CommonWindow.Top = 44;
    target.Assign(source);
    EXPECT_EQ(target.GetName(), "Source");
    EXPECT_EQ(target.Tone(2).GetParam(5), 99);
    EXPECT_EQ(target.Number, 9);
    EXPECT_EQ(target.Tone(1).Pages[tpWave].Left, 33);
    EXPECT_EQ(target.Common->CommonWindow.Top, 44);

    TRhythmBank bankSource(nullptr);
    bankSource.Rhythm(1).Note(40).Data()[3] = 17;
    TRhythmBank bank(nullptr);
    bank.Assign(bankSource);
    EXPECT_EQ(bank.Rhythm(1).Note(40).GetParam(3), 17);
}

TEST_F(ElementTest, SetDefaultsResetsEveryRecord) {
    TPatchBank bank(nullptr);
    for (int i = 0; i < 128; ++i)
        bank.Patch(i).Tone(4).Data()[12] = 0x33;
    bank.SetDefaults();
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(bank.Patch(i).Tone(4).GetParam(12), 1);
    TSystem system(nullptr);
    system.ScaleTune(5).Data()[0] = 1;
    system.SetDefaults();
    EXPECT_EQ(system.ScaleTune(5).GetParam(0), 0x40);
}

TEST_F(ElementTest, SetModifiedStampsTheChainAndMarksTheLibraryUnsaved) {
    TLibrary library;
    auto& global = static_cast<TGlobal&>(library.Add(std::make_unique<TGlobal>(nullptr)));
    TPatch& patch = global.UserPatchBank().Patch(3);
    const pc::TDateTime later = pc::EncodeDate(2025, 1, 2) + pc::EncodeTime(3, 4, 5, 0);
    pc::NowOverride override(later);
    const int menus = ui.menuUpdates;
    patch.SetModified();
    for (TLibElem* elem :
         {static_cast<TLibElem*>(&patch), static_cast<TLibElem*>(&global.UserPatchBank()),
          static_cast<TLibElem*>(&global), static_cast<TLibElem*>(&library)}) {
        EXPECT_EQ(elem->ModifiedDate, pc::EncodeDate(2025, 1, 2));
        EXPECT_NEAR(elem->ModifiedTime, pc::EncodeTime(3, 4, 5, 0), 1e-9);
    }
    EXPECT_FALSE(library.Saved);
    EXPECT_EQ(ui.menuUpdates, menus + 1);
    EXPECT_EQ(patch.Root(), &library);
}

TEST_F(ElementTest, CurrentElementsAreClearedWhenDestroyed) {
    {
        TPatch patch(nullptr);
        TPerformance performance(nullptr);
        TRhythm rhythm(nullptr);
        TSystem system(nullptr);
        state.CurrentPatch = &patch;
        state.CurrentPerformance = &performance;
        state.CurrentRhythm = &rhythm;
        state.CurrentSystem = &system;
    }
    EXPECT_EQ(state.CurrentPatch, nullptr);
    EXPECT_EQ(state.CurrentPerformance, nullptr);
    EXPECT_EQ(state.CurrentRhythm, nullptr);
    EXPECT_EQ(state.CurrentSystem, nullptr);
    TPatch kept(nullptr);
    state.CurrentPatch = &kept;
    { TPatch other(nullptr); }
    EXPECT_EQ(state.CurrentPatch, &kept);
    state.CurrentPatch = nullptr;
}

TEST_F(ElementTest, OpenEditorCreatesOneWindowAndFreeingClosesIt) {
    auto patch = std::make_unique<TPatch>(nullptr);
    patch->OpenEditor();
    ASSERT_EQ(views.size(), 1u);
    EXPECT_TRUE(patch->EditorOpen);
    EXPECT_EQ(patch->Editor, views[0].get());
    patch->OpenEditor();
    EXPECT_EQ(views.size(), 1u);
    EXPECT_EQ(views[0]->fronts, 1);

    FakeView page;
    patch->Tone(2).Pages[tpLFO1].Window = &page;
    patch->Tone(2).Pages[tpLFO1].Open = true;
    patch->UpdateViews();
    EXPECT_EQ(views[0]->updates, 1);
    EXPECT_EQ(page.updates, 1);
    // The refresh follows a wholesale change: the page's undo would write old bytes into new data.
    EXPECT_EQ(page.undoClears, 1);

    const auto closes = views[0]->closes;
    patch.reset();
    EXPECT_EQ(*closes, 1);
    EXPECT_EQ(*page.closes, 1);

    failCreate = true;
    TGlobal global(nullptr);
    dialogs.ExpectMessage("Out of Memory or Resource");
    global.OpenEditor();
    EXPECT_FALSE(global.EditorOpen);
}

TEST_F(ElementTest, SaveEditorPositionTakesTheWindowAndMarksTheLibrary) {
    TLibrary library;
    library.Saved = true;
    auto& bank = static_cast<TBank&>(library.Add(std::make_unique<TPatchBank>(nullptr)));
    FakeView view;
    view.left = 10;
    view.top = 20;
    view.width = 300;
    view.height = 200;
    bank.Editor = &view;
    bank.EditorOpen = true;
    bank.SaveEditorPosition();
    EXPECT_EQ(bank.EditorLeft, 10);
    EXPECT_EQ(bank.EditorTop, 20);
    EXPECT_EQ(bank.Width, 300);
    EXPECT_EQ(bank.Height, 200);
    EXPECT_FALSE(library.Saved);
    library.Saved = true;
    bank.SaveEditorPosition();
    EXPECT_TRUE(library.Saved);
    bank.Editor = nullptr;
    bank.EditorOpen = false;
}

TEST_F(ElementTest, DragListsFromLibraryAndBanks) {
    TLibrary library;
    library.Add(std::make_unique<TPatch>(nullptr)).Selected = true;
    library.Add(std::make_unique<TSystem>(nullptr));
    library.Add(std::make_unique<TRhythm>(nullptr)).Selected = true;
    TDragInfo info;
    info.BuildFromLibrary(library);
    ASSERT_EQ(info.Elems.size(), 2u);
    EXPECT_EQ(info.Elems[1].Elem, &library.Elem(2));
    info.BuildFromLibrary(library, [](const TLibElem& elem) { return elem.Type == etRhythm; });
    ASSERT_EQ(info.Elems.size(), 1u);

    TGlobal global(nullptr);
    global.CardPatchBank().Patch(0).Selected = true;
    global.CardPatchBank().Patch(5).Selected = true;
    info.BuildFromBank(global.CardPatchBank());
    EXPECT_EQ(info.Elems.size(), 2u);
    info.BuildFromBankFiltered(global.CardPatchBank());
    EXPECT_TRUE(info.Elems.empty());
    state.Config.DataCardInstalled = true;
    info.BuildFromBankFiltered(global.CardPatchBank());
    EXPECT_EQ(info.Elems.size(), 2u);
    state.Config.DataCardInstalled = false;
    global.System().Selected = true;
    global.UserPatchBank().Selected = true;
    global.CardPatchBank().Selected = true;
    info.BuildFromBankFiltered(global);
    ASSERT_EQ(info.Elems.size(), 2u);
    EXPECT_EQ(info.Elems[1].Elem, &global.System());
}

} // namespace
} // namespace model
