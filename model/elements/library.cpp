#include "model/elements/library.h"

#include "model/elements/bank.h"
#include "model/elements/element_factory.h"
#include "model/elements/exchange_order.h"
#include "model/files/data_folders.h"
#include "model/files/element_files.h"
#include "model/program/dialog_services.h"
#include "model/program/ui_services.h"
#include "platform/core/folders.h"
#include "platform/core/text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace model {

namespace pc = platform::core;

namespace {

constexpr std::uint16_t EndOfComment = 0xFFFF;
constexpr std::size_t LongestCommentLine = 0xFFFE;

// A date or time as the sort orders it: a value that is no number (only a damaged file holds one)
// counts as the earliest, so that the order stays an order.
double Ordered(double value) {
    return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value;
}

// Whether the element at a belongs before the one at b by key, on keys read once.
std::function<bool(std::size_t, std::size_t)>
SortKey(const std::vector<std::unique_ptr<TLibElem>>& elems, int key) {
    switch (key) {
    case skModified:
    case skCreated: {
        std::vector<std::pair<double, double>> dates;
        dates.reserve(elems.size());
        for (const auto& elem : elems)
            dates.emplace_back(Ordered(key == skModified ? elem->ModifiedDate : elem->CreatedDate),
                               Ordered(key == skModified ? elem->ModifiedTime : elem->CreatedTime));
        return [dates = std::move(dates)](std::size_t a, std::size_t b) {
            return dates[a] < dates[b];
        };
    }
    case skName: {
        std::vector<std::string> names;
        names.reserve(elems.size());
        for (const auto& elem : elems)
            names.push_back(elem->GetName());
        return [names = std::move(names)](std::size_t a, std::size_t b) {
            return pc::CompareText(names[a], names[b]) < 0;
        };
    }
    case skType: {
        std::vector<std::int16_t> types;
        types.reserve(elems.size());
        for (const auto& elem : elems)
            types.push_back(elem->Type);
        return [types = std::move(types)](std::size_t a, std::size_t b) {
            return types[a] < types[b];
        };
    }
    default:
        return nullptr;
    }
}

void EnableMenuItems() {
    if (TUiServices* ui = UiServices()) ui->EnableMenuItems();
}

// The element's windows and pages, and those of the elements it holds, show it anew: their
// captions name the library.
void ShowOwnWindows(TLibElem& elem) {
    elem.UpdateViews(TViewChange::Place);
}

} // namespace

void WriteStrings(pc::TByteWriter& File, const pc::TStringList& Lines) {
    for (const std::string& line : Lines) {
        const std::size_t length = std::min(line.size(), LongestCommentLine);
        File.WriteU16(static_cast<std::uint16_t>(length));
        File.WriteBytes(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), length));
    }
    File.WriteU16(EndOfComment);
}

bool ReadStrings(pc::TByteReader& File, pc::TStringList& Lines) {
    Lines.Clear();
    while (File.Remaining() >= 2) {
        const std::uint16_t length = File.ReadU16();
        if (length == EndOfComment) return true;
        std::string line(length, '\0');
        const std::size_t got =
            File.ReadAvailable(std::span(reinterpret_cast<std::uint8_t*>(line.data()), length));
        line.resize(got);
        Lines.Add(std::move(line));
    }
    std::uint8_t rest[2];
    File.ReadAvailable(std::span(rest, File.Remaining()));
    return false;
}

ENotALibrary::ENotALibrary() : pc::Exception(std::string(LibraryFileKind.LoadError)) {}

TLibrary::TLibrary(TLibElem* Owner) : TLibElem(Owner) {
    FileName = UntitledLibrary;
    Saved = true;
}

TLibrary::~TLibrary() {
    CloseEditor();
    Elems.clear();
}

std::string TLibrary::GetName() const {
    return pc::ExtractFileName(FileName);
}

void TLibrary::SaveEditorPosition() {
    if (!EditorOpen || Editor == nullptr) return;
    TLibElem::SaveEditorPosition();
    const std::int16_t width = Editor->Width();
    const std::int16_t height = Editor->Height();
    if (width != Width || height != Height) Saved = false;
    Width = width;
    Height = height;
}

