#include "ui/frame/units.h"

#include <QGuiApplication>
#include <QScreen>

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

QFont makeFont(const FontSpec& spec) {
  QFont font(QString::fromLatin1(spec.face));
  font.setPointSizeF(spec.points);
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace quiravel::frame
