#pragma once
// The screen cursor numbers of the toolkit's own cursors. TcxControl registers them with the
// screen when the first control is made; any code may register them earlier.

#include "platform/forms/controls.h"

namespace toolkit::base {

inline constexpr platform::forms::TCursor crcxDragCopy = 2100;
inline constexpr platform::forms::TCursor crcxRemove = 2108;
inline constexpr platform::forms::TCursor crcxVertSize = 2109;
inline constexpr platform::forms::TCursor crcxHorzSize = 2110;
inline constexpr platform::forms::TCursor crcxMultiDrag = 2111;
inline constexpr platform::forms::TCursor crcxNoDrop = 2112;
inline constexpr platform::forms::TCursor crcxDrag = 2113;
inline constexpr platform::forms::TCursor crcxColorPicker = 2114;
// The system's hand.
inline constexpr platform::forms::TCursor crcxHandPoint = -2099;

// 2100, 2108..2114 and -2099, and the panning cursors 2101..2107; once per process.
void cxRegisterControlCursors();

} // namespace toolkit::base
