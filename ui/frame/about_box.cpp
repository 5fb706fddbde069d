#include "ui/frame/about_box.h"

#include <QMessageBox>

namespace quiravel::frame {

namespace {
Seam<QWidget*, const QString&> aboutBoxSeam;

void realAboutBox(QWidget* parent, const QString& text) {
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QMessageBox box(QMessageBox::Question, applicationTitle(), shown, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}
}  // namespace

QString applicationTitle() {
  return QStringLiteral("Quiravel");
}

void showAboutBox(QWidget* parent, const QString& text) {
  aboutBoxSeam.run(realAboutBox, parent, text);
}

AboutBoxHandler setAboutBoxHandler(AboutBoxHandler handler) {
  return aboutBoxSeam.replace(std::move(handler));
}

}  // namespace quiravel::frame
