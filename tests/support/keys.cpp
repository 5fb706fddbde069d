#include "tests/support/keys.h"

#include "tests/support/pixels.h"
#include "ui/frame/label.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

#include <cmath>

namespace quiravel::test {

namespace {

// The contrast of two colours by the accessibility guidelines' formula, 1 to 21.
double contrast(QRgb a, QRgb b) {
  const auto luminance = [](QRgb c) {
    const auto linear = [](int v) {
      const double s = v / 255.0;
      return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
  };
  const double la = luminance(a) + 0.05;
  const double lb = luminance(b) + 0.05;
  return la > lb ? la / lb : lb / la;
}

}  // namespace

void typeKeys(QWidget* window, const QList<int>& keys) {
  for (int key : keys) {
    const Qt::KeyboardModifiers shift = key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::keyClick(window->windowHandle(), Qt::Key(key), shift);
  }
}

QString focusedName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus ? focus->objectName() : QStringLiteral("(none)");
}

QString focusMarkFault(frame::Label* label) {
  QWidget* window = label->window();
  const QPoint background(2, window->height() - 2);
  // The pointer reaches the background first, so the click below changes nothing else.
  QTest::mouseMove(window->windowHandle(), background);
  const QImage shown = window->grab(label->geometry()).toImage();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, background);
  const QImage hidden = window->grab(label->geometry()).toImage();
  if (!label->hasFocus())
    return QStringLiteral("the click took the focus away");
  const QRect mark = label->focusMarkRect();
  const QRgb back = rgb(label->backColor());
  int changed = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (pixelAt(shown, x, y) == pixelAt(hidden, x, y))
        continue;
      ++changed;
      const bool onMark =
          ((x == mark.left() || x == mark.right()) && y >= mark.top() && y <= mark.bottom()) ||
          ((y == mark.top() || y == mark.bottom()) && x >= mark.left() && x <= mark.right());
      if (!onMark)
        return QStringLiteral("pixel (%1, %2) changed off the focus rectangle").arg(x).arg(y);
      if (contrast(pixelAt(shown, x, y), back) < 3.0)
        return QStringLiteral("pixel (%1, %2) stands out less than 3:1").arg(x).arg(y);
    }
  }
  // A dotted line sets every other pixel of the rectangle's edge.
  const int perimeter = 2 * (mark.width() + mark.height());
  if (changed < perimeter / 4)
    return QStringLiteral("%1 pixels of the focus mark seen, %2 expected")
        .arg(changed)
        .arg(perimeter / 4);
  return {};
}

QString focusMarkFaultAfter(frame::Label* label, const QList<int>& keys) {
  const QWidget* before = QApplication::focusWidget();
  QTest::mouseClick(label, Qt::LeftButton);
  if (QApplication::focusWidget() != before || label->showsFocusMark())
    return QStringLiteral("a click moved the focus or showed a focus mark");
  typeKeys(label->window(), keys);
  if (!label->hasFocus())
    return QStringLiteral("the keys took the focus to %1").arg(focusedName());
  return focusMarkFault(label);
}

}  // namespace quiravel::test
