#include "toolkit/bars/model/dx_bar_backgrounds.h"

namespace toolkit::bars {

namespace pf = platform::forms;

TdxBarBackgrounds::TdxBarBackgrounds()
    : FBar(std::make_unique<pf::TBitmap>()), FSubMenu(std::make_unique<pf::TBitmap>()) {}

TdxBarBackgrounds::~TdxBarBackgrounds() = default;

void TdxBarBackgrounds::SetBar(const pf::TBitmap& Value) {
    const bool WasEmpty = FBar->Empty();
    FBar->Assign(Value);
    if ((!Value.Empty() || !WasEmpty) && OnBarChange) OnBarChange();
}

void TdxBarBackgrounds::Assign(TdxBarBackgrounds& Source) {
    SetBar(Source.Bar());
    SetSubMenu(Source.SubMenu());
}

} // namespace toolkit::bars
