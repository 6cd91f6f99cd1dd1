#include "platform/forms/printers.h"

#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/printer.h"
#include "platform/gdi/recording_dc.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform::forms {

namespace {

// A4 at 300 dpi, as the PDF printer lays it out.
constexpr int A4Width = 2480;
constexpr int A4Height = 3508;

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
    QProcess::startDetached("lp", {"-d", QString::fromStdString(printer), "-t",
                                   QString::fromStdString(core::AnsiToUtf8(Title)),
                                   QString::fromStdString(OutputFileName())});
}

std::string TPrinter::DefaultPrinterName() {
    // Without the printing system's tools there is no printer to hand documents to.
    if (QStandardPaths::findExecutable("lpstat").isEmpty() ||
        QStandardPaths::findExecutable("lp").isEmpty())
        return {};
    QProcess query;
    query.start("lpstat", {"-d"});
    if (!query.waitForStarted(1000) || !query.waitForFinished(2000)) return {};
    // "system default destination: <name>"
    const QString answer = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    const auto colon = answer.indexOf(": ");
    if (query.exitCode() != 0 || colon < 0) return {};
    return answer.mid(colon + 2).trimmed().toStdString();
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

// ---- the recording printer ----

TRecordingPrinter::TRecordingPrinter() {
    // As on the PDF printer: fonts are sized in points at the sheet's resolution.
    canvas_.Font().SetPixelsPerInch(Resolution);
    canvas_.Font().SetSize(8);
}

TRecordingPrinter::~TRecordingPrinter() {
    if (printing_) Abort();
}

int TRecordingPrinter::PageWidth() const {
    return A4Width;
}

int TRecordingPrinter::PageHeight() const {
    return A4Height;
}

void TRecordingPrinter::BeginDoc() {
    if (printing_) throw core::Exception("Printing in progress");
    printing_ = true;
    pages_.clear();
    dc_ = gdi::CreateRecordingDC();
    // A page of one bit per pixel keeps a 300-dpi sheet small; the calls are what tests read.
    page_ = gdi::CreateBitmap(A4Width, A4Height, 1, 1, nullptr);
    oldBitmap_ = gdi::SelectObject(dc_, page_);
    canvas_.SetHandle(dc_);
    canvas_.Refresh();
    pages_.emplace_back();
}

void TRecordingPrinter::FinishPage() {
    pages_.back() = gdi::RecordedCalls(dc_);
    gdi::ClearRecordedCalls(dc_);
}

void TRecordingPrinter::NewPage() {
    if (!printing_) throw core::Exception("Printer is not currently printing");
    FinishPage();
    pages_.emplace_back();
}

void TRecordingPrinter::EndDoc() {
    if (!printing_) throw core::Exception("Printer is not currently printing");
    FinishPage();
    documents_.push_back({Title, pages_, false});
    Abort();
    documents_.back().Aborted = false;
}

void TRecordingPrinter::Abort() {
    if (!printing_) return;
    if (documents_.empty() || documents_.back().Pages != pages_)
        documents_.push_back({Title, pages_, true});
    printing_ = false;
    canvas_.SetHandle(gdi::NullDC);
    gdi::SelectObject(dc_, oldBitmap_);
    gdi::DeleteObject(page_);
    gdi::DeleteDC(dc_);
    dc_ = {};
    page_ = {};
    pages_.clear();
}

} // namespace platform::forms
