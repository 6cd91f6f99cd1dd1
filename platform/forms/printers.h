#pragma once
// The class library's printer object as the program uses it: a document of pages drawn on a
// canvas at 300 pixels per inch. Every document becomes a PDF file in the data folder (the
// documents folder's "Quintaron" folder), named after the title; where the system has a
// default printer (CUPS), the finished file is also handed to it. Tests put a printer of their
// own in place (SetPrinter).

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

TPrinter& Printer();
// Puts another printer in place (nullptr: the PDF printer again); returns the one before.
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

} // namespace platform::forms
