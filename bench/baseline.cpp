// The floor that Quiravel is measured against: the smallest Qt Widgets program that shows what
// Quiravel shows at start, one frameless window with three labels, of the main menu's size and
// centred on the screen like it. Nothing else: no icon, no colours, no chosen fonts.
//
// With the one argument --with-answer-list it also shows one editable "No"/"Yes" drop-down list
// holding the keyboard focus, like a questionnaire's first answer list: the floor of a window in
// which a text cursor blinks.
//
// With --with-menu-fonts its three labels are drawn in the three fonts the main menu asks for
// (bold Tahoma 14.25 pt for the caption, bold Arial 14.25 pt and 9.75 pt): the floor of a window
// in those fonts, which the desktop may have to substitute.

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  const bool withAnswerList = argc == 2 && std::strcmp(argv[1], "--with-answer-list") == 0;
  const bool withMenuFonts = argc == 2 && std::strcmp(argv[1], "--with-menu-fonts") == 0;
  QApplication app(argc, argv);

  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.setFixedSize(481, 212);
  QLabel title(QStringLiteral("Baseline"), &window);
  title.setGeometry(0, 0, 481, 31);
  title.setAlignment(Qt::AlignCenter);
  QLabel first(QStringLiteral("First label"), &window);
  first.setGeometry(84, 73, 312, 28);
  first.setAlignment(Qt::AlignCenter);
  QLabel second(QStringLiteral("Second label"), &window);
  second.setGeometry(84, 136, 312, 28);
  second.setAlignment(Qt::AlignCenter);

  if (withMenuFonts) {
    const auto font = [](const char* face, double points) {
      QFont f(QString::fromLatin1(face));
      f.setPointSizeF(points);
      f.setWeight(QFont::Bold);
      return f;
    };
    title.setFont(font("Tahoma", 14.25));
    first.setFont(font("Arial", 14.25));
    second.setFont(font("Arial", 9.75));
  }

  if (withAnswerList) {
    auto* list = new QComboBox(&window);
    list->setEditable(true);
    list->addItems({QStringLiteral("No"), QStringLiteral("Yes")});
    list->setGeometry(400, 73, 60, 22);
    list->setFocus();
  }

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  window.move(screen.x() + (screen.width() - window.width()) / 2,
              screen.y() + (screen.height() - window.height()) / 2);
  window.show();
  // Without a window manager nothing activates a new window, and a text cursor blinks only in
  // an active one; Quiravel activates each window it shows, and so does this one then.
  if (withAnswerList)
    window.activateWindow();
  return QApplication::exec();
}
