#include "platform/gdi/printer.h"

#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <filesystem>

namespace platform::gdi {

namespace {

// A4 at the printer's resolution.
constexpr int PageWidthPixels = 2480;
constexpr int PageHeightPixels = 3508;

} // namespace

struct TPrinter::Document {
    explicit Document(const std::string& name)
        : fileName(name), writer(QString::fromStdString(name)) {}
    std::string fileName;
    QPdfWriter writer;
    QPainter painter;
};

TPrinter::TPrinter() {
    canvas_.Font().SetPixelsPerInch(Resolution);
    canvas_.Font().SetSize(8);
}

TPrinter::~TPrinter() {
    if (printing_) Abort();
}

std::string TPrinter::OutputFileName() const {
    if (!outputFileName_.empty()) return outputFileName_;
    std::string folder = core::GetSpecialFolderPath(core::SpecialFolder::Documents);
    return core::IncludeTrailingPathDelimiter(folder) + (title_.empty() ? "Document" : title_) +
           ".pdf";
}

TCanvas& TPrinter::Canvas() {
    return canvas_;
}

int TPrinter::PageWidth() const {
    return PageWidthPixels;
}

int TPrinter::PageHeight() const {
    return PageHeightPixels;
}

void TPrinter::BeginDoc() {
    if (printing_) throw core::Exception("Printing in progress");
    std::string fileName = OutputFileName();
    auto document = std::make_unique<Document>(fileName);
    document->writer.setResolution(Resolution);
    document->writer.setPageSize(QPageSize(QPageSize::A4));
    document->writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    document->writer.setTitle(QString::fromStdString(title_));
    if (!document->painter.begin(&document->writer))
        throw core::Exception("Printer is not able to print to " + fileName);
    document_ = std::move(document);
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    StartPage();
}

void TPrinter::StartPage() {
    dc_ = CreateCompatibleDC(NullDC);
    page_ = CreateBitmap(PageWidthPixels, PageHeightPixels, 1, 24, nullptr);
    BitmapSurface(page_)->Fill(0xFFFFFF);
    oldBitmap_ = SelectObject(dc_, page_);
    canvas_.SetHandle(dc_);
}

void TPrinter::FlushPage() {
    canvas_.SetHandle(NullDC);
    if (document_ && !aborted_) {
        QImage image = BitmapSurface(page_)->ToImage();
        document_->painter.drawImage(QRect(0, 0, PageWidthPixels, PageHeightPixels), image);
    }
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    DeleteObject(page_);
    dc_ = NullDC;
    page_ = NullObject;
}

void TPrinter::NewPage() {
    if (!printing_) throw core::Exception("Printer is not currently printing");
    FlushPage();
    document_->writer.newPage();
    ++pageNumber_;
    StartPage();
}

void TPrinter::EndDoc() {
    if (!printing_) throw core::Exception("Printer is not currently printing");
    FlushPage();
    document_->painter.end();
    document_.reset();
    printing_ = false;
}

void TPrinter::Abort() {
    if (!printing_) return;
    aborted_ = true;
    FlushPage();
    document_->painter.end();
    std::error_code ignored;
    std::filesystem::remove(document_->fileName, ignored);
    document_.reset();
    printing_ = false;
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}

} // namespace platform::gdi
