#pragma once
// Where a printer's finished pages go: a PDF file here, a printer of the system's in
// platform/win. Pages are the printer canvas's: an A4 sheet at PrintResolution pixels per inch.
// Whatever the output, the canvas measures the same, so that a listing lays out alike on paper
// and in a file.

#include "platform/gdi/surface.h"

#include <memory>
#include <string>

class QPainter;

namespace platform::gdi {

inline constexpr int PrintResolution = 300;
// A4 at PrintResolution.
inline constexpr int PrintPageWidth = 2480;
inline constexpr int PrintPageHeight = 3508;

class TPrintOutput {
public:
    virtual ~TPrintOutput() = default;
    // A finished page, in the order printed.
    virtual void PrintPage(const Surface& page) = 0;
    // The last page is done: the document is handed over. Raises core::Exception when it cannot
    // be.
    virtual void EndDoc() = 0;
    // Drops the document: nothing is handed over, and a file written so far is removed.
    virtual void Abort() = 0;
};

// A PDF document of A4 pages written to fileName as the pages come, titled title (UTF-8).
// Raises core::Exception("Printer is not able to print to <file>") when the file cannot be
// opened.
std::unique_ptr<TPrintOutput> OpenPdfFile(const std::string& fileName, const std::string& title);

// A page as a device takes it: one bit per pixel when it holds only black and white (a listing
// is text and lines), its own colours otherwise.
QImage PrinterPageImage(const Surface& page);
// Draws a page at the top left of the painter's device, scaled to fit its paint area with its
// proportions kept: the whole sheet on an A4 PDF page, the printable area of a printer's paper.
void DrawPrinterPage(QPainter& painter, const QImage& page);

} // namespace platform::gdi
