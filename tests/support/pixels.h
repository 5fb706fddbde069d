// What a grabbed window shows, pixel by pixel.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

namespace quiravel::test {

// The opaque QRgb of a colour written 0x00BBGGRR.
QRgb rgb(std::uint32_t bgr);

// The pixel at (x, y), made opaque.
QRgb pixelAt(const QImage& image, int x, int y);

// The colour that covers most of `area` of `image`.
QRgb dominantColour(const QImage& image, const QRect& area);

// Whether any pixel of `area` of `image` has the colour `bgr`.
bool colourSeen(const QImage& image, const QRect& area, std::uint32_t bgr);

}  // namespace quiravel::test
