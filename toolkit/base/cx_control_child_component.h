#pragma once
// A component that belongs to a TcxControl without being a window of its own (a column, a
// band, a sub-object a designer lists with the control): its parent component is its control.
// The control hears of it joining and leaving (AddChildComponent, RemoveChildComponent); when
// the control goes first, the component is left without one.

#include "toolkit/base/cx_component.h"

#include <memory>

namespace toolkit::base {

class TcxControl;

class TcxControlChildComponent : public TcxComponent {
public:
    explicit TcxControlChildComponent(platform::core::TComponent* AOwner);
    // Leaves its control (RemoveChildComponent).
    ~TcxControlChildComponent() override;

    // Made for AControl, initialised: kept by the control's owner when AAssignOwner (and the
    // control has one), else by the caller (the result holds it).
    template <class T = TcxControlChildComponent>
    static std::unique_ptr<T> CreateEx(TcxControl& AControl, bool AAssignOwner, T** Made) {
        auto C = std::make_unique<T>(nullptr);
        T* Raw = C.get();
        if (Made) *Made = Raw;
        static_cast<TcxControlChildComponent*>(Raw)->InitializeComponent();
        static_cast<TcxControlChildComponent*>(Raw)->SetControl(&AControl);
        if (AAssignOwner && OwnerOf(AControl)) {
            OwnerOf(AControl)->InsertComponent(std::move(C));
            return nullptr;
        }
        return C;
    }

    TcxControl* Control() const { return FControl; }
    // Joins AControl through its AddChildComponent, leaving the previous one first.
    void SetParentComponent(platform::core::TComponent* Value) override;
    platform::core::TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    bool IsDestroying() const;

protected:
    // CreateEx runs it once the whole object exists (a constructor cannot reach the
    // descendant's override); empty in the base.
    virtual void InitializeComponent() {}
    // Only stores: AddChildComponent and RemoveChildComponent call it.
    virtual void SetControl(TcxControl* Value);
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;

private:
    friend class TcxControl;
    static platform::core::TComponent* OwnerOf(TcxControl& AControl);
    TcxControl* FControl = nullptr;
};

} // namespace toolkit::base
