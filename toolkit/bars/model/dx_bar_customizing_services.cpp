// The floors below without customizing: what they ask of it when no customizing floor is
// installed.

#include "toolkit/bars/model/dx_bar_customizing_services.h"

namespace toolkit::bars {

namespace {

TdxBarCustomizingServices*& Installed() {
    static TdxBarCustomizingServices* installed = nullptr;
    return installed;
}

} // namespace

TdxBarCustomizingServices& dxBarCustomizingServices() {
    static TdxBarCustomizingServices none;
    return Installed() ? *Installed() : none;
}

TdxBarCustomizingServices* SetdxBarCustomizingServices(TdxBarCustomizingServices* Services) {
    TdxBarCustomizingServices* Previous = Installed();
    Installed() = Services;
    return Previous;
}

} // namespace toolkit::bars
