#include "tests/support/pixels.h"

#include "ui/frame/units.h"

#include <map>

namespace quiravel::test {

QRgb rgb(std::uint32_t bgr) {
  return frame::rgbFromBgr(bgr) | 0xFF000000;
}

QRgb pixelAt(const QImage& image, int x, int y) {
  return image.pixel(x, y) | 0xFF000000;
}

QRgb dominantColour(const QImage& image, const QRect& area) {
  std::map<QRgb, int> counts;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      ++counts[pixelAt(image, x, y)];
  QRgb best = 0;
  int most = -1;
  for (const auto& [colour, count] : counts) {
    if (count > most) {
      most = count;
      best = colour;
    }
  }
  return best;
}

bool colourSeen(const QImage& image, const QRect& area, std::uint32_t bgr) {
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (pixelAt(image, x, y) == rgb(bgr))
        return true;
  return false;
}

}  // namespace quiravel::test
