#include "platform/win/html_help.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <unistd.h>

namespace platform::win {

namespace {

// How a viewer is told where to open: the viewers of the first kind take a page and an index
// word on their command line, the others only the file.
enum class TViewerKind { PagesAndIndex, FileOnly };

struct TKnownViewer {
    const char* program;
    TViewerKind kind;
};

// In the order they are preferred: those that can open at a topic first, the desktop's opener
// (which hands the file to whatever the desktop binds to it) last.
constexpr TKnownViewer KnownViewers[] = {
    {"uchmviewer", TViewerKind::PagesAndIndex},
    {"kchmviewer", TViewerKind::PagesAndIndex},
    {"xchm", TViewerKind::FileOnly},
    {"xdg-open", TViewerKind::FileOnly},
};

TViewerKind KindOf(const std::string& viewer) {
    const std::string name = std::filesystem::path(viewer).filename().string();
    for (const TKnownViewer& known : KnownViewers)
        if (name == known.program) return known.kind;
    return TViewerKind::FileOnly;
}

bool IsProgram(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::string FindOnPath(const std::string& program, const std::string& searchPath) {
    std::string_view rest = searchPath;
    while (true) {
        const auto colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty()) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / program;
            if (IsProgram(candidate)) return candidate.string();
        }
        if (colon == std::string_view::npos) return "";
        rest.remove_prefix(colon + 1);
    }
}

bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

THelpProcessStart& ProcessStart() {
    static THelpProcessStart start;
    return start;
}

bool Start(const std::string& program, const std::vector<std::string>& arguments) {
    if (ProcessStart()) return ProcessStart()(program, arguments);
    return StartDetached(program, arguments);
}

// What the viewer is started with for one call; empty when nothing is to be shown.
std::vector<std::string> Arguments(TViewerKind kind, const std::string& request, UINT command,
                                   std::uintptr_t data) {
    const auto separator = request.find("::");
    const std::string file = request.substr(0, separator);
    if (file.empty()) return {};
    const bool pages = kind == TViewerKind::PagesAndIndex;
    switch (command) {
    case HH_DISPLAY_TOPIC: {
        std::string topic =
            separator == std::string::npos ? std::string() : request.substr(separator + 2);
        if (!topic.empty() && topic.front() == '/') topic.erase(0, 1);
        if (pages && !topic.empty()) return {"-showPage", topic, file};
        return {file};
    }
    case HH_DISPLAY_INDEX: {
        const char* keyword = reinterpret_cast<const char*>(data);
        if (pages && keyword && *keyword) return {"-sindex", keyword, file};
        return {file};
    }
    case HH_DISPLAY_TOC:
    case HH_HELP_CONTEXT:
        return {file};
    default:
        return {};
    }
}

} // namespace

std::unique_ptr<THtmlHelpLibrary> THtmlHelpLibrary::Load(const std::string& searchPath) {
    for (const TKnownViewer& known : KnownViewers) {
        std::string viewer = FindOnPath(known.program, searchPath);
        if (!viewer.empty()) return std::make_unique<THtmlHelpLibrary>(std::move(viewer));
    }
    return nullptr;
}

std::unique_ptr<THtmlHelpLibrary> THtmlHelpLibrary::Load() {
    const char* path = std::getenv("PATH");
    return Load(path ? path : "");
}

THtmlHelpLibrary::THtmlHelpLibrary(std::string viewer) : viewer_(std::move(viewer)) {}

THtmlHelpA THtmlHelpLibrary::GetProcAddress(const std::string& name) const {
    if (name != "HtmlHelpA") return {};
    return [viewer = viewer_](HWND, const char* file, UINT command, std::uintptr_t data) {
        if (command == HH_CLOSE_ALL || !file) return false;
        const std::vector<std::string> arguments = Arguments(KindOf(viewer), file, command, data);
        if (arguments.empty()) return false;
        return Start(viewer, arguments);
    };
}

void SetHelpProcessStart(THelpProcessStart start) {
    ProcessStart() = std::move(start);
}

} // namespace platform::win
