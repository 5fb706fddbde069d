// The result window as it loads: its frame, every control with its text, place, colours and
// font, which control lies in front of which, and what the user sees of them.
#include "ui/frame/label.h"
#include "ui/frame/shape.h"
#include "ui/windows/result_window.h"

#include <QImage>
#include <QTest>
#include <QTimer>

#include <map>

using quiravel::frame::Label;
using quiravel::frame::Shape;
using quiravel::frame::twipsRect;
using quiravel::frame::twipsToPixels;
using quiravel::windows::ResultWindow;

namespace {

constexpr uint kBlack = 0x00000000;
constexpr uint kWhite = 0x00FFFFFF;
constexpr uint kLightBlue = 0x00FF8080;
constexpr uint kOrange = 0x000080FF;
constexpr uint kLightRed = 0x008080FF;

// The colour that covers most of `area` of `image`.
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

QRgb rgb(uint bgr) {
  return quiravel::frame::rgbFromBgr(bgr) | 0xFF000000;
}

}  // namespace

class TestResultLayout : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void frame() {
    ResultWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("Form2"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(window.size(), QSize(193, 428));  // 2895 x 6420 twips
    QCOMPARE(window.widthTwips(), 2895);
    QCOMPARE(window.heightTwips(), 6420);
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(window.autoFillBackground());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::FramelessWindowHint);
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::X11BypassWindowManagerHint);
    QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(window.focusPolicy(), Qt::NoFocus);
    // No icon of its own: whatever stands for one is fully transparent.
    const QImage icon = window.windowIcon().pixmap(16, 16).toImage();
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x)
        QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
  }

  void labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");  // Left, Top, Width, Height as designed
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

    const QString arial = QStringLiteral("Arial");
    QTest::newRow("cmdX") << "cmdX"
                          << "X" << QRect(2640, 0, 150, 195) << kLightBlue << kWhite << arial
                          << 9.75 << true << true << false << true << false << "Close";
    QTest::newRow("Label3") << "Label3"
                            << "Advice" << QRect(120, 1200, 2655, 5175) << kBlack << kLightRed
                            << arial << 9.75 << false << false << true << false << false << "";
    QTest::newRow("Label2") << "Label2"
                            << "Result is" << QRect(120, 840, 2895, 240) << kBlack << kWhite
                            << arial << 9.75 << false << false << true << true << false << "";
    QTest::newRow("Label1") << "Label1"
                            << "Your Point= " << QRect(240, 480, 2415, 375) << kBlack << kOrange
                            << arial << 9.75 << true << false << true << false << false << "";
    QTest::newRow("title") << "title"
                           << "Result" << QRect(0, 0, 2895, 345) << kLightBlue << kWhite << "Tahoma"
                           << 12.0 << true << false << false << false << true << "";
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

    ResultWindow window;
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
    if (!autoSize)
      QCOMPARE(label->size(), design.size());
    else if (wordWrap)  // keeps its width, takes the height of its text
      QCOMPARE(label->size(), QSize(design.width(), label->heightForWidth(design.width())));
    else  // one line, as wide and high as its text
      QCOMPARE(label->size(), label->sizeHint());
  }

  void outline() {
    ResultWindow window;
    auto* shape = window.findChild<Shape*>(QStringLiteral("Shape1"));
    QVERIFY(shape);
    QCOMPARE(shape->geometry(), twipsRect(0, 360, 2895, 6015));
    QCOMPARE(shape->borderColor(), kWhite);
    QCOMPARE(shape->borderWidth(), 2);
    QVERIFY(shape->testAttribute(Qt::WA_TransparentForMouseEvents));
  }

  void motionTimers() {
    ResultWindow window;
    QCOMPARE(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 10);
    QCOMPARE(window.findChild<QTimer*>(QStringLiteral("Timer2"))->interval(), 1);
    // Not before the window is loaded.
    QVERIFY(!window.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    QVERIFY(!window.findChild<QTimer*>(QStringLiteral("Timer2"))->isActive());
  }

  void controlsFromFrontToBack() {
    ResultWindow window;
    QStringList backToFront;
    for (QObject* child : window.children()) {
      if (child->isWidgetType())
        backToFront << child->objectName();
    }
    QCOMPARE(backToFront, QStringList({"title", "Label1", "Label2", "Label3", "Shape1", "cmdX"}));
  }

  void secondResultLineIsCutOffAtTheRightEdge() {
    ResultWindow window;
    auto* label2 = window.findChild<Label*>(QStringLiteral("Label2"));
    // 120 twips past the window's right edge.
    QCOMPARE(label2->geometry().right() + 1 - window.width(), twipsToPixels(120));

    // A long caption wraps: the height follows the text, the width stays.
    const int oneLine = label2->height();
    window.showResult({.total = 3,
                       .scoreLine = "Your total score is : 3",
                       .caption = "A caption long enough to wrap onto more than one line here",
                       .advice = "advice"});
    QCOMPARE(label2->width(), twipsToPixels(2895));
    QVERIFY(label2->height() > oneLine);
    QCOMPARE(label2->height(), label2->heightForWidth(label2->width()));
    QCOMPARE(label2->pos(), twipsRect(120, 840, 0, 0).topLeft());
  }

  void whatTheUserSees() {
    ResultWindow window;
    const QImage image = window.grab().toImage();
    auto area = [&window](const char* name) {
      return window.findChild<QWidget*>(QLatin1String(name))->geometry();
    };
    QCOMPARE(dominantColour(image, area("title")), rgb(kLightBlue));
    // The "X" paints no background of its own: the title's colour shows through it.
    QCOMPARE(dominantColour(image, area("cmdX")), rgb(kLightBlue));
    QCOMPARE(dominantColour(image, area("Label3")), rgb(kBlack));
    // The outline is drawn white and 2 pixels wide, in front of the second line of the result
    // where it crosses it.
    auto at = [&image](int x, int y) { return image.pixel(x, y) | 0xFF000000; };
    QCOMPARE(at(0, 200), rgb(kWhite));
    QCOMPARE(at(1, 200), rgb(kWhite));
    QCOMPARE(at(2, 200), rgb(kBlack));
    const QRect label2 = area("Label2");
    QVERIFY(label2.contains(191, label2.center().y()));
    QCOMPARE(at(191, label2.center().y()), rgb(kWhite));
    QCOMPARE(at(192, label2.center().y()), rgb(kWhite));
    // The advice text is drawn in light red.
    bool lightRedSeen = false;
    const QRect advice = area("Label3");
    for (int y = advice.top(); y < advice.top() + 20 && !lightRedSeen; ++y)
      for (int x = advice.left(); x < advice.left() + 60; ++x)
        lightRedSeen = lightRedSeen || (image.pixel(x, y) | 0xFF000000) == rgb(kLightRed);
    QVERIFY(lightRedSeen);
  }
};

QTEST_MAIN(TestResultLayout)
#include "tst_result_layout.moc"
