#pragma once
// The manager's two background bitmaps: one tiled behind toolbars, one behind sub-menus.

#include "platform/forms/graphics.h"

#include <functional>
#include <memory>

namespace toolkit::bars {

class TdxBarBackgrounds {
public:
    TdxBarBackgrounds();
    ~TdxBarBackgrounds();
    TdxBarBackgrounds(const TdxBarBackgrounds&) = delete;
    TdxBarBackgrounds& operator=(const TdxBarBackgrounds&) = delete;

    platform::forms::TBitmap& Bar() { return *FBar; }
    // Runs OnBarChange unless both the new and the old bitmap are empty.
    void SetBar(const platform::forms::TBitmap& Value);
    platform::forms::TBitmap& SubMenu() { return *FSubMenu; }
    // Menus read it when they draw: no reaction.
    void SetSubMenu(const platform::forms::TBitmap& Value) { FSubMenu->Assign(Value); }
    void Assign(TdxBarBackgrounds& Source);

    // The manager's style change.
    std::function<void()> OnBarChange;

private:
    std::unique_ptr<platform::forms::TBitmap> FBar;
    std::unique_ptr<platform::forms::TBitmap> FSubMenu;
};

} // namespace toolkit::bars
