// The colours the tests expect, written as the layouts store them: 0x00BBGGRR, blue in the
// high byte. Written out here rather than taken from the program, so that a wrong colour in a
// window is still seen as one.
#pragma once

#include <cstdint>

namespace quiravel::test {

constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kPurple = 0x00800080;
constexpr std::uint32_t kLightBlue = 0x00FF8080;
constexpr std::uint32_t kPaleBlue = 0x00FFC0C0;
constexpr std::uint32_t kDarkBlue = 0x00400000;
constexpr std::uint32_t kOrange = 0x000080FF;
constexpr std::uint32_t kLightRed = 0x008080FF;

}  // namespace quiravel::test
