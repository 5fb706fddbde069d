#include "ui/frame/about_box.h"

#include <QMessageBox>

namespace quiravel::frame {

namespace {
AboutBoxHandler& aboutHandler() {
  static AboutBoxHandler handler;
  return handler;
}
}  // namespace

QString applicationTitle() {
  return QStringLiteral("Quiravel");
}

void showAboutBox(QWidget* parent, const QString& text) {
  if (aboutHandler()) {
    aboutHandler()(parent, text);
    return;
  }
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QMessageBox box(QMessageBox::Question, applicationTitle(), shown, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

AboutBoxHandler setAboutBoxHandler(AboutBoxHandler handler) {
  AboutBoxHandler previous = std::move(aboutHandler());
  aboutHandler() = std::move(handler);
  return previous;
}

}  // namespace quiravel::frame
