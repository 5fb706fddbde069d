// The disclaimer window as it loads: its frame, every control with its text, place, colours and
// font, which control lies in front of which, and what the user sees of them.
#include "ui/frame/label.h"
#include "ui/windows/disclaimer_window.h"

#include <QImage>
#include <QTest>
#include <QTimer>

#include <map>

using quiravel::frame::Label;
using quiravel::frame::twipsRect;
using quiravel::frame::twipsToPixels;
using quiravel::windows::DisclaimerWindow;

namespace {

constexpr uint kBlack = 0x00000000;
constexpr uint kWhite = 0x00FFFFFF;
constexpr uint kLightBlue = 0x00FF8080;

const QString kDisclaimer = QStringLiteral(
    "Please use the results of this test as a guide and not a diagnosis, only a licensed mental "
    "health practitioner can diagnose depression/Anxiety .  ");

QRgb rgb(uint bgr) {
  return quiravel::frame::rgbFromBgr(bgr) | 0xFF000000;
}

QRgb dominantColour(const QImage& image, const QRect& area) {
  std::map<QRgb, int> counts;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      ++counts[image.pixel(x, y) | 0xFF000000];
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

}  // namespace

class TestDisclaimerLayout : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void frame() {
    DisclaimerWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("Welcome"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(window.size(), QSize(193, 199));  // 2895 x 2985 twips
    QCOMPARE(window.widthTwips(), 2895);
    QCOMPARE(window.heightTwips(), 2985);
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::black));
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::FramelessWindowHint);
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::X11BypassWindowManagerHint);
    QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(window.focusPolicy(), Qt::NoFocus);
    const QImage icon = window.windowIcon().pixmap(16, 16).toImage();
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x)
        QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
    QCOMPARE(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 10);
    QCOMPARE(window.findChild<QTimer*>(QStringLiteral("Timer2"))->interval(), 1);
  }

  void disclaimerText() {
    DisclaimerWindow window;
    const QString text = window.findChild<Label*>(QStringLiteral("Label1"))->caption();
    QCOMPARE(text, kDisclaimer);
    QCOMPARE(text.size(), 146);
    QVERIFY(text.endsWith(QStringLiteral("Anxiety .  ")));
  }

  void labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<uint>("back");
    QTest::addColumn<uint>("fore");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<bool>("border");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("cmdX") << "cmdX"
                          << "X" << QRect(2640, 0, 150, 195) << kLightBlue << kWhite << "Arial"
                          << 9.75 << true << true << false << true << false << "Close";
    QTest::newRow("Label1") << "Label1" << kDisclaimer << QRect(120, 360, 2655, 2775) << kBlack
                            << kWhite << "Tahoma" << 12.0 << false << false << true << false
                            << false << "";
    QTest::newRow("title") << "title"
                           << "Welcome" << QRect(0, 0, 2895, 345) << kLightBlue << kWhite
                           << "Tahoma" << 12.0 << true << false << false << false << true << "";
  }
  void labels() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    QFETCH(uint, back);
    QFETCH(uint, fore);
    QFETCH(QString, face);
    QFETCH(double, points);
    QFETCH(bool, centred);
    QFETCH(bool, transparent);
    QFETCH(bool, wordWrap);
    QFETCH(bool, autoSize);
    QFETCH(bool, border);
    QFETCH(QString, toolTip);

    DisclaimerWindow window;
    auto* label = window.findChild<Label*>(name);
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), &window);
    QCOMPARE(label->caption(), text);
    QCOMPARE(label->backColor(), back);
    QCOMPARE(label->foreColor(), fore);
    QCOMPARE(label->font().family(), quiravel::frame::fontFace(qPrintable(face)));
    QCOMPARE(label->font().pointSizeF(), points);
    QVERIFY(label->font().bold());
    QVERIFY(!label->font().italic());
    QVERIFY(!label->font().underline());
    QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
    QCOMPARE(label->isTransparent(), transparent);
    QCOMPARE(label->wordWrap(), wordWrap);
    QCOMPARE(label->autoSize(), autoSize);
    QCOMPARE(label->hasSingleBorder(), border);
    QCOMPARE(label->toolTip(), toolTip);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);

    const QRect design = twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
    QCOMPARE(label->pos(), design.topLeft());
    if (autoSize)
      QCOMPARE(label->size(), label->sizeHint());
    else
      QCOMPARE(label->size(), design.size());
  }

  void controlsFromFrontToBack() {
    DisclaimerWindow window;
    QStringList backToFront;
    for (QObject* child : window.children()) {
      if (child->isWidgetType())
        backToFront << child->objectName();
    }
    QCOMPARE(backToFront, QStringList({"title", "Label1", "cmdX"}));
  }

  void lowerEndOfTheTextIsCutOff() {
    DisclaimerWindow window;
    auto* label1 = window.findChild<Label*>(QStringLiteral("Label1"));
    // Its lower 150 twips lie below the window's bottom edge.
    QCOMPARE(label1->geometry().bottom() + 1 - window.height(), twipsToPixels(150));
    QCOMPARE(label1->height(), twipsToPixels(2775));
  }

  void whatTheUserSees() {
    DisclaimerWindow window;
    const QImage image = window.grab().toImage();
    auto area = [&window](const char* name) {
      return window.findChild<QWidget*>(QLatin1String(name))->geometry();
    };
    QCOMPARE(dominantColour(image, area("title")), rgb(kLightBlue));
    // The "X" paints no background of its own: the title's colour shows through it.
    QCOMPARE(dominantColour(image, area("cmdX")), rgb(kLightBlue));
    QCOMPARE(dominantColour(image, area("Label1")), rgb(kBlack));
    // The margins and the strip under the title are the window's black.
    QCOMPARE(image.pixel(3, 100) | 0xFF000000, rgb(kBlack));
    QCOMPARE(image.pixel(100, 23) | 0xFF000000, rgb(kBlack));
    // The text is white.
    bool whiteSeen = false;
    const QRect text = area("Label1");
    for (int y = text.top(); y < text.top() + 20 && !whiteSeen; ++y)
      for (int x = text.left(); x < text.left() + 60; ++x)
        whiteSeen = whiteSeen || (image.pixel(x, y) | 0xFF000000) == rgb(kWhite);
    QVERIFY(whiteSeen);
  }
};

QTEST_MAIN(TestDisclaimerLayout)
#include "tst_disclaimer_layout.moc"
