// Under Qt's offscreen platform: the pages' windows need the application object.

#include "testsupport/qt_test_environment.h"

#include <QApplication>

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("editors_tests");

} // namespace
