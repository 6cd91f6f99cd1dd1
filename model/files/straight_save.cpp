#include "model/files/straight_save.h"

#include "model/files/data_folders.h"
#include "model/files/element_files.h"
#include "model/program/quintaron.h"
#include "platform/core/byte_file.h"
#include "platform/core/folders.h"

#include <algorithm>

namespace model {

namespace pc = platform::core;

namespace {

bool Chosen(const TFileKind& kind, const std::string& path) {
    const TQuintaron* state = AppState();
    return state != nullptr &&
           state->ChosenFiles.contains({std::string(kind.DefaultExt), std::string(path)});
}

// The file holds one of layouts, as kind frames it. Only an ordinary file of a layout's size is
// read: a name may stand for a pipe or a device, which must not be opened.
bool HoldsOwnLayout(const TFileKind& kind, const std::string& path,
                    const std::function<TFileLayouts()>& layouts) {
    if (kind.SameFraming == nullptr) return false;
    const std::int64_t size = pc::RegularFileSize(path);
    if (size < 0) return false;
    const TFileLayouts own = layouts();
    const auto sized = [size](const std::vector<std::uint8_t>& layout) {
        return static_cast<std::int64_t>(layout.size()) == size;
    };
    if (std::none_of(own.begin(), own.end(), sized)) return false;
    std::vector<std::uint8_t> bytes;
    if (!pc::ReadFileBytes(path, bytes)) return false;
    return std::any_of(own.begin(), own.end(), [&](const std::vector<std::uint8_t>& layout) {
        return bytes.size() == layout.size() && kind.SameFraming(bytes, layout);
    });
}

} // namespace

bool MayWriteStraight(const TFileKind& kind, const std::string& fileName,
                      const std::function<TFileLayouts()>& layouts) {
    if (!CanSaveDirectly(fileName)) return false;
    return Chosen(kind, fileName) || HoldsOwnLayout(kind, fileName, layouts);
}

void NoteChosenFile(const TFileKind& kind, const std::string& path) {
    if (TQuintaron* state = AppState())
        state->ChosenFiles.emplace(std::string(kind.DefaultExt), path);
}

} // namespace model
