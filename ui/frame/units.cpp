#include "ui/frame/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <cstring>

namespace quiravel::frame {

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
               twipsToPixels(height));
}

namespace {
QSize primaryScreenPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}
}  // namespace

int screenWidthTwips() {
  return pixelsToTwips(primaryScreenPixels().width());
}
int screenHeightTwips() {
  return pixelsToTwips(primaryScreenPixels().height());
}

namespace {

// Faces the layouts name that a desktop may not have, each with the face that stands in for it.
// The stand-in comes second in the font's own family list, so a desktop that has the real face
// keeps it; without it, Qt takes the stand-in before asking the desktop's font configuration
// for its own preference, which differs from one desktop to the next. Nothing outside this
// program's fonts changes.
struct StandIn {
  const char* face;
  const char* standIn;
};
constexpr StandIn kStandIns[] = {
    // Within 3 % of Tahoma's advance widths, with a bold face of its own.
    {"Tahoma", "DejaVu Sans Condensed"},
    // Metric-compatible with Arial.
    {"Arial", "Liberation Sans"},
};

QStringList familiesFor(const char* face) {
  QStringList families{QString::fromLatin1(face)};
  for (const StandIn& entry : kStandIns) {
    if (std::strcmp(entry.face, face) == 0)
      families << QString::fromLatin1(entry.standIn);
  }
  return families;
}

}  // namespace

QFont makeFont(const FontSpec& spec) {
  QFont font(QString::fromLatin1(spec.face));
  font.setFamilies(familiesFor(spec.face));
  font.setPointSizeF(spec.points);
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace quiravel::frame
