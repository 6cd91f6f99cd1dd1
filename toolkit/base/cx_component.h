#pragma once
// The component base of the library: its destruction clears every object link that points at
// it, and at design time it remembers the components it links to.

#include "platform/core/component.h"

#include <array>
#include <vector>

namespace toolkit::base {

class TcxComponent : public platform::core::TComponent {
public:
    using TComponent::TComponent;
    ~TcxComponent() override;

    // Filled after loading at design time: the first three components that
    // GetDesignTimeComponents names (nullptr where it names fewer, or once one is freed).
    platform::core::TComponent* DesignTimeComponents(int Index) const {
        return FDesignTimeComponents.at(static_cast<std::size_t>(Index));
    }

protected:
    void Loaded() override;
    void Notification(platform::core::TComponent* AComponent,
                      platform::core::TOperation Operation) override;
    // A component adds the components that it links to at design time.
    virtual void GetDesignTimeComponents(std::vector<platform::core::TComponent*>& List);

private:
    std::array<platform::core::TComponent*, 3> FDesignTimeComponents{};
};

} // namespace toolkit::base
