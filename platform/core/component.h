#pragma once
// The class library's component: a named object that may own others and free them with itself,
// and that can ask to hear when another component goes away.

#include "platform/core/class_reference.h"
#include "platform/core/persistent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform::core {

enum TOperation { opInsert, opRemove };

// A set of the flags below.
using TComponentState = unsigned;
inline constexpr TComponentState csLoading = 1u << 0;
inline constexpr TComponentState csDesigning = 1u << 1;
inline constexpr TComponentState csDestroying = 1u << 2;

class TComponent;
// Components are created by class with their owner, as a form's reader creates them.
using TComponentClass = TClassOf<TComponent, TComponent*>;

class TComponent : public TPersistent {
public:
    static const TComponentClass& ClassRef();
    const TClass& ClassType() const override { return ClassRef(); }

    // Remembers the owner only; Own() is what makes an owner keep and free a component.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Creates T(this, args...) owned by this component; it lives until FreeComponent or until
    // this component is destroyed, which frees its components last created first.
    template <class T, class... Args> T& Own(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *component;
        InsertComponent(std::move(component));
        return result;
    }
    // Makes a component created elsewhere (by class) one of this component's own, and its
    // owner if it named another.
    TComponent& InsertComponent(std::unique_ptr<TComponent> component);
    // Frees one of this component's own components now.
    void FreeComponent(TComponent& component);

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const {
        return components_.at(static_cast<std::size_t>(index)).get();
    }
    TComponentState ComponentState() const { return state_; }

    // Loading (a form stream being read, or a TLoadingBracket in force when the component was
    // made): setters only store, Loaded applies.
    void BeginLoading();
    void EndLoading();

    // Links this component and other both ways: whichever goes first, the other hears of it
    // through Notification(gone, opRemove). Linking twice links once.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    std::string Name;
    // Renames the component the way a designer or a form stream does: a descendant that reacts
    // to its name (or renames what follows it) overrides this. Assigning Name only names.
    virtual void SetName(const std::string& NewName) { Name = NewName; }
    // Where a designer shows a component that has no window: left in the low 16 bits, top in
    // the high 16 bits.
    std::int32_t DesignInfo = 0;

    // The form stream's tree (platform/core/filer.h): the components written inside this one
    // while Root is written (none in the base), and, for a component written inside another
    // one, that other one.
    virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const;
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // A component read inside Parent is handed it before its properties are read.
    virtual void SetParentComponent(TComponent* Parent) { (void)Parent; }

protected:
    virtual void Loaded();
    // opInsert when a component becomes this one's own, opRemove when one of this one's own
    // or a linked component goes away (it is being destroyed: compare it, do not use it).
    // The base passes the news on to this component's own components and drops a free
    // notification link to a removed component.
    virtual void Notification(TComponent* component, TOperation operation);
    // Design mode for this component and its own ones.
    void SetDesigning(bool value);

protected:
    // Frees the owned components, last created first. The base destructor does it when the
    // descendant's part is gone already; a descendant whose components still call it frees them
    // first, in its own destructor.
    void DestroyComponents();

private:
    void MarkDestroying();
    void SendFreeNotifications();

    TComponent* owner_;
    TComponentState state_ = 0;
    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TComponent*> freeNotifies_;
};

} // namespace platform::core
