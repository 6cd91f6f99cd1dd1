#pragma once
// The page panels of an element window as the drag code sees them. Each page panel is named so
// that its name gives its page kind (Wave1..Wave4, Lfo21, TVF1, ...) and its Tag gives the tone
// or part; page panels lie in group panels. The element windows implement these.

#include "platform/core/object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace model {

class TPagePanel {
public:
    virtual ~TPagePanel() = default;

    virtual std::string Name() const = 0;
    virtual std::int32_t Tag() const = 0;
    // Selected pages are coloured clAqua, the others clBtnFace.
    virtual bool Highlighted() const = 0;
    virtual void SetHighlighted(bool highlighted) = 0;
    // The group panel the panel lies in; null for a group panel.
    virtual const TPagePanel* Group() const = 0;
    // Starts a drag of the panel once the mouse moves.
    virtual void BeginDrag() = 0;
};

class TPageForm {
public:
    virtual ~TPageForm() = default;

    // The window itself.
    virtual platform::core::TObject* Form() = 0;
    // Its page panels, in control order.
    virtual std::vector<TPagePanel*> PagePanels() = 0;
};

} // namespace model
