// Under Qt's offscreen platform: windows need the application object, and the printer's font
// engine finds the installed fonts through it.

#include "testsupport/qt_test_environment.h"

#include <QApplication>

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("app_tests");

} // namespace
