#pragma once
// Printed listings go to the class library's printer object. There is no printer driver
// behind it: each job becomes a PDF document named after the job title in the data folder
// (the documents folder's "Quintaron" folder), "Quintaron.pdf", replaced by the next job; the
// user is told where it went.

#include "model/print/print_target.h"

#include <string>

namespace app {

// The job title the program prints under, and so the name of its PDF.
inline constexpr const char* PrintJobTitle = "Quintaron";
// Followed by the file's name.
inline constexpr const char* PrintedTo = "The listing was written to ";

class TPrinterTarget : public model::TPrintTarget {
public:
    // Gives the printer in place its job title.
    TPrinterTarget();

    // Where the jobs are written.
    std::string OutputFileName() const;

    void BeginDoc() override;
    // Then tells the user which file the job went to, when it went to one.
    void EndDoc() override;
    void Abort() override;
    void NewPage() override;
    int PageWidth() override;
    int PageHeight() override;
    void SetFont(const std::string& name, int size) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
};

} // namespace app
