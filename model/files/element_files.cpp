#include "model/files/element_files.h"

#include "model/editing/editor_view.h"
#include "model/files/data_folders.h"
#include "model/files/straight_save.h"
#include "model/program/dialog_services.h"
#include "model/sysex/address_map.h"
#include "model/sysex/sysex.h"
#include "platform/core/atomic_file.h"
#include "platform/core/folders.h"

#include <algorithm>

namespace model {

namespace pc = platform::core;

namespace {

constexpr std::uint8_t SysExStart = 0xF0;
constexpr std::uint8_t SysExEnd = 0xF7;

// Lengths of the messages of bytes in order; none when bytes are not all this instrument's data
// sets.
std::optional<std::vector<std::size_t>> MessageLengths(std::span<const std::uint8_t> bytes) {
    std::vector<std::size_t> lengths;
    std::size_t p = 0;
    while (p < bytes.size()) {
        if (bytes.size() - p < SysExFrameLength) return std::nullopt;
        if (bytes[p] != SysExStart || bytes[p + 1] != 0x41 || bytes[p + 3] != 0x6A ||
            bytes[p + 4] != SysExDataSet)
            return std::nullopt;
        std::size_t q = p + 1;
        while (q < bytes.size() && bytes[q] < 0x80)
            ++q;
        if (q == bytes.size() || bytes[q] != SysExEnd) return std::nullopt;
        const std::size_t length = q - p + 1;
        if (length < SysExFrameLength) return std::nullopt;
        lengths.push_back(length);
        p = q + 1;
    }
    return lengths;
}

// A data byte of 80H or more, which only a damaged file holds, would break every message the
// element goes out in; the instrument would keep its low 7 bits, and so does the element.
void KeepSevenBits(std::span<std::uint8_t> image) {
    if (image.size() < SysExFrameLength) return;
    for (std::uint8_t& byte : image.subspan(SysExHeaderLength, image.size() - SysExFrameLength))
        byte &= 0x7F;
}

template <typename T>
void ReadWhole(pc::TByteReader& file, T& value, T (pc::TByteReader::*read)()) {
    if (file.Remaining() >= sizeof(T)) {
        value = (file.*read)();
        return;
    }
    std::uint8_t rest[sizeof(T)];
    file.ReadAvailable(rest);
}

} // namespace

void WriteImage(pc::TByteWriter& file, std::span<const std::uint8_t> image) {
    file.WriteBytes(image);
}

void WriteImage(pc::TByteWriter& file, std::span<const std::uint8_t> image, std::size_t keptData) {
    if (keptData + SysExFrameLength >= image.size()) {
        WriteImage(file, image);
        return;
    }
    std::vector<std::uint8_t> message(image.begin(), image.begin() + SysExHeaderLength + keptData);
    message.resize(MessageLength(keptData));
    message[message.size() - 2] = SysExChecksum(message);
    message[message.size() - 1] = SysExEnd;
    file.WriteBytes(message);
}

void ReadImage(pc::TByteReader& file, std::span<std::uint8_t> image) {
    file.ReadAvailable(image);
    KeepSevenBits(image);
}

void ReadImage(pc::TByteReader& file, std::span<std::uint8_t> image, std::size_t keptData) {
    if (keptData + SysExFrameLength >= image.size()) {
        ReadImage(file, image);
        return;
    }
    std::vector<std::uint8_t> message(MessageLength(keptData));
    const std::size_t got = file.ReadAvailable(message);
    const std::size_t kept = SysExHeaderLength + keptData;
    std::copy_n(message.begin(), std::min(got, kept), image.begin());
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(kept), image.end(), 0);
    KeepSevenBits(image);
    image[image.size() - 2] = SysExChecksum(image);
    image[image.size() - 1] = SysExEnd;
}

void ReadField(pc::TByteReader& file, std::int16_t& value) {
    ReadWhole(file, value, &pc::TByteReader::ReadI16);
}

void ReadField(pc::TByteReader& file, bool& value) {
    ReadWhole(file, value, &pc::TByteReader::ReadBool);
}

void ReadField(pc::TByteReader& file, double& value) {
    ReadWhole(file, value, &pc::TByteReader::ReadDouble);
}

void ReadField(pc::TByteReader& file, std::string& value, std::size_t maxLength) {
    if (file.Remaining() >= maxLength + 1) {
        value = file.ReadShortString(maxLength);
        return;
    }
    std::vector<std::uint8_t> rest(maxLength + 1);
    file.ReadAvailable(rest);
}

void WritePosition(pc::TByteWriter& file, const TEditorSlot& slot) {
    file.WriteI16(slot.Left);
    file.WriteI16(slot.Top);
}

void ReadPosition(pc::TByteReader& file, TEditorSlot& slot) {
    ReadField(file, slot.Left);
    ReadField(file, slot.Top);
}

bool SameSysExFraming(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> expected) {
    const auto found = MessageLengths(bytes);
    const auto wanted = MessageLengths(expected);
    return found && wanted && *found == *wanted;
}

bool SameRecordFraming(std::span<const std::uint8_t> bytes,
                       std::span<const std::uint8_t> expected) {
    return bytes.size() == expected.size() && bytes.size() >= 2 &&
           std::equal(bytes.begin(), bytes.begin() + 2, expected.begin());
}

std::optional<std::string> ChooseSavePath(const TFileKind& kind, const std::string& fileName,
                                          bool straight) {
    if (straight) return fileName;

    TFileDialogRequest request;
    request.Title = kind.SaveTitle;
    request.Filter = kind.Filter;
    request.DefaultExt = kind.DefaultExt;
    request.InitialDir = DialogFolder(fileName);
    request.FileName = pc::ExtractFileName(fileName);
    if (!ExecuteSaveDialog(request) || request.FileName.empty()) return std::nullopt;
    if (pc::FileExists(request.FileName) &&
        MessageDlg(OverwriteQuestion, TMsgDlgType::mtConfirmation, mbYes | mbNo) != mrYes)
        return std::nullopt;
    NoteChosenFile(kind, request.FileName);
    return request.FileName;
}

std::optional<std::string> ChooseLoadPath(const TFileKind& kind, const std::string& fileName) {
    TFileDialogRequest request;
    request.Title = kind.LoadTitle;
    request.Filter = kind.Filter;
    request.DefaultExt = kind.DefaultExt;
    request.InitialDir = DialogFolder(fileName);
    request.FileName = pc::ExtractFileName(fileName);
    if (!ExecuteOpenDialog(request) || request.FileName.empty()) return std::nullopt;
    return request.FileName;
}

bool SaveFileBytes(const TFileKind& kind, const std::string& path,
                   std::span<const std::uint8_t> bytes) {
    std::string error;
    if (pc::WriteFileAtomically(path, bytes, &error)) return true;
    ShowFileError(std::string(kind.SaveError) + ": " + error);
    return false;
}

std::optional<std::vector<std::uint8_t>> LoadFileBytes(const TFileKind& kind,
                                                       const std::string& path) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (pc::ReadFileBytes(path, bytes, &error)) return bytes;
    ShowFileError(std::string(kind.LoadError) + ": " + error);
    return std::nullopt;
}

void ShowFileError(std::string_view text) {
    MessageDlg(std::string(text), TMsgDlgType::mtError, mbOK);
}

} // namespace model
