#include "editors/names_window.h"

namespace editors {

namespace {

TNamesWindow* installed = nullptr;

} // namespace

TNamesWindow* NamesWindow() {
    return installed;
}

void SetNamesWindow(TNamesWindow* window) {
    installed = window;
}

std::string NameOf(int type, int index) {
    if (installed == nullptr || index < 0) return {};
    const platform::core::TStringList& list = installed->List(type);
    return index < list.Count() ? list[index] : std::string{};
}

int ChooseName(int type, int chosen) {
    return installed != nullptr ? installed->Choose(type, chosen) : chosen;
}

} // namespace editors
