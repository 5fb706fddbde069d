// Both corner windows as they load, the result window ("Form2") and the disclaimer window
// ("Welcome"): the frame, every control with its text, place, colours and font, which control
// lies in front of which, and what the user sees of them.
#include "tests/support/corner.h"
#include "tests/support/look.h"
#include "tests/support/palette.h"
#include "tests/support/pixels.h"
#include "tests/support/rows.h"
#include "ui/frame/label.h"
#include "ui/frame/outline.h"
#include "ui/windows/result_window.h"

#include <QTest>
#include <QTimer>

using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

const QString kDisclaimer = QStringLiteral(
    "Please use the results of this test as a guide and not a diagnosis, only a licensed mental "
    "health practitioner can diagnose depression/Anxiety .  ");

}  // namespace

class TestCornerLayout : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void frame_data() {
    addColumns<QString, QSize, int>({"form", "size", "heightTwips"});
    dataRow("Form2", "Form2", QSize(193, 428), 6420);
    dataRow("Welcome", "Welcome", QSize(193, 199), 2985);
  }
  void frame() {
    QFETCH(QString, form);
    QFETCH(QSize, size);
    QFETCH(int, heightTwips);
    const auto window = makeCornerWindow(form);
    QCOMPARE(window->objectName(), form);
    QCOMPARE(window->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(window->size(), size);
    QCOMPARE(window->widthTwips(), 2895);
    QCOMPARE(window->heightTwips(), heightTwips);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(window->autoFillBackground());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::FramelessWindowHint);
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::X11BypassWindowManagerHint);
    QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(window->focusPolicy(), Qt::NoFocus);
    // No icon of its own: whatever stands for one is fully transparent.
    const QImage icon = window->windowIcon().pixmap(16, 16).toImage();
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x)
        QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
  }

  void motionTimers_data() { addCornerRows(); }
  void motionTimers() {
    QFETCH(QString, form);
    const auto window = makeCornerWindow(form);
    QCOMPARE(timer(window.get(), "Timer1")->interval(), 10);
    QCOMPARE(timer(window.get(), "Timer2")->interval(), 1);
    // Not before the window is loaded.
    QVERIFY(!timer(window.get(), "Timer1")->isActive());
    QVERIFY(!timer(window.get(), "Timer2")->isActive());
  }

  void disclaimerText() {
    const auto window = makeCornerWindow(QStringLiteral("Welcome"));
    const QString text = window->findChild<Label*>(QStringLiteral("Label1"))->caption();
    QCOMPARE(text, kDisclaimer);
    QCOMPARE(text.size(), 146);
    QVERIFY(text.endsWith(QStringLiteral("Anxiety .  ")));
  }

  void labels_data() {
    addColumns<QString, QString, QString, QRect, uint, uint, QString, double, bool, bool, bool,
               bool, bool, QString>({"form", "name", "text",
                                     "twips",  // Left, Top, Width, Height as designed
                                     "back", "fore", "face", "points", "centred", "transparent",
                                     "wordWrap", "autoSize", "border", "toolTip"});

    for (const char* form : {"Form2", "Welcome"}) {
      QTest::addRow("%s, cmdX", form)
          << form << "cmdX"
          << "X" << QRect(2640, 0, 150, 195) << kLightBlue << kWhite << "Arial" << 9.75 << true
          << true << false << true << false << "Close";
    }
    dataRow("Form2, Label3", "Form2", "Label3", "Advice", QRect(120, 1200, 2655, 5175), kBlack,
            kLightRed, "Arial", 9.75, false, false, true, false, false, "");
    dataRow("Form2, Label2", "Form2", "Label2", "Result is", QRect(120, 840, 2895, 240), kBlack,
            kWhite, "Arial", 9.75, false, false, true, true, false, "");
    dataRow("Form2, Label1", "Form2", "Label1", "Your Point= ", QRect(240, 480, 2415, 375), kBlack,
            kOrange, "Arial", 9.75, true, false, true, false, false, "");
    dataRow("Form2, title", "Form2", "title", "Result", QRect(0, 0, 2895, 345), kLightBlue, kWhite,
            "Tahoma", 12.0, true, false, false, false, true, "");
    dataRow("Welcome, Label1", "Welcome", "Label1", kDisclaimer, QRect(120, 360, 2655, 2775),
            kBlack, kWhite, "Tahoma", 12.0, false, false, true, false, false, "");
    dataRow("Welcome, title", "Welcome", "title", "Welcome", QRect(0, 0, 2895, 345), kLightBlue,
            kWhite, "Tahoma", 12.0, true, false, false, false, true, "");
  }
  void labels() {
    QFETCH(QString, form);
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

    const auto window = makeCornerWindow(form);
    auto* label = window->findChild<Label*>(name);
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), window.get());
    QCOMPARE(label->caption(), text);
    QCOMPARE(label->backColor(), back);
    QCOMPARE(label->foreColor(), fore);
    QCOMPARE(fontLook(label->font()), designedFontLook(face, points));
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
    const auto window = makeCornerWindow(QStringLiteral("Form2"));
    auto* shape = window->findChild<quiravel::frame::Outline*>(QStringLiteral("Shape1"));
    QVERIFY(shape);
    QCOMPARE(shape->geometry(), twipsRect(0, 360, 2895, 6015));
    QCOMPARE(shape->borderColor(), kWhite);
    QCOMPARE(shape->borderWidth(), 2);
    QVERIFY(shape->testAttribute(Qt::WA_TransparentForMouseEvents));
  }

  void controlsFromFrontToBack_data() {
    addColumns<QString, QStringList>({"form", "backToFront"});
    dataRow("Form2", "Form2", QStringList{"title", "Label1", "Label2", "Label3", "Shape1", "cmdX"});
    dataRow("Welcome", "Welcome", QStringList{"title", "Label1", "cmdX"});
  }
  void controlsFromFrontToBack() {
    QFETCH(QString, form);
    QFETCH(QStringList, backToFront);
    const auto window = makeCornerWindow(form);
    QStringList children;
    for (QObject* child : window->children()) {
      if (child->isWidgetType())
        children << child->objectName();
    }
    QCOMPARE(children, backToFront);
  }

  void lowerEndOfTheTextIsCutOff() {
    const auto window = makeCornerWindow(QStringLiteral("Welcome"));
    auto* label1 = window->findChild<Label*>(QStringLiteral("Label1"));
    // Its lower 150 twips lie below the window's bottom edge.
    QCOMPARE(label1->geometry().bottom() + 1 - window->height(), twipsToPixels(150));
    QCOMPARE(label1->height(), twipsToPixels(2775));
  }

  void secondResultLineIsCutOffAtTheRightEdge() {
    quiravel::windows::ResultWindow window;
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

  void whatTheUserSees_data() {
    addColumns<QString, QString, uint, QList<QPoint>>({
        "form",
        "text",  // the label of the body text
        "textColour",
        "black"  // background points
    });
    dataRow("Form2", "Form2", "Label3", uint(kLightRed), QList<QPoint>{QPoint(2, 200)});
    // The margins and the strip under the title are the window's black.
    dataRow("Welcome", "Welcome", "Label1", uint(kWhite),
            QList<QPoint>{QPoint(3, 100), QPoint(100, 23)});
  }
  void whatTheUserSees() {
    QFETCH(QString, form);
    QFETCH(QString, text);
    QFETCH(uint, textColour);
    QFETCH(QList<QPoint>, black);
    const auto window = makeCornerWindow(form);
    const QImage image = window->grab().toImage();
    auto area = [&window](const QString& name) {
      return window->findChild<QWidget*>(name)->geometry();
    };
    QCOMPARE(dominantColour(image, area("title")), rgb(kLightBlue));
    // The "X" paints no background of its own: the title's colour shows through it.
    QCOMPARE(dominantColour(image, area("cmdX")), rgb(kLightBlue));
    QCOMPARE(dominantColour(image, area(text)), rgb(kBlack));
    for (const QPoint& point : black)
      QCOMPARE(pixelAt(image, point.x(), point.y()), rgb(kBlack));
    // The text is drawn in its colour.
    const QRect textArea = area(text);
    QVERIFY(colourSeen(image, QRect(textArea.topLeft(), QSize(60, 20)), textColour));
  }

  void outlineIsDrawnInFrontOfTheSecondLine() {
    const auto window = makeCornerWindow(QStringLiteral("Form2"));
    const QImage image = window->grab().toImage();
    // The outline is drawn white and 2 pixels wide, in front of the second line of the result
    // where it crosses it.
    QCOMPARE(pixelAt(image, 0, 200), rgb(kWhite));
    QCOMPARE(pixelAt(image, 1, 200), rgb(kWhite));
    const QRect label2 = window->findChild<QWidget*>(QStringLiteral("Label2"))->geometry();
    QVERIFY(label2.contains(191, label2.center().y()));
    QCOMPARE(pixelAt(image, 191, label2.center().y()), rgb(kWhite));
    QCOMPARE(pixelAt(image, 192, label2.center().y()), rgb(kWhite));
  }
};

QTEST_MAIN(TestCornerLayout)
#include "tst_corner_layout.moc"
