#include "platform/win/common_dialogs.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"

#include <QFileDialog>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

namespace platform::win {

namespace {

QString FromAnsi(const std::string& text) {
    return QString::fromStdString(core::AnsiToUtf8(text));
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// Qt's dialog matches patterns by case; a letter becomes a class of both of its cases.
std::string EitherCase(const std::string& pattern) {
    std::string either;
    for (char c : pattern) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            either += '[';
            either += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            either += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            either += ']';
        } else {
            either += c;
        }
    }
    return either;
}

// "Description (pattern pattern)" for each pair of the filter.
QStringList QtFilters(const std::string& filter) {
    QStringList filters;
    const std::vector<std::string> parts = Split(filter, '\0');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const std::string& p : FilterPatterns(filter, static_cast<int>(i / 2) + 1))
            patterns << QString::fromStdString(p);
        filters << FromAnsi(parts[i]) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

} // namespace

std::vector<std::string> FilterPatterns(const std::string& Filter, int Index) {
    const std::vector<std::string> parts = Split(Filter, '\0');
    const std::size_t at = static_cast<std::size_t>(std::max(1, Index) - 1) * 2 + 1;
    std::vector<std::string> patterns;
    if (at >= parts.size()) return patterns;
    for (const std::string& p : Split(parts[at], ';'))
        if (std::string trimmed = core::Trim(p); !trimmed.empty())
            patterns.push_back(EitherCase(trimmed));
    return patterns;
}

namespace {

BOOL RunFileDialog(OPENFILENAME* ofn, bool saving) {
    if (!ofn) return false;
    const QStringList filters = QtFilters(ofn->lpstrFilter);
    QString selected = filters.value(static_cast<int>(ofn->nFilterIndex) - 1);
    const QString title = FromAnsi(ofn->lpstrTitle);
    const QString start = FromAnsi(ofn->lpstrInitialDir.empty()
                                       ? ofn->lpstrFile
                                       : core::IncludeTrailingPathDelimiter(ofn->lpstrInitialDir) +
                                             core::ExtractFileName(ofn->lpstrFile));
    QFileDialog::Options options;
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) options |= QFileDialog::DontConfirmOverwrite;
    const QString joined = filters.join(";;");
    const QString chosen =
        saving ? QFileDialog::getSaveFileName(nullptr, title, start, joined, &selected, options)
               : QFileDialog::getOpenFileName(nullptr, title, start, joined, &selected, options);
    if (const auto at = filters.indexOf(selected); at >= 0)
        ofn->nFilterIndex = static_cast<DWORD>(at + 1);
    if (chosen.isEmpty()) return false;
    ofn->lpstrFile = core::Utf8ToAnsi(chosen.toStdString());
    return true;
}

} // namespace

BOOL GetOpenFileName(OPENFILENAME* ofn) {
    return RunFileDialog(ofn, false);
}

BOOL GetSaveFileName(OPENFILENAME* ofn) {
    return RunFileDialog(ofn, true);
}

} // namespace platform::win
