#pragma once
// The Qt widget that stands for one window: its geometry is the window rectangle, it shows the
// window's surface as it is (forced opaque), and it hands every input event to the translator.

#include "platform/win/messages.h"

#include <QWidget>

namespace platform::win {

class HostWidget final : public QWidget {
public:
    HostWidget(HWND wnd, QWidget* parent, Qt::WindowFlags flags);
    HWND Handle() const { return wnd_; }

protected:
    bool event(QEvent* event) override;

private:
    void PaintSurface(const QRect& area);
    HWND wnd_;
};

// The widget that stands for wnd; nullptr when it has none (a child, a window not yet shown).
QWidget* HostWidgetOf(HWND wnd);

} // namespace platform::win
