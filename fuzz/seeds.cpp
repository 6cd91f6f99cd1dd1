// Writes a small seed corpus for every fuzz target, built from the file layouts through the
// model's own writers: fuzz_seeds <folder> makes <folder>/<target>/<seed> files.

#include "fuzz/file_checks.h"
#include "fuzz/fuzz_world.h"
#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/global.h"
#include "model/elements/library.h"
#include "model/files/name_lists.h"
#include "model/program/quintaron.h"
#include "platform/core/byte_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using fuzz::Bytes;
namespace pc = platform::core;

std::filesystem::path root;

void Seed(const std::string& target, const std::string& name, std::span<const std::uint8_t> bytes) {
    const auto folder = root / target;
    std::filesystem::create_directories(folder);
    fuzz::World::WriteFile((folder / name).string(), bytes);
}

void Seed(const std::string& target, const std::string& name, const std::string& text) {
    Seed(target, name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// Gives every data byte of the element's messages a value of its own, below 80H.
void Fill(model::TLibElem& elem, int seed) {
    if (auto* bank = dynamic_cast<model::TBank*>(&elem); bank && elem.Type == model::etGlobal) {
        for (int i = 0; i < bank->Count(); ++i)
            Fill(bank->Elem(i), seed + i * 13);
        return;
    }
    Bytes bytes = fuzz::SysExOf(elem);
    const auto messages = fuzz::SplitDataSets(bytes);
    if (!messages) return;
    int n = seed;
    for (const fuzz::DataSetAt& at : *messages)
        for (std::size_t i = at.start + 9; i < at.start + at.length - 2; ++i)
            bytes[i] = static_cast<std::uint8_t>((n++ * 37 + 11) & 0x7F);
    pc::TByteReader reader(bytes);
    elem.ReadSysEx(reader);
}

std::unique_ptr<model::TLibElem> Filled(std::int16_t type, int seed, model::TLibElem* owner) {
    auto elem = model::CreateElemByType(type, owner);
    Fill(*elem, seed);
    elem->Temporary = false;
    elem->Memory = seed % 2 == 0;
    elem->Number = static_cast<std::int16_t>(1 + seed % 32);
    elem->EditorLeft = static_cast<std::int16_t>(10 * seed);
    elem->EditorTop = static_cast<std::int16_t>(20 * seed);
    if (type != model::etPatch && type != model::etPerformance && type != model::etRhythm)
        elem->Name = "Seed " + std::to_string(seed);
    elem->FileName = "C:\\Sounds\\Seed" + std::to_string(seed) + ".Syx";
    return elem;
}

void SysExSeeds() {
    for (int mode = 0; mode < 2; ++mode) {
        fuzz::World::Get().state.ImportExportMode = mode == 1;
        for (std::int16_t type = 0; type < 7; ++type) {
            auto elem = Filled(type, type + 1, nullptr);
            Bytes bytes{static_cast<std::uint8_t>(type + 7 * mode)};
            const Bytes sysex = fuzz::SysExOf(*elem);
            bytes.insert(bytes.end(), sysex.begin(), sysex.end());
            std::string name = model::GetTypeName(type) + (mode ? "-short" : "");
            std::replace(name.begin(), name.end(), ' ', '-');
            Seed("fuzz_syx", name, bytes);
        }
    }
    fuzz::World::Get().state.ImportExportMode = false;
}

void GlobalSeeds() {
    model::TGlobal fresh(nullptr);
    Seed("fuzz_glb", "fresh", fuzz::RecordOf(fresh));
    auto filled = Filled(model::etGlobal, 3, nullptr);
    Seed("fuzz_glb", "filled", fuzz::RecordOf(*filled));
}

void LibrarySeeds() {
    const auto save = [](const std::string& name, model::TLibrary& library) {
        Seed("fuzz_lib", name, fuzz::LibraryOf(library));
    };
    model::TLibrary empty;
    save("empty", empty);

    model::TLibrary small;
    small.Comment.Add("Sounds for the evening");
    small.Comment.Add("");
    small.Comment.Add("second set");
    small.Width = 640;
    small.Height = 480;
    for (std::int16_t type :
         {model::etPatch, model::etPerformance, model::etRhythm, model::etSystem, model::etPatch})
        small.Add(Filled(type, small.Count() + 1, &small));
    save("small", small);
    const Bytes whole = fuzz::LibraryOf(small);
    Seed("fuzz_lib", "cut", std::span(whole).first(whole.size() - 100));

    model::TLibrary banks;
    for (std::int16_t type : {model::etPatchBank, model::etPerformanceBank, model::etRhythmBank})
        banks.Add(Filled(type, banks.Count() + 4, &banks));
    save("banks", banks);

    model::TLibrary global;
    global.Add(Filled(model::etGlobal, 9, &global));
    save("global", global);
}

void SettingsSeeds() {
    Seed("fuzz_settings", "written",
         "[Midi]\r\nThrue=1\r\nDeviceID=17\r\n\r\n[MidiPort]\r\nIn=2\r\nOut=3\r\n\r\n"
         "[Expansion]\r\nExpA=4\r\nExpB=0\r\nExpC=12\r\nExpD=0\r\nPCMCard=5\r\n\r\n"
         "[Data Card]\r\nInstalled=1\r\n\r\n[Preview]\r\nSingle Note=0\r\nNote=60\r\n"
         "Velocity=100\r\nMidifile=C:\\Music\\Demo.Mid\r\n\r\n[Desktop]\r\nCount=1\r\n"
         "Lib0=C:\\Sounds\\Mine.Lib\r\n\r\n[Monitor]\r\nOpen=0\r\n\r\n[Keyboard]\r\nOpen=1\r\n");
    Seed("fuzz_settings", "edited",
         "\xEF\xBB\xBF; by hand\n[ midi ]\nDEVICEID = $11\n thrue=0x1\n[Preview]\n"
         "Midifile = \"My Song.mid\"\nNote=-5\nVelocity=300\n[Midi]\nDeviceID=5\n[MidiPort]\n"
         "In=99999999999\nOut");
    Seed("fuzz_settings", "empty", "");
}

void NameListSeeds() {
    const auto seed = [](const std::string& name, const std::string& names,
                         const std::string& userCard) {
        std::string bytes(2, '\0');
        bytes[0] = static_cast<char>(names.size() & 0xFF);
        bytes[1] = static_cast<char>(names.size() >> 8 & 0xFF);
        Seed("fuzz_name_lists", name, bytes + names + userCard);
    };
    const std::string sep(1, model::NameListSeparator);
    const std::string shipped = model::DefaultNamesText();
    std::string userCard;
    for (const char* list : {"Card Perf", "User Perf", "User Patch", "Card Patch"}) {
        for (int i = 1; i <= 4; ++i)
            userCard += std::string(list) + " " + std::to_string(i) + "\r\n";
        userCard += sep + "\r\n";
    }
    // The shipped lists, cut so that the length fits the two bytes.
    std::string lists = shipped.substr(0, 40000);
    lists.resize(lists.rfind('\n') + 1);
    seed("shipped", lists, userCard);
    seed("short", "Int-A 001\r\nInt-A 002\r\n" + sep + "\r\n\r\n" + sep + sep + "\nExp01 W 001\n",
         userCard);
}

void U32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}

Bytes Smf(int format, std::uint16_t division, const std::vector<Bytes>& tracks) {
    Bytes b{'M',
            'T',
            'h',
            'd',
            0,
            0,
            0,
            6,
            0,
            static_cast<std::uint8_t>(format),
            0,
            static_cast<std::uint8_t>(tracks.size()),
            static_cast<std::uint8_t>(division >> 8),
            static_cast<std::uint8_t>(division & 0xFF)};
    for (const Bytes& track : tracks) {
        b.insert(b.end(), {'M', 'T', 'r', 'k'});
        U32(b, static_cast<std::uint32_t>(track.size()));
        b.insert(b.end(), track.begin(), track.end());
    }
    return b;
}

void MidiFileSeeds() {
    // Tempo, notes with running status, a program change, a system-exclusive message whole and
    // one in two packets, a text event and the end of the track.
    const Bytes conductor{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x83, 0x60, 0xFF,
                          0x51, 0x03, 0x03, 0xD0, 0x90, 0x00, 0xFF, 0x2F, 0x00};
    const Bytes notes{0x00, 0xC0, 0x05, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00, 0x00, 0x40, 0x50,
                      0x81, 0x00, 0x80, 0x40, 0x00, 0x00, 0xF0, 0x05, 0x41, 0x10, 0x42, 0x12, 0xF7,
                      0x10, 0xF0, 0x02, 0x41, 0x10, 0x05, 0xF7, 0x02, 0x6A, 0xF7, 0x00, 0xFF, 0x01,
                      0x03, 'E',  'n',  'd',  0x00, 0xB0, 0x07, 0x7F, 0x00, 0xFF, 0x2F, 0x00};
    Seed("fuzz_midi_file", "format1", Smf(1, 96, {conductor, notes}));
    Seed("fuzz_midi_file", "format0", Smf(0, 480, {notes}));
    Seed("fuzz_midi_file", "timecode", Smf(0, 0xE728, {notes}));
}

// The receive's choices are taken from the end of its input: the element kind last.
void ReceiveSeeds() {
    for (std::uint8_t type = 0; type < 8; ++type) {
        Bytes quiet(16, 0);
        quiet.back() = type;
        Seed("fuzz_receive", "quiet-" + std::to_string(type), quiet);
        Bytes noisy(256);
        for (std::size_t i = 0; i < noisy.size(); ++i)
            noisy[i] = static_cast<std::uint8_t>((i * 73 + type * 29 + 5) & 0xFF);
        noisy[noisy.size() - 2] = 1; // with a data card
        noisy.back() = type;
        Seed("fuzz_receive", "noisy-" + std::to_string(type), noisy);
    }
}

// Packets of the bitmap stream's run-length code, bare and behind the stream's header.
void BitmapStreamSeeds() {
    const Bytes packets = {125, 7, 125, 7, 50, 7, 0x83, 'A', 'B', 'C', 0x02, 'D'};
    Seed("fuzz_bitmap_stream", "packets", packets);
    Bytes stream = {static_cast<std::uint8_t>(packets.size()), 0, 0, 0, 'X', 'D', 'B', 'M', 1, 0};
    stream.insert(stream.end(), packets.begin(), packets.end());
    Seed("fuzz_bitmap_stream", "stream", stream);
}

// A layout as a manager "Bars" on the form "LayoutForm" saves it: options, a moved toolbar
// with a user caption and width, a sub-item's links.
void BarLayoutSeeds() {
    Seed("fuzz_bar_layout", "saved",
         "[LayoutForm.Bars.Main]\nMenusShowRecentItemsFirst=1\nShowFullMenusAfterDelay=1\n"
         "LargeIcons=0\nMenuAnimations=3\nShowHint=1\nShowShortCutInHint=1\nBarCount=3\n\n"
         "[LayoutForm.Bars.Bar0]\nCaption=Menu\nDockedDockingStyle=2\nDockedLeft=0\n"
         "DockedTop=0\nOneOnRow=1\nRow=0\nFloatLeft=0\nFloatTop=0\nFloatClientWidth=0\n"
         "FloatClientHeight=0\nDockingStyle=2\nVisible=1\nItemLinkCount=1\n\n"
         "[LayoutForm.Bars.Bar0.ItemLink0]\nItemName=FileMenu\nBeginGroup=0\nUserDefine=0\n"
         "Visible=1\n\n"
         "[LayoutForm.Bars.Bar1]\nCaption=Tools\nDockedDockingStyle=1\nDockedLeft=4\n"
         "DockedTop=9\nOneOnRow=0\nRow=1\nFloatLeft=200\nFloatTop=150\n"
         "FloatClientWidth=140\nFloatClientHeight=30\nDockingStyle=0\nVisible=1\n"
         "ItemLinkCount=3\n\n"
         "[LayoutForm.Bars.Bar1.ItemLink0]\nItemName=OpenItem\nBeginGroup=0\nUserDefine=9\n"
         "UserCaption=Open it\nUserWidth=77\nVisible=1\nUseCount=3\nRecentIndex=0\n\n"
         "[LayoutForm.Bars.Bar1.ItemLink2]\nItemName=SaveItem\nBeginGroup=1\nUserDefine=4\n"
         "UserPaintStyle=2\nVisible=0\n\n"
         "[LayoutForm.Bars.Bar2]\nCaption=Mine\nDockingStyle=4\nRow=0\nVisible=1\n"
         "ItemLinkCount=1\n\n"
         "[LayoutForm.Bars.Bar2.ItemLink0]\nItemName=NewItem\n\n"
         "[LayoutForm.Bars.SubItem_FileMenu]\nItemLinkCount=2\n\n"
         "[LayoutForm.Bars.SubItem_FileMenu.ItemLink0]\nItemName=SaveItem\nBeginGroup=1\n\n"
         "[LayoutForm.Bars.SubItem_FileMenu.ItemLink1]\nItemName=NewItem\n");
    Seed("fuzz_bar_layout", "corrupt",
         "[LayoutForm.Bars.Main]\nBarCount=1000000000\nMenuAnimations=77\n"
         "[LayoutForm.Bars.Bar1]\nRow=1000000000\nDockingStyle=9\nFloatClientWidth=-7\n"
         "ItemLinkCount=1000000000\nDockControl=Bars\n"
         "[LayoutForm.Bars.Bar1.ItemLink0]\nItemName=NewItem\nUserDefine=255\n"
         "RecentIndex=-5\nUserPaintStyle=200\n");
    Seed("fuzz_bar_layout", "empty", "");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    root = argv[1];
    fuzz::World::Get();
    SysExSeeds();
    GlobalSeeds();
    LibrarySeeds();
    SettingsSeeds();
    NameListSeeds();
    MidiFileSeeds();
    ReceiveSeeds();
    BitmapStreamSeeds();
    BarLayoutSeeds();
    return 0;
}
