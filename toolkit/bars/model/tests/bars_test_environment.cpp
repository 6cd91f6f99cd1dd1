#include "testsupport/qt_test_environment.h"

#include <QApplication>

namespace {

[[maybe_unused]] auto* const environment =
    testsupport::AddQtTestEnvironment<QApplication>("toolkit_bars_model_tests");

} // namespace
