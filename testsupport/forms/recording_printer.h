#pragma once
// A printer for tests: put in place of the class library's (platform::forms::SetPrinter), it
// keeps the drawing calls of every page instead of printing them, as a recording context writes
// them.

#include "platform/forms/printers.h"

#include <string>
#include <vector>

namespace testsupport {

class TRecordingPrinter : public platform::forms::TPrinter {
public:
    TRecordingPrinter();
    ~TRecordingPrinter() override;

    void BeginDoc() override;
    void EndDoc() override;
    void NewPage() override;
    void Abort() override;
    platform::gdi::TCanvas& Canvas() override { return canvas_; }
    int PageWidth() const override;
    int PageHeight() const override;
    int PageNumber() const override { return static_cast<int>(pages_.size()); }
    bool Printing() const override { return printing_; }
    // A printer: nothing goes to a file.
    std::string PrinterName() const override { return "Recording"; }

    struct Document {
        std::string Title;
        // The calls of each page, as the recording context writes them.
        std::vector<std::vector<std::string>> Pages;
        bool Aborted = false;
    };
    const std::vector<Document>& Documents() const { return documents_; }

private:
    void FinishPage();
    platform::gdi::TCanvas canvas_;
    platform::gdi::HDC dc_{};
    platform::gdi::HBITMAP page_{};
    platform::gdi::HGDIOBJ oldBitmap_{};
    bool printing_ = false;
    std::vector<std::vector<std::string>> pages_;
    std::vector<Document> documents_;
};

} // namespace testsupport
