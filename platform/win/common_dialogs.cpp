#include "platform/win/common_dialogs.h"

#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/win/modal_loop.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include <algorithm>
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
        if (std::string trimmed = core::Trim(p); !trimmed.empty()) patterns.push_back(trimmed);
    return patterns;
}

namespace {

BOOL RunFileDialog(OPENFILENAME* ofn, bool saving) {
    if (!ofn) return false;
    const QStringList filters = QtFilters(ofn->lpstrFilter);
    const QString folder =
        FromAnsi(ofn->lpstrInitialDir.empty() ? core::ExtractFilePath(ofn->lpstrFile)
                                              : ofn->lpstrInitialDir);
    QFileDialog dialog(nullptr, FromAnsi(ofn->lpstrTitle), folder);
    // Qt's own dialog, whose patterns match names in either case when its filter does not ask
    // for case (the desktop's may match by case), and which shows patterns and the proposed name
    // as they are given.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (const QString selected = filters.value(static_cast<int>(ofn->nFilterIndex) - 1);
        !selected.isEmpty())
        dialog.selectNameFilter(selected);
    // Choosing a filter of a save dialog sets the proposed name's extension to the filter's;
    // the name is proposed once the filter stands.
    if (!ofn->lpstrFile.empty()) dialog.selectFile(FromAnsi(core::ExtractFileName(ofn->lpstrFile)));
    bool accepted = false;
    {
        // Qt runs the dialog's loop itself; the program's messages go on meanwhile.
        QtLoopDispatch dispatch;
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (const auto at = filters.indexOf(dialog.selectedNameFilter()); at >= 0)
        ofn->nFilterIndex = static_cast<DWORD>(at + 1);
    const QStringList chosen = dialog.selectedFiles();
    if (!accepted || chosen.isEmpty() || chosen.front().isEmpty()) return false;
    ofn->lpstrFile = core::Utf8ToAnsi(chosen.front().toStdString());
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
