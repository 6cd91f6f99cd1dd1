#include "toolkit/base/interfaced_persistent.h"

namespace toolkit::base {

const TcxInterfacedPersistentClass& TcxInterfacedPersistent::ClassRef() {
    static const TcxInterfacedPersistentClass Class(
        "TcxInterfacedPersistent", &platform::core::TPersistent::ClassRef(),
        platform::core::ConstructorOf<TcxInterfacedPersistent, TcxInterfacedPersistent,
                                      platform::core::TPersistent*>());
    return Class;
}

} // namespace toolkit::base
