#include "platform/win/print_spooler.h"

#include "platform/core/text.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform::win {

BOOL GetDefaultPrinter(std::string* name) {
    if (!name) return false;
    name->clear();
    // Without the printing system's tools there is no printer to hand documents to.
    if (QStandardPaths::findExecutable("lpstat").isEmpty() ||
        QStandardPaths::findExecutable("lp").isEmpty())
        return false;
    QProcess query;
    query.start("lpstat", {"-d"});
    if (!query.waitForStarted(1000) || !query.waitForFinished(2000)) return false;
    // "system default destination: <name>"
    const QString answer = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    const auto colon = answer.indexOf(": ");
    if (query.exitCode() != 0 || colon < 0) return false;
    *name = answer.mid(colon + 2).trimmed().toStdString();
    return !name->empty();
}

BOOL SpoolDocumentFile(const std::string& printer, const DOC_INFO_1& document) {
    return QProcess::startDetached("lp",
                                   {"-d", QString::fromStdString(printer), "-t",
                                    QString::fromStdString(core::AnsiToUtf8(document.pDocName)),
                                    QString::fromStdString(document.pOutputFile)});
}

} // namespace platform::win
