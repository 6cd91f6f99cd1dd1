// The real font engine finds the installed fonts only through an application object; drawing
// needs no widgets.

#include "testsupport/qt_test_environment.h"

#include <QGuiApplication>

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QGuiApplication>("gdi_tests");

} // namespace
