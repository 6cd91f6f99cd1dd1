#include "app/printer_target.h"

#include "model/elements/library.h"
#include "model/files/data_folders.h"
#include "model/program/dialog_services.h"
#include "platform/core/folders.h"
#include "platform/core/text.h"
#include "platform/forms/printers.h"

namespace app {

namespace forms = platform::forms;
namespace gdi = platform::gdi;
namespace pc = platform::core;

std::string ListingFileName(const model::TLibrary* Library) {
    std::string folder;
    std::string name;
    if (Library != nullptr && model::CanSaveDirectly(Library->FileName)) {
        folder = pc::ExtractFileDir(Library->FileName);
        name = pc::ChangeFileExt(pc::ExtractFileName(Library->FileName), "");
    } else {
        folder = model::GetDefaultDataFolder();
        if (Library != nullptr) name = pc::ChangeFileExt(Library->GetName(), "");
    }
    if (name.empty()) name = PrintJobTitle;
    const std::string stem =
        folder.empty() ? name : pc::IncludeTrailingPathDelimiter(folder) + name;
    auto taken = [](const std::string& file) {
        return pc::FileExists(file) || pc::DirectoryExists(file);
    };
    std::string file = stem + ".pdf";
    for (int copy = 2; taken(file); ++copy)
        file = stem + " (" + std::to_string(copy) + ").pdf";
    return file;
}

TPrinterTarget::TPrinterTarget() {
    forms::Printer().Title = PrintJobTitle;
}

void TPrinterTarget::BeginDoc(const model::TLibrary* Library) {
    forms::TPrinter& printer = forms::Printer();
    printer.FileName = ListingFileName(Library);
    printer.BeginDoc();
}

void TPrinterTarget::EndDoc() {
    forms::TPrinter& printer = forms::Printer();
    printer.EndDoc();
    if (printer.PrinterName().empty())
        model::MessageDlg(PrintedTo + pc::Utf8ToAnsi(printer.OutputFileName()),
                          model::TMsgDlgType::mtInformation, model::mbOK);
}

void TPrinterTarget::Abort() {
    forms::Printer().Abort();
}

void TPrinterTarget::NewPage() {
    forms::Printer().NewPage();
}

int TPrinterTarget::PageWidth() {
    return forms::Printer().PageWidth();
}

int TPrinterTarget::PageHeight() {
    return forms::Printer().PageHeight();
}

void TPrinterTarget::SetFont(const std::string& name, int size) {
    gdi::TFont& font = forms::Printer().Canvas().Font();
    font.SetName(name);
    font.SetSize(size);
    font.SetPitch(gdi::TFontPitch::fpDefault);
    font.SetStyle(0);
}

int TPrinterTarget::TextWidth(const std::string& text) {
    return forms::Printer().Canvas().TextWidth(text);
}

int TPrinterTarget::TextHeight(const std::string& text) {
    return forms::Printer().Canvas().TextHeight(text);
}

void TPrinterTarget::TextOut(int x, int y, const std::string& text) {
    forms::Printer().Canvas().TextOut(x, y, text);
}

void TPrinterTarget::Line(int x1, int y1, int x2, int y2) {
    gdi::TCanvas& canvas = forms::Printer().Canvas();
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void TPrinterTarget::Rectangle(int x1, int y1, int x2, int y2) {
    forms::Printer().Canvas().Rectangle(x1, y1, x2, y2);
}

} // namespace app
