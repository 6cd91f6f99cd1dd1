#pragma once
// The listing of a whole library, as the main window's Print command prints it: a framed title
// with the library's name and the moment of printing, then every element in list order.

namespace model {

class TLibrary;

// One print job. A job that fails on the way is dropped, and the printer's error is raised.
void PrintLibrary(TLibrary& library);

} // namespace model
