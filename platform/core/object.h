#pragma once
// The root of the class library: every class of it derives from TObject, and events that
// name their sender pass it as a TObject*.

#include <functional>

namespace platform::core {

class TClass;

class TObject {
public:
    virtual ~TObject() = default;

    // The class object of TObject itself (platform/core/class_reference.h).
    static const TClass& ClassRef();
    // The object's run-time class: the nearest class up its line that has a class object of its
    // own (each such class overrides this with its own ClassRef()).
    virtual const TClass& ClassType() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace platform::core
