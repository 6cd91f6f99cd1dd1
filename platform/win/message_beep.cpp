#include "platform/win/message_beep.h"

#include <QApplication>

namespace platform::win {

namespace {

int& BeepCount() {
    static int count = 0;
    return count;
}

} // namespace

BOOL MessageBeep(UINT) {
    ++BeepCount();
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
    return true;
}

int MessageBeepCount() {
    return BeepCount();
}

} // namespace platform::win
