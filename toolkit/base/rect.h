#pragma once
// A rectangle that components publish as a property: it tells its owner when it changes.

#include "platform/core/class_reference.h"
#include "platform/core/object.h"
#include "platform/core/persistent.h"
#include "platform/gdi/geometry.h"

namespace toolkit::base {

class TcxRect;
using TcxRectClass = platform::core::TClassOf<TcxRect, platform::core::TPersistent*>;

class TcxRect : public platform::core::TPersistent {
public:
    explicit TcxRect(platform::core::TPersistent* AOwner) : FOwner(AOwner) {}

    static const TcxRectClass& ClassRef();
    const TcxRectClass& ClassType() const override { return ClassRef(); }

    // Another TcxRect's rectangle goes through SetRect; other sources as any persistent.
    void Assign(const platform::core::TPersistent* Source) override;
    platform::core::TPersistent* GetOwner() const override { return FOwner; }

    const platform::gdi::TRect& Rect() const { return FRect; }
    // Fires OnChange when any side differs; an equal rectangle changes nothing.
    void SetRect(const platform::gdi::TRect& Value);

    // The sides by index: Left 0, Top 1, Right 2, Bottom 3.
    int GetValue(int Index) const;
    void SetValue(int Index, int Value);
    int Left() const { return FRect.Left; }
    int Top() const { return FRect.Top; }
    int Right() const { return FRect.Right; }
    int Bottom() const { return FRect.Bottom; }
    void SetLeft(int Value) { SetValue(0, Value); }
    void SetTop(int Value) { SetValue(1, Value); }
    void SetRight(int Value) { SetValue(2, Value); }
    void SetBottom(int Value) { SetValue(3, Value); }

    platform::core::TNotifyEvent OnChange;

private:
    platform::core::TPersistent* FOwner;
    platform::gdi::TRect FRect;
};

} // namespace toolkit::base
