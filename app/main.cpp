// Quiravel: two self-report screening questionnaires. It keeps nothing: no files, no settings,
// no network, no command line.

#include "app/app_shell.h"
#include "app/display_refusal.h"
#include "app/sandbox.h"
#include "ui/frame/cursor_blink.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// One line on stderr, in the program's own words, for a display it cannot work on.
int refuse(const QString& reason) {
  std::fprintf(stderr, "%s\n", qPrintable(reason));
  return EXIT_FAILURE;
}
}  // namespace

int main(int argc, char** argv) {
  // Before anything else, above all before the toolkit makes a thread: the kernel's rules that
  // hold the program to keeping nothing, from here to the end.
  quiravel::app::enterSandbox();

  // The windows place themselves at absolute positions, which a Wayland compositor does not
  // grant to clients: ask for X11 first (XWayland on a Wayland desktop), Wayland second, unless
  // the user chose a platform.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
  }
  // A display whose socket the rules refuse: said here, before the toolkit fails to open it and
  // ends the program with advice that does not apply.
  if (const QString reason = quiravel::app::tcpDisplayRefusal(); !reason.isEmpty())
    return refuse(reason);

  // The program has no command line: only the program's name reaches the toolkit.
  int toolkitArgc = argc > 0 ? 1 : 0;
  QApplication app(toolkitArgc, argv);
  // A screen the windows cannot be drawn on: said before any window shows.
  if (const QString reason = quiravel::app::colourDepthRefusal(); !reason.isEmpty())
    return refuse(reason);
  QApplication::setQuitOnLastWindowClosed(false);
  // Ties the windows to the installed desktop entry (its icon and name in a task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral(QUIRAVEL_APP_ID));

  // An idle questionnaire keeps the keyboard focus in an answer field; its cursor stops
  // blinking after a quiet spell, so the program does not wake up while it sits on screen.
  quiravel::frame::CursorBlinkLimit cursorBlink;
  quiravel::app::AppShell shell;
  QObject::connect(&shell, &quiravel::app::AppShell::programEnded, &app,
                   [] { QCoreApplication::exit(0); });
  shell.start();
  const int status = QApplication::exec();
  // Windows unloaded just before the end are still waiting for deletion.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return status;
}
