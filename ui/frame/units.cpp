#include "ui/frame/units.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quiravel::frame {

double logicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 0.0;
  return dpi > 0.0 ? dpi : kDefaultDpi;
}

int twipsToPixels(int twips) {
  return static_cast<int>(std::lround(twips * logicalDpi() / kTwipsPerInch));
}

int pixelsToTwips(int pixels) {
  return static_cast<int>(std::lround(static_cast<double>(pixels) * kTwipsPerInch / logicalDpi()));
}

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

namespace {

// The face to ask for: the layout's own where the desktop has it, otherwise a fixed stand-in
// for it, whatever the desktop's font configuration would prefer. Asking only for a face that
// is there spares Qt, on every font it loads, the search through that configuration that a
// missing face costs. Looked up once per face; nothing outside the program's own fonts changes.
QString availableFace(const char* face, const char* standIn) {
  // The families the font database holds, without the fontconfig substitution that
  // QFontDatabase::hasFamily runs on each name it is asked about. A family that Qt has already
  // loaded from more than one foundry is listed once per foundry, as "Family [foundry]".
  const QStringList families = QFontDatabase::families();
  const auto has = [&families](const QString& family) {
    const QString withFoundry = family + QLatin1String(" [");
    return std::any_of(families.begin(), families.end(), [&](const QString& listed) {
      return listed.compare(family, Qt::CaseInsensitive) == 0 ||
             listed.startsWith(withFoundry, Qt::CaseInsensitive);
    });
  };
  const QString wanted = QString::fromLatin1(face);
  if (has(wanted))
    return wanted;
  const QString substitute = QString::fromLatin1(standIn);
  return has(substitute) ? substitute : wanted;
}

}  // namespace

QString fontFace(const char* face) {
  if (std::strcmp(face, "Tahoma") == 0) {
    // Within 3 % of Tahoma's advance widths, with a bold face of its own.
    static const QString tahoma = availableFace("Tahoma", "DejaVu Sans Condensed");
    return tahoma;
  }
  if (std::strcmp(face, "Arial") == 0) {
    // Metric-compatible with Arial.
    static const QString arial = availableFace("Arial", "Liberation Sans");
    return arial;
  }
  return QString::fromLatin1(face);
}

QFont makeFont(const FontSpec& spec) {
  QFont font(fontFace(spec.face));
  font.setPointSizeF(spec.points);
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace quiravel::frame
