#include "toolkit/bars/model/dx_bar_designer.h"

#include "toolkit/bars/model/dx_bar_manager.h"

namespace toolkit::bars {

namespace {

TdxBarDesigner* GDesigner = nullptr;

} // namespace

TdxBarDesigner* SetdxBarDesigner(TdxBarDesigner* Designer) {
    TdxBarDesigner* Previous = GDesigner;
    GDesigner = Designer;
    return Previous;
}

TdxBarDesigner* dxBarDesignerOf(const TdxBarManager& Manager) {
    return Manager.IsDesigning() ? GDesigner : nullptr;
}

} // namespace toolkit::bars
