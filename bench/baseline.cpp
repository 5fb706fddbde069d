// The floor that Quiravel is measured against: the smallest Qt Widgets program that shows what
// Quiravel shows at start, one frameless window with three labels, of the main menu's size and
// centred on the screen like it. Nothing else: no icon, no colours, no chosen fonts.
//
// With the one argument --with-answer-list it also shows one editable "No"/"Yes" drop-down list
// holding the keyboard focus, like a questionnaire's first answer list: the floor of a window in
// which a text cursor blinks.

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  const bool withAnswerList = argc == 2 && std::strcmp(argv[1], "--with-answer-list") == 0;
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
