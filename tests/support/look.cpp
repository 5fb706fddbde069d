#include "tests/support/look.h"

#include "ui/frame/units.h"

#include <QFont>
#include <QWidget>

namespace quiravel::test {
namespace {

QString look(const QString& family, double points, int weight, bool italic, bool underlined) {
  QString text = QStringLiteral("%1 %2 pt ").arg(family).arg(points);
  if (weight == QFont::Bold)
    text += QStringLiteral("bold");
  else if (weight == QFont::Normal)
    text += QStringLiteral("regular");
  else
    text += QStringLiteral("weight %1").arg(weight);
  if (italic)
    text += QStringLiteral(" italic");
  if (underlined)
    text += QStringLiteral(" underlined");
  return text;
}

}  // namespace

QString fontLook(const QFont& font) {
  return look(font.family(), font.pointSizeF(), font.weight(), font.italic(), font.underline());
}

QString designedFontLook(const QString& face, double points, bool bold) {
  return look(frame::fontFace(qPrintable(face)), points, bold ? QFont::Bold : QFont::Normal, false,
              false);
}

QRect designedGeometry(const QWidget* control, const QRect& designed) {
  return designed.width() > 0 ? designed : QRect(designed.topLeft(), control->sizeHint());
}

}  // namespace quiravel::test
