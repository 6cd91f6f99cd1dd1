#include "testsupport/forms/recording_printer.h"

#include "platform/core/exception.h"
#include "platform/gdi/blit.h"
#include "testsupport/gdi/recording_dc.h"

namespace testsupport {

namespace core = platform::core;
namespace gdi = platform::gdi;

namespace {

// A4 at 300 dpi, as the class library's printer lays it out.
constexpr int A4Width = 2480;
constexpr int A4Height = 3508;

} // namespace

TRecordingPrinter::TRecordingPrinter() {
    // As on the class library's printer: fonts are sized in points at the sheet's resolution.
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
    dc_ = CreateRecordingDC();
    // A page of one bit per pixel keeps a 300-dpi sheet small; the calls are what tests read.
    page_ = gdi::CreateBitmap(A4Width, A4Height, 1, 1, nullptr);
    oldBitmap_ = gdi::SelectObject(dc_, page_);
    canvas_.SetHandle(dc_);
    canvas_.Refresh();
    pages_.emplace_back();
}

void TRecordingPrinter::FinishPage() {
    pages_.back() = RecordedCalls(dc_);
    ClearRecordedCalls(dc_);
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

} // namespace testsupport
