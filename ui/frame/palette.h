// The colours the window layouts are drawn in, by the names the designs give them. Stored as
// 0x00BBGGRR (blue in the high byte).
#pragma once

#include "ui/frame/units.h"

namespace quiravel::frame::palette {

inline constexpr Bgr kBlack = 0x00000000;
inline constexpr Bgr kWhite = 0x00FFFFFF;
inline constexpr Bgr kPurple = 0x00800080;
inline constexpr Bgr kLightBlue = 0x00FF8080;
inline constexpr Bgr kPaleBlue = 0x00FFC0C0;
inline constexpr Bgr kDarkBlue = 0x00400000;
inline constexpr Bgr kOrange = 0x000080FF;
inline constexpr Bgr kLightRed = 0x008080FF;

}  // namespace quiravel::frame::palette
