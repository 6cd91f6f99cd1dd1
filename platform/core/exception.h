#pragma once
// The root of the system's exceptions: every exception class the program raises derives
// from Exception and carries the text that a message box shows.

#include <stdexcept>
#include <string>

namespace platform::core {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A value that cannot be converted: a date out of range, an assignment between unrelated classes.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A silent abort: it unwinds a handler like any exception, and the application's handler
// ignores it rather than showing it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] inline void Abort() {
    throw EAbort();
}

} // namespace platform::core
