#include "platform/forms/printers.h"

#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/printer.h"
#include "platform/win/print_spooler.h"

namespace platform::forms {

namespace {

std::unique_ptr<TPrinter>& Current() {
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

std::string DataFolder() {
    std::string documents = core::GetSpecialFolderPath(core::SpecialFolder::Documents);
    return core::IncludeTrailingPathDelimiter(documents) + "Quintaron";
}

} // namespace

TPrinter& Printer() {
    if (!Current()) Current() = std::make_unique<TPrinter>();
    return *Current();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer) {
    std::unique_ptr<TPrinter> previous = std::move(Current());
    Current() = std::move(printer);
    return previous;
}

TPrinter::TPrinter() : device_(std::make_unique<gdi::TPrinter>()) {}
TPrinter::~TPrinter() = default;

std::string TPrinter::OutputFileName() const {
    return core::IncludeTrailingPathDelimiter(DataFolder()) +
           (Title.empty() ? std::string("Document") : Title) + ".pdf";
}

void TPrinter::BeginDoc() {
    core::ForceDirectories(DataFolder());
    device_->SetTitle(Title);
    device_->SetOutputFileName(OutputFileName());
    device_->BeginDoc();
}

void TPrinter::EndDoc() {
    device_->EndDoc();
    const std::string printer = DefaultPrinterName();
    if (printer.empty()) return;
    win::SpoolDocumentFile(printer, {Title, OutputFileName()});
}

std::string TPrinter::DefaultPrinterName() {
    std::string name;
    win::GetDefaultPrinter(&name);
    return name;
}

void TPrinter::NewPage() {
    device_->NewPage();
}

void TPrinter::Abort() {
    device_->Abort();
}

gdi::TCanvas& TPrinter::Canvas() {
    return device_->Canvas();
}

int TPrinter::PageWidth() const {
    return device_->PageWidth();
}

int TPrinter::PageHeight() const {
    return device_->PageHeight();
}

int TPrinter::PageNumber() const {
    return device_->PageNumber();
}

bool TPrinter::Printing() const {
    return device_->Printing();
}

} // namespace platform::forms
