#include "ui/frame/units.h"

#include <QGuiApplication>
#include <QScreen>

namespace quiravel::frame {

QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
               twipsToPixels(height));
}

namespace {
QRect primaryScreenPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}
}  // namespace

int screenWidthTwips() {
  return pixelsToTwips(primaryScreenPixels().width());
}
int screenHeightTwips() {
  return pixelsToTwips(primaryScreenPixels().height());
}

QPoint globalPixelsFromScreenTwips(QPoint twips) {
  return primaryScreenPixels().topLeft() +
         QPoint(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
}

QPoint screenTwipsFromGlobalPixels(QPoint pixels) {
  const QPoint onScreen = pixels - primaryScreenPixels().topLeft();
  return {pixelsToTwips(onScreen.x()), pixelsToTwips(onScreen.y())};
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
