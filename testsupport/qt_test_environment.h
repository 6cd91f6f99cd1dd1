#pragma once
// One Qt application object for a whole test program, made before the first test and gone
// after the last: windows and the font engine need one, and Qt allows only one a process.
// It runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise, so that a test
// program needs no display wherever it is started from.
// Header-only, so that a test program needs no more than Qt and GoogleTest to use it.

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <memory>
#include <stdlib.h>
#include <string>
#include <utility>

namespace testsupport {

// Application is QApplication where the tests make windows, QGuiApplication where they
// only draw.
template <typename Application> class QtTestEnvironment final : public ::testing::Environment {
public:
    explicit QtTestEnvironment(std::string programName) : name_(std::move(programName)) {}
    // argv_ points into name_.
    QtTestEnvironment(const QtTestEnvironment&) = delete;
    QtTestEnvironment& operator=(const QtTestEnvironment&) = delete;

    void SetUp() override {
        if (QCoreApplication::instance()) return;
        ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
        app_ = std::make_unique<Application>(argc_, argv_);
    }
    void TearDown() override {
        // What the last test left for deferred deletion must go while the application is
        // still there.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app_.reset();
    }

private:
    // Qt holds on to the arguments for the application's whole life.
    int argc_ = 1;
    std::string name_;
    char* argv_[2] = {name_.data(), nullptr};
    std::unique_ptr<Application> app_;
};

// GoogleTest owns the environment from then on.
template <typename Application>
::testing::Environment* AddQtTestEnvironment(std::string programName) {
    return ::testing::AddGlobalTestEnvironment(
        std::make_unique<QtTestEnvironment<Application>>(std::move(programName)).release());
}

} // namespace testsupport
