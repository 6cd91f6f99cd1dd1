#pragma once
// The print spooler, as far as the program prints: the desktop's printers (CUPS's), found and
// printed on through Qt's print support. A document goes to its printer whole when it ends:
// its pages are kept until then, so that a document dropped on the way prints nothing.

#include "platform/gdi/print_output.h"
#include "platform/win/messages.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::win {

// The names of the system's printers.
std::vector<std::string> EnumPrinters();
// The system's default printer; FALSE, with name left empty, when none is set up.
BOOL GetDefaultPrinter(std::string* name);

// What a print job is: its name in the printer's queue (8-bit text), and, when not empty, the
// file the printer's output is written to (PDF) instead of the printer's queue.
struct DOC_INFO_1 {
    std::string pDocName;
    std::string pOutputFile;
};
// A document for the named printer. Each page is fitted to the printable area of the printer's
// paper with its proportions kept. Its EndDoc raises core::Exception("Printer is not able to
// print to <printer>") when the printer does not take the document.
std::unique_ptr<gdi::TPrintOutput> StartDocPrinter(const std::string& printer,
                                                   const DOC_INFO_1& document);

// A printer that stands in for the system's: what is printed on it goes, in Qt's PDF output
// format, to OutputFile.
struct StandInPrinter {
    std::string Name;
    std::string OutputFile;
};
// Puts printers in place of the system's for its lifetime (tests): these and no others, the
// first being the default; none is a system without printers. Overrides nest.
class PrintersOverride {
public:
    explicit PrintersOverride(std::vector<StandInPrinter> printers);
    ~PrintersOverride();
    PrintersOverride(const PrintersOverride&) = delete;
    PrintersOverride& operator=(const PrintersOverride&) = delete;

    const std::vector<StandInPrinter>& Printers() const { return printers_; }

private:
    std::vector<StandInPrinter> printers_;
    PrintersOverride* previous_;
};

} // namespace platform::win
