#pragma once
// A page or group panel of an element window as the drag code sees it (model::TPagePanel): its
// component name and Tag, its colour as the selection (clAqua selected, clBtnFace not) and the
// group panel it lies in. The window keeps one for each of its panels, for as long as it lives.

#include "model/editing/page_panels.h"
#include "platform/forms/ext_ctrls.h"

#include <cstdint>
#include <string>

namespace editors {

class TPagePanelOf final : public model::TPagePanel {
public:
    // group: the group panel's own; null for a group panel.
    TPagePanelOf(platform::forms::TPanel& panel, const TPagePanelOf* group)
        : panel_(panel), group_(group) {}

    std::string Name() const override { return panel_.Name; }
    std::int32_t Tag() const override { return static_cast<std::int32_t>(panel_.Tag); }
    bool Highlighted() const override;
    void SetHighlighted(bool highlighted) override;
    const model::TPagePanel* Group() const override { return group_; }
    // Not immediate: a double-click stays a double-click.
    void BeginDrag() override { panel_.BeginDrag(false); }

    platform::forms::TPanel& Panel() const { return panel_; }

private:
    platform::forms::TPanel& panel_;
    const TPagePanelOf* group_;
};

} // namespace editors
