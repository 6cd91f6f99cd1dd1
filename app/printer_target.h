#pragma once
// Printed listings go to the class library's printer object: to the desktop's default printer
// when one is set up. Without one, a listing is written as a PDF beside the file of the library
// it lists, named after it ("Live.pdf" beside "Live.Lib"); a library never saved, or whose file
// lies on no folder of this system, gets its PDF in the data folder, named after its name
// ("Untitled.pdf"). An earlier PDF is never written over: the next is "Live (2).pdf", and so on.
// The user is told which file a listing went to.

#include "model/print/print_target.h"

#include <string>

namespace app {

// The job title the program prints under; also the name of the PDF of elements in no library.
inline constexpr const char* PrintJobTitle = "Quintaron";
// Followed by the file's name.
inline constexpr const char* PrintedTo = "The listing was written to ";

// The PDF a listing of Library (null: of elements in no library) is written to now: the first
// of "<name>.pdf", "<name> (2).pdf", ... that does not exist yet.
std::string ListingFileName(const model::TLibrary* Library);

class TPrinterTarget : public model::TPrintTarget {
public:
    // Gives the printer in place its job title.
    TPrinterTarget();

    void BeginDoc(const model::TLibrary* Library) override;
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
