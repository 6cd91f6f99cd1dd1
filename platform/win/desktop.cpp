#include "platform/win/desktop.h"

#include <QApplication>

#include <stdlib.h>

namespace platform::win {

TDesktop::TDesktop(int& argc, char** argv, bool headless) {
    if (headless) ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    application_ = std::make_unique<QApplication>(argc, argv);
}

TDesktop::~TDesktop() = default;

} // namespace platform::win
