// The layouts' fonts on the desktop at hand, seen in the five real windows: every face a layout
// names resolves to one and the same face (the desktop's own Tahoma or Arial if it has one,
// otherwise the program's fixed stand-in) with a real bold where the layout asks for bold; the
// stand-in keeps Tahoma's widths; and every label's text fits the size its layout gives it.
//
// QUIRAVEL_TEST_FONTS says which fonts the test was started with: "setup" (a font configuration
// that sees only the fonts the set-up installs), "desktop" (the system's configuration, with a
// typical desktop's extra fonts, fonts-noto-core, present) or "tahoma" (one that has a face
// named Tahoma). QUIRAVEL_TEST_DPI, where set, is the logical dpi the screen was given.
#include "engine/screening.h"
#include "tests/support/rows.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/main_menu_window.h"
#include "ui/windows/questionnaire_window.h"
#include "ui/windows/result_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::windows;
using quiravel::test::dataRow;

namespace {

// A typical desktop's extra sans-serif face, the one fontconfig prefers for Tahoma when present.
const QString kDesktopFace = QStringLiteral("Noto Sans");

// The face a layout's face must come out as: the desktop's own if it has it, else the stand-in.
QString expectedFace(const QString& layoutFace) {
  if (QFontDatabase::hasFamily(layoutFace))
    return layoutFace;
  return layoutFace == QLatin1String("Tahoma") ? QStringLiteral("DejaVu Sans Condensed")
                                               : QStringLiteral("Liberation Sans");
}

// Every result a scoring can write into the result window: each possible total of each test.
std::vector<ScreeningResult> everyResult() {
  std::vector<ScreeningResult> results;
  for (const ScreeningTest* test :
       {&quiravel::engine::depressionTest(), &quiravel::engine::anxietyTest()}) {
    std::vector<AnswerState> answers(test->items.size(), AnswerState::No);
    for (std::size_t yes = 0; yes <= answers.size(); ++yes) {
      results.push_back(quiravel::engine::scoreTest(*test, answers));
      if (yes < answers.size())
        answers[yes] = AnswerState::Yes;
    }
  }
  return results;
}

// The five windows as the program builds them, by name; `result` >= 0 has the result window
// show that entry of everyResult().
std::unique_ptr<QWidget> build(const QString& name, int result = -1) {
  if (name == QLatin1String("Form0"))
    return std::make_unique<MainMenuWindow>();
  if (name == QLatin1String("Form1"))
    return std::make_unique<QuestionnaireWindow>(depressionDesign());
  if (name == QLatin1String("Form11"))
    return std::make_unique<QuestionnaireWindow>(anxietyDesign());
  if (name == QLatin1String("Welcome"))
    return std::make_unique<DisclaimerWindow>();
  auto window = std::make_unique<ResultWindow>();
  if (result >= 0)
    window->showResult(everyResult().at(static_cast<std::size_t>(result)));
  return window;
}
const QStringList kWindows = {"Form0", "Form1", "Form11", "Form2", "Welcome"};

// The window's labels and answer lists, from back to front.
std::vector<QWidget*> textControls(const QWidget& window) {
  std::vector<QWidget*> controls;
  for (QObject* child : window.children()) {
    if (qobject_cast<Label*>(child) || qobject_cast<DropDownList*>(child))
      controls.push_back(static_cast<QWidget*>(child));
  }
  return controls;
}

// One row per label and answer list of every window, named "window control".
void addControlRows(bool labelsOnly) {
  quiravel::test::addColumns<QString, QString>({"window", "control"});
  for (const QString& name : kWindows) {
    const std::unique_ptr<QWidget> window = build(name);
    for (const QWidget* control : textControls(*window)) {
      if (labelsOnly && !qobject_cast<const Label*>(control))
        continue;
      QTest::addRow("%s %s", qPrintable(name), qPrintable(control->objectName()))
          << name << control->objectName();
    }
  }
}

// Where a label draws its text, in its window's coordinates: a plain-text label lays its text
// out in its contents rectangle with its alignment, wrapping at the width if it wraps.
QRect textRect(const Label& label) {
  const int flags = int(label.alignment()) | (label.wordWrap() ? int(Qt::TextWordWrap) : 0);
  return label.fontMetrics()
      .boundingRect(label.contentsRect(), flags, label.text())
      .translated(label.pos());
}

// Whether all of the label's text shows: inside the label and the window, and under no opaque
// label or answer list that lies in front of it (a transparent label hides nothing).
QString textCutOff(const Label& label) {
  const QRect text = textRect(label);
  const QWidget& window = *label.parentWidget();
  if (!label.geometry().contains(text))
    return QStringLiteral("text %1 runs out of the label %2")
        .arg(QDebug::toString(text), QDebug::toString(label.geometry()));
  if (!window.rect().contains(text))
    return QStringLiteral("text %1 runs past the window's edge").arg(QDebug::toString(text));
  const std::vector<QWidget*> controls = textControls(window);
  bool inFront = false;
  for (const QWidget* control : controls) {
    const auto* over = qobject_cast<const Label*>(control);
    const bool opaque = !over || !over->isTransparent();
    if (inFront && opaque && control->geometry().intersects(text))
      return QStringLiteral("text %1 runs under %2")
          .arg(QDebug::toString(text), control->objectName());
    inFront = inFront || control == &label;
  }
  return QString();
}

QWidget* control(const QWidget& window, const QString& name) {
  return window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

}  // namespace

class TestFonts : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    // Proves that the font configuration the test was started with is in effect.
    const QByteArray fonts = qgetenv("QUIRAVEL_TEST_FONTS");
    if (fonts == "setup")
      QVERIFY2(!QFontDatabase::hasFamily(kDesktopFace), "the desktop's extra fonts are seen");
    if (fonts == "tahoma")
      QVERIFY2(QFontDatabase::hasFamily(QStringLiteral("Tahoma")), "no face named Tahoma");
    // And the desktop's dpi, where it was started with one (Qt's scaling off).
    if (qEnvironmentVariableIsSet("QUIRAVEL_TEST_DPI"))
      QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInch(),
               qEnvironmentVariableIntValue("QUIRAVEL_TEST_DPI"));
  }

  void fontFace_data() {
    QTest::addColumn<QString>("layoutFace");
    dataRow("Tahoma", "Tahoma");
    dataRow("Arial", "Arial");
  }
  void fontFace() {
    QFETCH(QString, layoutFace);
    QCOMPARE(quiravel::frame::fontFace(qPrintable(layoutFace)), expectedFace(layoutFace));
  }

  // Every label and answer list asks for one of the two faces and is drawn in it.
  void faces_data() { addControlRows(false); }
  void faces() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    const std::unique_ptr<QWidget> built = build(window);
    const QFont font = ::control(*built, control)->font();
    QVERIFY2(font.family() == expectedFace(QStringLiteral("Tahoma")) ||
                 font.family() == expectedFace(QStringLiteral("Arial")),
             qPrintable(font.family()));
    const QFontInfo face(font);
    QCOMPARE(face.family(), font.family());
    // A bold of its own, not the regular face drawn heavier.
    QCOMPARE(face.weight(), font.weight());
    QCOMPARE(face.styleName().contains(QLatin1String("Bold")), font.bold());
    QCOMPARE(face.pointSizeF(), font.pointSizeF());
  }

  void tahomaWidths_data() {
    quiravel::test::addColumns<QString, QString, double>({
        "window", "control",
        "tahomaWidth"  // pixels at 96 dpi, from Tahoma's own metrics
    });
    dataRow("12 pt bold", "Welcome", "title", 352.0);
    dataRow("14.25 pt bold", "Form0", "title", 418.0);
    dataRow("8.25 pt regular", "Form1", "Combo1(0)", 213.0);
  }
  void tahomaWidths() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(double, tahomaWidth);
    const std::unique_ptr<QWidget> built = build(window);
    const QFont font = ::control(*built, control)->font();
    QCOMPARE(font.family(), expectedFace(QStringLiteral("Tahoma")));
    const double width = QFontMetricsF(font).horizontalAdvance(
        QStringLiteral("Please use the results of this test as a guide"));
    QVERIFY2(qAbs(width / tahomaWidth - 1.0) <= 0.05,
             qPrintable(QStringLiteral("%1 px, Tahoma %2 px").arg(width).arg(tahomaWidth)));
  }

  void textFits_data() { addControlRows(true); }
  void textFits() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    const std::unique_ptr<QWidget> built = build(window);
    const QString cutOff = textCutOff(*static_cast<Label*>(::control(*built, control)));
    QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff));
  }

  // What the result window shows after any scoring fits it as well.
  void resultFits_data() {
    quiravel::test::addColumns<int, QString>({"result", "control"});
    const std::vector<ScreeningResult> results = everyResult();
    for (int i = 0; i < int(results.size()); ++i) {
      for (const char* label : {"Label1", "Label2", "Label3"})
        QTest::addRow("%d %s %s", i, results[std::size_t(i)].scoreLine.c_str(), label)
            << i << label;
    }
  }
  void resultFits() {
    QFETCH(int, result);
    QFETCH(QString, control);
    const std::unique_ptr<QWidget> built = build(QStringLiteral("Form2"), result);
    const QString cutOff = textCutOff(*static_cast<Label*>(::control(*built, control)));
    QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (qgetenv("QUIRAVEL_TEST_FONTS") == "desktop" && !QFontDatabase::hasFamily(kDesktopFace)) {
    std::fprintf(stderr, "SKIP: no %s on this machine (fonts-noto-core is not installed)\n",
                 qPrintable(kDesktopFace));
    return 77;
  }
  TestFonts test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_fonts.moc"
