#include "platform/core/persistent.h"

namespace platform::core {

const TClass& TPersistent::ClassRef() {
    static const TClass cls("TPersistent", &TObject::ClassRef());
    return cls;
}

void TPersistent::Assign(const TPersistent* Source) {
    if (!Source) AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
    Dest->AssignError(this);
}

void TPersistent::DefinePublishedProperties(TFiler&) {}

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignError(const TPersistent* Source) const {
    const std::string sourceName = Source ? Source->ClassType().ClassName() : "nil";
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassType().ClassName());
}

} // namespace platform::core
