#include "platform/core/class_reference.h"

#include "platform/core/text.h"

#include <algorithm>
#include <vector>

namespace platform::core {

const TClass& TObject::ClassRef() {
    static const TClass cls("TObject", nullptr);
    return cls;
}

const TClass& TObject::ClassType() const {
    return ClassRef();
}

bool TClass::InheritsFrom(const TClass* other) const {
    for (const TClass* cls = this; cls; cls = cls->parent_)
        if (cls == other) return true;
    return false;
}

bool IsInstanceOf(const TObject* obj, const TClass* cls) {
    return obj && obj->ClassType().InheritsFrom(cls);
}

namespace {

// UI thread only, as the streaming system that reads it.
std::vector<const TClass*>& Registered() {
    static std::vector<const TClass*> classes;
    return classes;
}

} // namespace

void RegisterClass(const TClass& cls) {
    if (const TClass* known = GetClass(cls.ClassName())) {
        if (known == &cls) return;
        throw EFilerError("A class named " + cls.ClassName() + " already exists");
    }
    Registered().push_back(&cls);
}

void UnRegisterClass(const TClass& cls) {
    std::erase(Registered(), &cls);
}

const TClass* GetClass(std::string_view name) {
    const auto& classes = Registered();
    auto found = std::find_if(classes.begin(), classes.end(),
                              [&](const TClass* cls) { return SameText(cls->ClassName(), name); });
    return found == classes.end() ? nullptr : *found;
}

const TClass& FindClass(std::string_view name) {
    if (const TClass* cls = GetClass(name)) return *cls;
    throw EClassNotFound("Class " + std::string(name) + " not found");
}

} // namespace platform::core
