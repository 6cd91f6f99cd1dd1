#include "toolkit/base/cx_extended_style_painters.h"

#include <algorithm>
#include <cctype>

namespace toolkit::base {

void TcxExtendedStylePainters::AddListener(TcxLookAndFeel* AListener) {
    if (std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
        FListeners.push_back(AListener);
}

void TcxExtendedStylePainters::RemoveListener(TcxLookAndFeel* AListener) {
    std::erase(FListeners, AListener);
}

void TcxExtendedStylePainters::Register(const std::string& AName,
                                        TcxLookAndFeelPainterClass APainter) {
    Add(std::make_unique<TcxExtendedStylePainter>(AName, APainter));
}

bool TcxExtendedStylePainters::GetPainterByName(const std::string& AName,
                                                TcxLookAndFeelPainterClass& APainter) const {
    const auto Same = [](const std::string& A, const std::string& B) {
        return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
            return std::tolower(static_cast<unsigned char>(X)) ==
                   std::tolower(static_cast<unsigned char>(Y));
        });
    };
    for (int I = 0; I < Count(); ++I)
        if (Same(Items(I)->Name, AName)) {
            APainter = Items(I)->Painter;
            return true;
        }
    return false;
}

} // namespace toolkit::base
