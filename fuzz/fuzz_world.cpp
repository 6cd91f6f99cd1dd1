#include "fuzz/fuzz_world.h"

#include "model/program/quintaron.h"
#include "platform/core/date_time.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <unistd.h>

namespace fuzz {

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

bool AnsweringDialogs::OpenDialog(model::TFileDialogRequest& request) {
    if (answer.empty()) return false;
    request.FileName = answer;
    return true;
}

bool AnsweringDialogs::SaveDialog(model::TFileDialogRequest&) {
    return false;
}

model::TModalResult AnsweringDialogs::MessageDlg(const std::string& text, model::TMsgDlgType,
                                                 model::TMsgDlgButtons) {
    messages.push_back(text);
    return model::mrOk;
}

namespace {

std::string& FolderToRemove() {
    static std::string folder;
    return folder;
}

void RemoveFolder() {
    std::error_code ignored;
    if (!FolderToRemove().empty()) std::filesystem::remove_all(FolderToRemove(), ignored);
}

} // namespace

World& World::Get() {
    // Never destroyed: inputs may still run while static objects go at exit.
    static World* world = new World;
    return *world;
}

World::World() {
    // In memory where the system offers it: every save syncs its file, and a run saves often.
    std::error_code error;
    const std::filesystem::path shared = "/dev/shm";
    const auto base =
        std::filesystem::is_directory(shared, error) && ::access("/dev/shm", W_OK) == 0
            ? shared
            : std::filesystem::temp_directory_path();
    std::string pattern = (base / "quintaron-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) Fail("a temporary folder", __FILE__, __LINE__);
    folder_ = pattern;
    FolderToRemove() = folder_;
    std::atexit(RemoveFolder);
    ::setenv("QUINTARON_DOCUMENTS_DIR", folder_.c_str(), 1);
    ::setenv("QUINTARON_CONFIG_DIR", SettingsFolder().c_str(), 1);
    std::filesystem::create_directories(DataFolder());
    std::filesystem::create_directories(SettingsFolder());

    // Time stamps are the same for every run, so that what is written depends on the input only.
    static platform::core::NowOverride now(platform::core::EncodeDate(2024, 5, 6) +
                                           platform::core::EncodeTime(7, 8, 9, 0));
    model::SetDialogs(&dialogs);
}

std::string World::Path(std::string_view name) const {
    return folder_ + "/" + std::string(name);
}

std::string World::DataFolder() const {
    return Path("Quintaron");
}

std::string World::SettingsFolder() const {
    return Path("settings");
}

void World::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("writing the input file", __FILE__, __LINE__);
}

Bytes World::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace fuzz
