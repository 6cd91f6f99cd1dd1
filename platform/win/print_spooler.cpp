#include "platform/win/print_spooler.h"

#include "platform/core/exception.h"
#include "platform/core/text.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <algorithm>
#include <utility>

namespace platform::win {

namespace {

PrintersOverride*& InForce() {
    static PrintersOverride* current = nullptr;
    return current;
}

const StandInPrinter* FindStandIn(const std::string& name) {
    const auto& printers = InForce()->Printers();
    const auto found = std::find_if(printers.begin(), printers.end(),
                                    [&](const StandInPrinter& p) { return p.Name == name; });
    return found == printers.end() ? nullptr : &*found;
}

class TPrinterDocument final : public gdi::TPrintOutput {
public:
    TPrinterDocument(std::string printer, DOC_INFO_1 document)
        : printer_(std::move(printer)), document_(std::move(document)) {}

    void PrintPage(const gdi::Surface& page) override {
        pages_.push_back(gdi::PrinterPageImage(page));
    }

    void EndDoc() override {
        std::vector<QImage> pages = std::move(pages_);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(QString::fromStdString(printer_));
        printer.setDocName(QString::fromStdString(core::AnsiToUtf8(document_.pDocName)));
        if (!document_.pOutputFile.empty())
            printer.setOutputFileName(QString::fromStdString(document_.pOutputFile));
        QPainter painter;
        bool printed = painter.begin(&printer);
        for (std::size_t i = 0; printed && i < pages.size(); ++i) {
            if (i > 0) printed = printer.newPage();
            if (printed) gdi::DrawPrinterPage(painter, pages[i]);
        }
        if (painter.isActive()) printed = painter.end() && printed;
        if (!printed) throw core::Exception("Printer is not able to print to " + printer_);
    }

    void Abort() override { pages_.clear(); }

private:
    std::string printer_;
    DOC_INFO_1 document_;
    // A listing's page is kept at one bit per pixel: about a megabyte.
    std::vector<QImage> pages_;
};

} // namespace

std::vector<std::string> EnumPrinters() {
    std::vector<std::string> names;
    if (InForce() != nullptr) {
        for (const StandInPrinter& printer : InForce()->Printers())
            names.push_back(printer.Name);
        return names;
    }
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdString());
    return names;
}

BOOL GetDefaultPrinter(std::string* name) {
    if (!name) return false;
    name->clear();
    if (InForce() != nullptr) {
        if (!InForce()->Printers().empty()) *name = InForce()->Printers().front().Name;
    } else {
        *name = QPrinterInfo::defaultPrinterName().toStdString();
    }
    return !name->empty();
}

std::unique_ptr<gdi::TPrintOutput> StartDocPrinter(const std::string& printer,
                                                   const DOC_INFO_1& document) {
    DOC_INFO_1 job = document;
    if (InForce() != nullptr) {
        // While printers stand in, none of the system's is ever reached.
        const StandInPrinter* standIn = FindStandIn(printer);
        if (standIn == nullptr) throw core::Exception("Printer selected is not valid");
        if (job.pOutputFile.empty()) job.pOutputFile = standIn->OutputFile;
    }
    return std::make_unique<TPrinterDocument>(printer, std::move(job));
}

PrintersOverride::PrintersOverride(std::vector<StandInPrinter> printers)
    : printers_(std::move(printers)), previous_(InForce()) {
    InForce() = this;
}

PrintersOverride::~PrintersOverride() {
    InForce() = previous_;
}

} // namespace platform::win
