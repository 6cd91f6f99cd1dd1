#pragma once
// The print spooler, as far as the program prints: the system's printers are CUPS's, reached
// through its command-line tools (lpstat, lp); without them there is no printer. Documents are
// finished files (the PDF printer's) handed over whole.

#include "platform/win/messages.h"

#include <string>

namespace platform::win {

// The system's default printer; FALSE, with name left empty, when there is none.
BOOL GetDefaultPrinter(std::string* name);

// What a print job is: its name in the printer's queue, and the finished file it prints.
struct DOC_INFO_1 {
    std::string pDocName;
    std::string pOutputFile;
};
// Queues the document on the printer and returns at once: the spooler reads the file in its own
// time. FALSE when the spooler could not be started.
BOOL SpoolDocumentFile(const std::string& printer, const DOC_INFO_1& document);

} // namespace platform::win
