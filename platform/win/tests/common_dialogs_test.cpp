#include "platform/win/common_dialogs.h"

#include "testsupport/temp_folder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace platform::win {
namespace {

using namespace std::string_literals;

TEST(CommonDialogs, FilterPatternsAreThePairsPatternsAsGiven) {
    const std::string filter = "SysEx files (*.syx)\0*.syx; *.mid\0All files\0*.*"s;
    EXPECT_EQ(FilterPatterns(filter, 1), (std::vector<std::string>{"*.syx", "*.mid"}));
    EXPECT_EQ(FilterPatterns(filter, 2), (std::vector<std::string>{"*.*"}));
    EXPECT_EQ(FilterPatterns(filter, 0), FilterPatterns(filter, 1)) << "the first pair";
    EXPECT_TRUE(FilterPatterns(filter, 3).empty()) << "past the last pair";
}

// What the dialog showed while it was open.
struct Shown {
    std::string title;
    std::string name;
    std::string filter;
    // The names it listed as choosable in its folder, once the folder was read.
    std::vector<std::string> listed;
};

// Runs show with a look at the modal dialog it opens: once the dialog has listed folder (or
// after five seconds, when it never does), what it shows is written down and it is cancelled.
Shown LookAtTheDialog(const std::string& folder, const std::function<void()>& show) {
    Shown shown;
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        auto* model = dialog->findChild<QFileSystemModel*>();
        const QModelIndex root =
            model ? model->index(QString::fromStdString(folder)) : QModelIndex();
        if (model && model->canFetchMore(root)) model->fetchMore(root);
        const int rows = model ? model->rowCount(root) : 0;
        if (rows == 0 && elapsed.elapsed() < 5000) return;
        poll.stop();
        shown.title = dialog->windowTitle().toStdString();
        if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
            shown.name = edit->text().toStdString();
        shown.filter = dialog->selectedNameFilter().toStdString();
        for (int row = 0; row < rows; ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (model->flags(index) & Qt::ItemIsEnabled)
                shown.listed.push_back(index.data().toString().toStdString());
        }
        std::sort(shown.listed.begin(), shown.listed.end());
        dialog->reject();
    });
    poll.start();
    show();
    return shown;
}

// The save dialog proposes the name as it is given and shows the pattern as it is written; the
// pattern still matches names in either case, as the platform's file system does.
TEST(CommonDialogs, TheSaveDialogShowsTheProposedNameAndThePatternAsGivenAndMatchesEitherCase) {
    const testsupport::TempFolder folder("quintaron_common_dialogs_");
    ASSERT_FALSE(folder.Path().empty());
    for (const char* name : {"Upper.LIB", "lower.lib", "Mixed.Lib", "Other.txt"})
        std::ofstream(folder.PathOf(name)) << "x";

    OPENFILENAME ofn;
    ofn.lpstrFilter = "Lib file\0*.Lib\0"s;
    ofn.lpstrFile = "Untitled.Lib";
    ofn.lpstrInitialDir = folder.Path();
    ofn.lpstrTitle = "Save Library";
    BOOL chosen = true;
    const Shown shown = LookAtTheDialog(folder.Path(), [&] { chosen = GetSaveFileName(&ofn); });

    EXPECT_FALSE(chosen);
    EXPECT_EQ(ofn.lpstrFile, "Untitled.Lib") << "a cancel leaves the name";
    EXPECT_EQ(shown.title, "Save Library");
    EXPECT_EQ(shown.name, "Untitled.Lib");
    EXPECT_EQ(shown.filter, "Lib file (*.Lib)");
    EXPECT_EQ(shown.listed, (std::vector<std::string>{"Mixed.Lib", "Upper.LIB", "lower.lib"}));
}

} // namespace
} // namespace platform::win
