#pragma once
// The base of the library's property and style objects: a persistent object that knows its
// owner from the moment it is made.

#include "platform/core/class_reference.h"
#include "platform/core/persistent.h"

namespace toolkit::base {

class TcxInterfacedPersistent;
using TcxInterfacedPersistentClass =
    platform::core::TClassOf<TcxInterfacedPersistent, platform::core::TPersistent*>;

class TcxInterfacedPersistent : public platform::core::TPersistent {
public:
    explicit TcxInterfacedPersistent(platform::core::TPersistent* AOwner) : FOwner(AOwner) {}

    static const TcxInterfacedPersistentClass& ClassRef();
    const TcxInterfacedPersistentClass& ClassType() const override { return ClassRef(); }

    platform::core::TPersistent* GetOwner() const override { return FOwner; }

private:
    platform::core::TPersistent* FOwner;
};

} // namespace toolkit::base
