#pragma once
// The printer canvas: a document drawn a page at a time at PrintResolution on an A4 sheet, with
// the same device contexts as the screen. Each finished page goes to the document's output: a
// PDF file (OutputFileName, by default the title, or "Document", plus ".pdf" in the user's
// documents folder) unless the document was begun on another output (a printer's).

#include "platform/gdi/canvas.h"
#include "platform/gdi/print_output.h"

#include <memory>
#include <string>

namespace platform::gdi {

class TPrinter : public core::TObject {
public:
    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Starts a document on page 1, into the PDF file. Raises core::Exception("Printing in
    // progress") when a document is open already, and core::Exception("Printer is not able to
    // print to <file>") when the file cannot be opened.
    void BeginDoc();
    // The same, its pages going to output.
    void BeginDoc(std::unique_ptr<TPrintOutput> output);
    // Finishes the page and the document. Raises "Printer is not currently printing" when no
    // document is open, and the output's error when it cannot take the document.
    void EndDoc();
    // Finishes the page and starts the next; the same error as EndDoc.
    void NewPage();
    // Drops the document: the output takes nothing more and hands nothing over.
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

    static constexpr int Resolution = PrintResolution;

private:
    void StartPage();
    // Hands the page to the output unless the document was aborted, and frees it.
    void FlushPage();

    std::unique_ptr<TPrintOutput> output_;
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

} // namespace platform::gdi
