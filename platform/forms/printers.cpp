#include "platform/forms/printers.h"

#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/gdi/printer.h"
#include "platform/win/print_spooler.h"

namespace platform::forms {

namespace {

std::unique_ptr<TPrinter>& Current() {
    static std::unique_ptr<TPrinter> printer;
    return printer;
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
    if (!FileName.empty()) return FileName;
    const std::string documents = core::GetSpecialFolderPath(core::SpecialFolder::Documents);
    return core::IncludeTrailingPathDelimiter(documents) +
           (Title.empty() ? std::string("Document") : core::AnsiToUtf8(Title)) + ".pdf";
}

void TPrinter::BeginDoc() {
    if (device_->Printing()) throw core::Exception("Printing in progress");
    std::string printer;
    win::GetDefaultPrinter(&printer);
    device_->SetTitle(core::AnsiToUtf8(Title));
    if (printer.empty()) {
        device_->SetOutputFileName(OutputFileName());
        device_->BeginDoc();
    } else {
        device_->BeginDoc(win::StartDocPrinter(printer, {Title, {}}));
    }
    printerName_ = printer;
}

void TPrinter::EndDoc() {
    device_->EndDoc();
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
