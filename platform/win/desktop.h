#pragma once
// The program's connection to the desktop, made in main before the first window, text or font
// and gone after the last: without it windows cannot show and text falls back to built-in
// metrics. One per process. Headless, it runs on Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include <memory>

class QApplication;

namespace platform::win {

class TDesktop {
public:
    // argc and argv are the program's own and must outlive the desktop.
    TDesktop(int& argc, char** argv, bool headless = false);
    ~TDesktop();
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

private:
    std::unique_ptr<QApplication> application_;
};

} // namespace platform::win
