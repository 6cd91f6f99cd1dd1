// One QApplication for the whole test program, under Qt's offscreen platform, made before the
// first test: windows need it, and the printer's font engine finds the installed fonts through
// it.

#include <QApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QCoreApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app_.reset();
    }

private:
    int argc_ = 1;
    char name_[16] = "app_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<QtEnvironment>().release());

} // namespace
