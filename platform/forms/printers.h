#pragma once
// The class library's printer object as the program uses it: a document of pages drawn on a
// canvas at 300 pixels per inch on an A4 sheet. A document goes to the system's default printer
// when one is set up; without one it is written as a PDF file, FileName. Tests put a printer of
// their own in place (SetPrinter), or printers in place of the system's
// (platform::win::PrintersOverride).

#include "platform/gdi/canvas.h"

namespace platform::gdi {
class TPrinter;
}

#include <memory>
#include <string>

namespace platform::forms {

class TPrinter : public core::TObject {
public:
    TPrinter();
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Starts a document on page 1, on the default printer or else into OutputFileName. Raises
    // core::Exception("Printing in progress") when a document is open already, and the printer's
    // error when it cannot start.
    virtual void BeginDoc();
    // Finishes the document. A printer is handed the document only now: its error is raised
    // here.
    virtual void EndDoc();
    virtual void NewPage();
    // Drops the document: nothing reaches the printer, and a file written so far is removed.
    virtual void Abort();
    virtual gdi::TCanvas& Canvas();
    virtual int PageWidth() const;
    virtual int PageHeight() const;
    virtual int PageNumber() const;
    virtual bool Printing() const;
    // The job's name in the printer's queue, and the PDF's title.
    std::string Title;
    // Where a document is written when there is no printer (UTF-8).
    std::string FileName;
    // FileName, or when that is empty the title (or "Document") plus ".pdf" in the user's
    // documents folder.
    std::string OutputFileName() const;
    // The printer the document in progress, or the last, went to; empty when it was written
    // to OutputFileName.
    virtual std::string PrinterName() const { return printerName_; }

    static constexpr int Resolution = 300;

private:
    std::unique_ptr<gdi::TPrinter> device_;
    std::string printerName_;
};

TPrinter& Printer();
// Puts another printer in place (nullptr: the system's again); returns the one before.
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

} // namespace platform::forms
