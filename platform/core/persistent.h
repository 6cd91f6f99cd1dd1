#pragma once
// The class library's persistent object: one that can copy another's state (Assign) and that
// names its owner, so that a property object can reach the component it belongs to.

#include "platform/core/class_reference.h"
#include "platform/core/exception.h"
#include "platform/core/object.h"

namespace platform::core {

class TFiler;

class TPersistent : public TObject {
public:
    static const TClass& ClassRef();
    const TClass& ClassType() const override { return ClassRef(); }

    // Copies Source's state into this object. The base asks Source to copy itself here
    // (AssignTo); when neither side knows the other, EConvertError "Cannot assign a <source
    // class> to a <this class>" is raised ("nil" for no source).
    virtual void Assign(const TPersistent* Source);
    // The object this one belongs to; nullptr by default.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    // The properties a form stream holds (platform/core/filer.h): those a designer lists, in the
    // order they are declared, written first; then the others. Each descendant defines its own
    // after its ancestor's, unless it means to leave the ancestor's out. The bases define none.
    virtual void DefinePublishedProperties(TFiler& Filer);
    virtual void DefineProperties(TFiler& Filer);
    friend class TReader;
    friend class TWriter;

private:
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

} // namespace platform::core
