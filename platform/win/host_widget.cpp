#include "platform/win/host_widget.h"

#include "platform/win/input_internal.h"
#include "platform/win/input_translator.h"
#include "platform/win/window_data.h"

#include "platform/gdi/surface.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace platform::win {

HostWidget::HostWidget(HWND wnd, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), wnd_(wnd) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    // Keys reach the top-level widget; the translator hands them to our own focus window.
    setFocusPolicy(isWindow() ? Qt::StrongFocus : Qt::NoFocus);
    hide();
}

bool HostWidget::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Paint:
        PaintSurface(static_cast<QPaintEvent*>(event)->rect());
        return true;
    case QEvent::Resize:
    case QEvent::Move:
        // Our own changes come back equal and change nothing.
        if (isWindow()) FollowHostGeometry(wnd_, *this);
        return QWidget::event(event);
    default:
        if (TranslateQtEvent(wnd_, event)) return true;
        return QWidget::event(event);
    }
}

void HostWidget::PaintSurface(const QRect& area) {
    auto* w = WindowOf(wnd_);
    if (w && w->layeredImage) {
        // A layered window's picture carries premultiplied alpha: it replaces what lies there.
        const gdi::Surface& picture = *w->layeredImage;
        const QImage image(picture.Bits(), picture.Width(), picture.Height(), picture.Stride(),
                           QImage::Format_ARGB32_Premultiplied);
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area, image, area);
        return;
    }
    if (!w || !w->surface) return;
    // Our pixels carry no meaningful alpha (drawing leaves 0): the screen gets them opaque.
    QImage image = w->surface->ToImage().convertToFormat(QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(area, image, area);
}

QWidget* HostWidgetOf(HWND wnd) {
    auto* w = WindowOf(wnd);
    return w ? w->host.data() : nullptr;
}

} // namespace platform::win
