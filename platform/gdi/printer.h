#pragma once
// The class library's printer object: one process-wide printer whose canvas draws a page at a
// time at 300 pixels per inch on an A4 sheet, with the same device contexts as the screen; each
// finished page goes into a PDF document. The document is written to OutputFileName, by default
// the title (or "Document") plus ".pdf" in the user's documents folder.

#include "platform/gdi/canvas.h"

#include <memory>
#include <string>

namespace platform::gdi {

class TPrinter : public core::TObject {
public:
    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Starts a document on page 1. Raises core::Exception("Printing in progress") when a
    // document is open already, and core::Exception("Printer is not able to print to <file>")
    // when the file cannot be opened.
    void BeginDoc();
    // Finishes the page and the document. Raises "Printer is not currently printing" when no
    // document is open.
    void EndDoc();
    // Finishes the page and starts the next; the same error as EndDoc.
    void NewPage();
    // Drops the document and its file.
    void Abort();

    TCanvas& Canvas();
    int PageWidth() const;
    int PageHeight() const;
    int PageNumber() const { return pageNumber_; }
    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    std::string OutputFileName() const;
    void SetOutputFileName(const std::string& fileName) { outputFileName_ = fileName; }

    static constexpr int Resolution = 300;

private:
    void StartPage();
    void FlushPage();

    struct Document;
    std::unique_ptr<Document> document_;
    TCanvas canvas_;
    HDC dc_{};
    HBITMAP page_{};
    HGDIOBJ oldBitmap_{};
    int pageNumber_ = 0;
    bool printing_ = false;
    bool aborted_ = false;
    std::string title_;
    std::string outputFileName_;
};

// The printer of the process.
TPrinter& Printer();

} // namespace platform::gdi
