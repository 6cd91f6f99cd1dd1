#pragma once
// The class library's printer object as the program uses it: a document of pages drawn on a
// canvas at 300 pixels per inch. Every document becomes a PDF file in the data folder (the
// documents folder's "Quintaron" folder), named after the title; where the system has a
// default printer (CUPS), the finished file is also handed to it. Tests put a recording
// printer in place, which keeps what each page drew.

#include "platform/gdi/canvas.h"

namespace platform::gdi {
class TPrinter;
}

#include <memory>
#include <string>
#include <vector>

namespace platform::forms {

class TPrinter : public core::TObject {
public:
    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    virtual void BeginDoc();
    virtual void EndDoc();
    virtual void NewPage();
    virtual void Abort();
    virtual gdi::TCanvas& Canvas();
    virtual int PageWidth() const;
    virtual int PageHeight() const;
    virtual int PageNumber() const;
    virtual bool Printing() const;
    std::string Title;
    // Where the document went (or goes): the PDF file.
    virtual std::string OutputFileName() const;
    // The system's default printer; empty when there is none.
    static std::string DefaultPrinterName();

    static constexpr int Resolution = 300;

private:
    std::unique_ptr<gdi::TPrinter> device_;
};

// Keeps the drawing calls of every page instead of printing them.
class TRecordingPrinter : public TPrinter {
public:
    TRecordingPrinter();
    ~TRecordingPrinter() override;

    void BeginDoc() override;
    void EndDoc() override;
    void NewPage() override;
    void Abort() override;
    gdi::TCanvas& Canvas() override { return canvas_; }
    int PageWidth() const override;
    int PageHeight() const override;
    int PageNumber() const override { return static_cast<int>(pages_.size()); }
    bool Printing() const override { return printing_; }
    std::string OutputFileName() const override { return {}; }

    struct Document {
        std::string Title;
        // The calls of each page, as the recording context writes them.
        std::vector<std::vector<std::string>> Pages;
        bool Aborted = false;
    };
    const std::vector<Document>& Documents() const { return documents_; }

private:
    void FinishPage();
    gdi::TCanvas canvas_;
    gdi::HDC dc_{};
    gdi::HBITMAP page_{};
    gdi::HGDIOBJ oldBitmap_{};
    bool printing_ = false;
    std::vector<std::vector<std::string>> pages_;
    std::vector<Document> documents_;
};

TPrinter& Printer();
// Puts another printer in place (nullptr: the PDF printer again); returns the one before.
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

} // namespace platform::forms
