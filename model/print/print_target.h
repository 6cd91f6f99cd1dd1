#pragma once
// The printer as the printing routines see it: one print job at a time, a page at a time, drawn
// in printer pixels on the printer's canvas. The application installs one over its printer
// object; with none installed nothing is printed.

#include <string>

namespace model {

class TLibrary;

class TPrintTarget {
public:
    virtual ~TPrintTarget() = default;

    // Starts the job of a listing of Library (null: of elements in no library) on its first
    // page; raises the printer's error when it cannot.
    virtual void BeginDoc(const TLibrary* Library) = 0;
    // Finishes the last page and the job.
    virtual void EndDoc() = 0;
    // Drops the job in progress and whatever it printed; nothing without one.
    virtual void Abort() = 0;
    // Finishes the page and starts the next.
    virtual void NewPage() = 0;

    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;

    // The canvas font: face and size in points, default pitch, no style.
    virtual void SetFont(const std::string& name, int size) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Text with its top left corner at x, y.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // A line with the canvas pen from x1, y1 up to x2, y2, the end point not drawn.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // The outline in the canvas pen, filled with the canvas brush.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
};

// The installed printer, or null.
TPrintTarget* PrintTarget();
void SetPrintTarget(TPrintTarget* target);

} // namespace model
