#include "platform/forms/clipbrd.h"

#include "platform/core/text.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

namespace platform::forms {

namespace {

int& BeepCount() {
    static int count = 0;
    return count;
}

// Without a running Qt (a tool, a test without one) the text stays in the process.
std::string& LocalText() {
    static std::string text;
    return text;
}

} // namespace

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

std::string TClipboard::AsText() const {
    if (!QGuiApplication::instance()) return LocalText();
    QString text = QGuiApplication::clipboard()->text();
    return core::Utf8ToAnsi(text.toStdString());
}

void TClipboard::SetAsText(const std::string& text) {
    LocalText() = text;
    if (!QGuiApplication::instance()) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(core::AnsiToUtf8(text)));
}

bool TClipboard::HasText() const {
    return !AsText().empty();
}

void TClipboard::Clear() {
    LocalText().clear();
    if (QGuiApplication::instance()) QGuiApplication::clipboard()->clear();
}

bool MessageBeep(unsigned) {
    ++BeepCount();
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
    return true;
}

int MessageBeepCount() {
    return BeepCount();
}

} // namespace platform::forms
