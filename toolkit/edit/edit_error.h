#pragma once
// Errors of the edit controls that are neither validation nor mask-compilation errors.

#include "platform/core/exception.h"

namespace toolkit::edit {

class EcxEditError : public platform::core::Exception {
public:
    using Exception::Exception;
};

} // namespace toolkit::edit
