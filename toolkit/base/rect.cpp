#include "toolkit/base/rect.h"

#include <stdexcept>

namespace toolkit::base {

using platform::gdi::TRect;

namespace {

// The streaming system knows the class while the program runs.
struct TcxRectRegistration {
    TcxRectRegistration() { platform::core::RegisterClass(TcxRect::ClassRef()); }
    ~TcxRectRegistration() { platform::core::UnRegisterClass(TcxRect::ClassRef()); }
} const Registration;

} // namespace

const TcxRectClass& TcxRect::ClassRef() {
    static const TcxRectClass Class(
        "TcxRect", &platform::core::TPersistent::ClassRef(),
        platform::core::ConstructorOf<TcxRect, TcxRect, platform::core::TPersistent*>());
    return Class;
}

void TcxRect::Assign(const platform::core::TPersistent* Source) {
    if (platform::core::IsInstanceOf(Source, &TcxRect::ClassRef()))
        SetRect(static_cast<const TcxRect*>(Source)->Rect());
    else
        TPersistent::Assign(Source);
}

void TcxRect::SetRect(const TRect& Value) {
    if (Value == FRect) return;
    FRect = Value;
    if (OnChange) OnChange(this);
}

int TcxRect::GetValue(int Index) const {
    switch (Index) {
    case 0:
        return FRect.Left;
    case 1:
        return FRect.Top;
    case 2:
        return FRect.Right;
    case 3:
        return FRect.Bottom;
    default:
        throw std::out_of_range("TcxRect side index");
    }
}

void TcxRect::SetValue(int Index, int Value) {
    TRect R = FRect;
    switch (Index) {
    case 0:
        R.Left = Value;
        break;
    case 1:
        R.Top = Value;
        break;
    case 2:
        R.Right = Value;
        break;
    case 3:
        R.Bottom = Value;
        break;
    default:
        throw std::out_of_range("TcxRect side index");
    }
    SetRect(R);
}

} // namespace toolkit::base
