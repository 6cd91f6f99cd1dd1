#pragma once
// Class references: a class as a value. Registries map classes to classes and look for the
// nearest ancestor, painters are classes whose class-level operations are virtual, and objects
// are created from a class chosen at run time. Each class used that way has one class object,
// a function-local static returned by its ClassRef(); a family with class-level operations
// derives its own class object type from TClass.

#include "platform/core/exception.h"
#include "platform/core/object.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform::core {

class TClass {
public:
    TClass(std::string_view name, const TClass* parent) : name_(name), parent_(parent) {}
    virtual ~TClass() = default;
    TClass(const TClass&) = delete;
    TClass& operator=(const TClass&) = delete;

    const std::string& ClassName() const { return name_; }
    // nullptr for TObject.
    const TClass* ClassParent() const { return parent_; }
    // True for the class itself and for its descendants; false for nullptr.
    bool InheritsFrom(const TClass* other) const;

private:
    std::string name_;
    const TClass* parent_;
};

// A class of the family rooted in Base whose virtual constructor takes Args: `Create` makes an
// object of the very class the reference stands for. An abstract class has no constructor, and
// creating from it raises EAbstractError.
template <class Base, class... Args> class TClassOf : public TClass {
public:
    using TConstructor = std::function<std::unique_ptr<Base>(Args...)>;

    TClassOf(std::string_view name, const TClass* parent, TConstructor constructor = nullptr)
        : TClass(name, parent), constructor_(std::move(constructor)) {}

    bool IsAbstract() const { return !constructor_; }
    std::unique_ptr<Base> Create(Args... args) const;

private:
    TConstructor constructor_;
};

// The constructor of class T for a class object of Base's family.
template <class T, class Base, class... Args>
typename TClassOf<Base, Args...>::TConstructor ConstructorOf() {
    return [](Args... args) -> std::unique_ptr<Base> {
        return std::make_unique<T>(std::forward<Args>(args)...);
    };
}

class EAbstractError : public Exception {
public:
    using Exception::Exception;
};

class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

class EFilerError : public Exception {
public:
    using Exception::Exception;
};

// obj is of class cls or of a descendant; false for a nullptr object.
bool IsInstanceOf(const TObject* obj, const TClass* cls);

// The streaming system's table of classes by name. A class registered twice is registered once;
// another class under a name already taken raises EFilerError. Names compare without case.
void RegisterClass(const TClass& cls);
void UnRegisterClass(const TClass& cls);
// nullptr when no class of that name is registered.
const TClass* GetClass(std::string_view name);
// As GetClass, but raises EClassNotFound.
const TClass& FindClass(std::string_view name);

template <class Base, class... Args>
std::unique_ptr<Base> TClassOf<Base, Args...>::Create(Args... args) const {
    if (!constructor_) throw EAbstractError("Abstract Error: " + ClassName());
    return constructor_(std::forward<Args>(args)...);
}

} // namespace platform::core
