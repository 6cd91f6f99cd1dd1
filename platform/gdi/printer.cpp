#include "platform/gdi/printer.h"

#include "platform/core/exception.h"
#include "platform/core/folders.h"
#include "platform/gdi/drawing.h"
#include "platform/gdi/surface.h"

namespace platform::gdi {

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
    return PrintPageWidth;
}

int TPrinter::PageHeight() const {
    return PrintPageHeight;
}

void TPrinter::BeginDoc() {
    if (printing_) throw core::Exception("Printing in progress");
    BeginDoc(OpenPdfFile(OutputFileName(), title_));
}

void TPrinter::BeginDoc(std::unique_ptr<TPrintOutput> output) {
    if (printing_) throw core::Exception("Printing in progress");
    output_ = std::move(output);
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    StartPage();
}

void TPrinter::StartPage() {
    dc_ = CreateCompatibleDC(NullDC);
    page_ = CreateBitmap(PrintPageWidth, PrintPageHeight, 1, 24, nullptr);
    BitmapSurface(page_)->Fill(0xFFFFFF);
    oldBitmap_ = SelectObject(dc_, page_);
    canvas_.SetHandle(dc_);
}

void TPrinter::FlushPage() {
    if (page_ == NullObject) return;
    canvas_.SetHandle(NullDC);
    auto release = [this] {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
        DeleteObject(page_);
        dc_ = NullDC;
        page_ = NullObject;
    };
    try {
        if (output_ && !aborted_) output_->PrintPage(*BitmapSurface(page_));
    } catch (...) {
        release();
        throw;
    }
    release();
}

void TPrinter::NewPage() {
    if (!printing_) throw core::Exception("Printer is not currently printing");
    FlushPage();
    ++pageNumber_;
    StartPage();
}

void TPrinter::EndDoc() {
    if (!printing_) throw core::Exception("Printer is not currently printing");
    FlushPage();
    std::unique_ptr<TPrintOutput> output = std::move(output_);
    printing_ = false;
    output->EndDoc();
}

void TPrinter::Abort() {
    if (!printing_) return;
    aborted_ = true;
    FlushPage();
    std::unique_ptr<TPrintOutput> output = std::move(output_);
    printing_ = false;
    if (output) output->Abort();
}

} // namespace platform::gdi
