#include "app/printer_target.h"

#include "model/program/dialog_services.h"
#include "platform/core/text.h"
#include "platform/forms/printers.h"

namespace app {

namespace forms = platform::forms;
namespace gdi = platform::gdi;

TPrinterTarget::TPrinterTarget() {
    forms::Printer().Title = PrintJobTitle;
}

std::string TPrinterTarget::OutputFileName() const {
    return forms::Printer().OutputFileName();
}

void TPrinterTarget::BeginDoc() {
    forms::Printer().BeginDoc();
}

void TPrinterTarget::EndDoc() {
    forms::Printer().EndDoc();
    const std::string file = forms::Printer().OutputFileName();
    if (!file.empty())
        model::MessageDlg(PrintedTo + platform::core::Utf8ToAnsi(file),
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
