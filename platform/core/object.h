#pragma once
// The root of the class library: every class of it derives from TObject, and events that
// name their sender pass it as a TObject*.

#include <functional>

namespace platform::core {

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

} // namespace platform::core
