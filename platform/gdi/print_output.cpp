#include "platform/gdi/print_output.h"

#include "platform/core/exception.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <filesystem>

namespace platform::gdi {

namespace {

class TPdfOutput final : public TPrintOutput {
public:
    TPdfOutput(const std::string& fileName, const std::string& title)
        : fileName_(fileName), writer_(QString::fromStdString(fileName)) {
        writer_.setResolution(PrintResolution);
        writer_.setPageSize(QPageSize(QPageSize::A4));
        writer_.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer_.setTitle(QString::fromStdString(title));
        if (!painter_.begin(&writer_))
            throw core::Exception("Printer is not able to print to " + fileName);
    }
    ~TPdfOutput() override {
        if (painter_.isActive()) Abort();
    }

    void PrintPage(const Surface& page) override {
        if (pages_++ > 0) writer_.newPage();
        DrawPrinterPage(painter_, PrinterPageImage(page));
    }
    void EndDoc() override {
        if (!painter_.end()) throw core::Exception("Printer is not able to print to " + fileName_);
    }
    void Abort() override {
        painter_.end();
        std::error_code ignored;
        std::filesystem::remove(fileName_, ignored);
    }

private:
    std::string fileName_;
    QPdfWriter writer_;
    QPainter painter_;
    int pages_ = 0;
};

} // namespace

std::unique_ptr<TPrintOutput> OpenPdfFile(const std::string& fileName, const std::string& title) {
    return std::make_unique<TPdfOutput>(fileName, title);
}

QImage PrinterPageImage(const Surface& page) {
    QImage mono(page.Width(), page.Height(), QImage::Format_Mono);
    mono.setColorCount(2);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    // Read straight from the rows: a sheet has nine million pixels.
    const int bytesPerPixel = page.BitsPerPixel() / 8;
    for (int y = 0; y < page.Height(); ++y) {
        const std::uint8_t* row =
            page.Bits() +
            static_cast<std::size_t>(page.BottomUp() ? page.Height() - 1 - y : y) * page.Stride();
        uchar* line = mono.scanLine(y);
        if (bytesPerPixel == 0) {
            // One bit per pixel already, 0 black and 1 white, as the colour table says.
            std::copy(row, row + (page.Width() + 7) / 8, line);
            continue;
        }
        std::fill(line, line + mono.bytesPerLine(), uchar(0xFF));
        const std::uint8_t* pixel = row;
        for (int x = 0; x < page.Width(); ++x, pixel += bytesPerPixel) {
            if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0)
                line[x >> 3] = static_cast<uchar>(line[x >> 3] & ~(0x80 >> (x & 7)));
            else if (pixel[0] != 0xFF || pixel[1] != 0xFF || pixel[2] != 0xFF)
                return page.ToImage();
        }
    }
    return mono;
}

void DrawPrinterPage(QPainter& painter, const QImage& page) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr || page.isNull()) return;
    const QSizeF fitted =
        QSizeF(page.size()).scaled(QSizeF(device->width(), device->height()), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(QPointF(0, 0), fitted), page);
}

} // namespace platform::gdi