void TLibrary::WriteLibrary(pc::TByteWriter& File) {
    SaveEditorPosition();
    WriteStrings(File, Comment);
    File.WriteI16(Width);
    File.WriteI16(Height);
    File.WriteI16(EditorLeft);
    File.WriteI16(EditorTop);
    for (const auto& elem : Elems)
        elem->WriteRecord(File);
}

bool TLibrary::ReadLibrary(pc::TByteReader& File) {
    pc::TStringList comment;
    std::int16_t width = Width;
    std::int16_t height = Height;
    std::int16_t left = EditorLeft;
    std::int16_t top = EditorTop;
    std::vector<std::unique_ptr<TLibElem>> elems;

    // Without its comment's end and its window fields a file is no library (an empty or foreign
    // file, or one cut short at its start): loading it would leave an empty library for a save
    // to write over the file.
    constexpr std::size_t WindowFieldsSize = 4 * 2;
    if (!ReadStrings(File, comment) || File.Remaining() < WindowFieldsSize) throw ENotALibrary();
    ReadField(File, width);
    ReadField(File, height);
    ReadField(File, left);
    ReadField(File, top);
    while (!File.Eof() && !File.RanOut()) {
        std::int16_t type = -1;
        ReadField(File, type);
        if (File.RanOut()) break;
        std::unique_ptr<TLibElem> elem = CreateElemByType(type, this);
        if (!elem) throw ENotALibrary();
        elem->ReadRecord(File);
        elems.push_back(std::move(elem));
    }

    Elems = std::move(elems);
    Comment = std::move(comment);
    Width = width;
    Height = height;
    EditorLeft = left;
    EditorTop = top;
    return !File.RanOut();
}

bool TLibrary::LoadFromFile(const std::string& Name) {
    const auto bytes = LoadFileBytes(LibraryFileKind, Name);
    if (!bytes) return false;
    bool whole = false;
    try {
        pc::TByteReader file(*bytes);
        whole = ReadLibrary(file);
    } catch (const ENotALibrary& error) {
        ShowFileError(error.Message() + ": " + pc::ExtractFileName(Name) + " " + NotALibraryText);
        return false;
    } catch (const pc::Exception& error) {
        ShowFileError(error.Message());
        return false;
    }
    FileName = Name;
    Saved = true;
    if (!whole)
        MessageDlg(pc::ExtractFileName(Name) + " " + LoadedInPartText, TMsgDlgType::mtWarning,
                   mbOK);
    return true;
}

bool TLibrary::OpenFile() {
    const auto path = ChooseLoadPath(LibraryFileKind, FileName);
    const bool loaded = path && LoadFromFile(*path);
    EnableMenuItems();
    return loaded;
}

bool TLibrary::SaveFile(bool AskName) {
    // A library's name comes from its own dialogs or the settings file's desktop, never from a
    // file passed on.
    const auto path =
        ChooseSavePath(LibraryFileKind, FileName, !AskName && CanSaveDirectly(FileName));
    if (!path) return false;
    pc::TByteWriter file;
    WriteLibrary(file);
    if (!SaveFileBytes(LibraryFileKind, *path, file.Bytes())) return false;
    const bool renamed = *path != FileName;
    FileName = *path;
    Saved = true;
    if (renamed) {
        UpdateEditor();
        for (const auto& elem : Elems)
            ShowOwnWindows(*elem);
    }
    EnableMenuItems();
    return true;
}

TLibElem& TLibrary::Add(std::unique_ptr<TLibElem> elem) {
    elem->Owner = this;
    Elems.push_back(std::move(elem));
    return *Elems.back();
}

void TLibrary::TakeElem(TLibrary& Source, int Index) {
    std::unique_ptr<TLibElem> elem = std::move(Source.Elems.at(static_cast<std::size_t>(Index)));
    Source.Elems.erase(Source.Elems.begin() + Index);
    elem->Selected = false;
    Add(std::move(elem));
}

void TLibrary::Sort(int Key) {
    const auto before = SortKey(Elems, Key);
    if (!before) return;
    std::vector<std::unique_ptr<TLibElem>> sorted;
    sorted.reserve(Elems.size());
    for (std::size_t index : ExchangeSortOrder(Elems.size(), before))
        sorted.push_back(std::move(Elems[index]));
    Elems = std::move(sorted);
}

} // namespace model
