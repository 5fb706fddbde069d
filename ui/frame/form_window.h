// The borderless top-level window that every window design derives from: its frame, its
// geometry in twips, key preview, and the events of its own background.
#pragma once

#include "ui/frame/units.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <optional>

namespace quiravel::frame {

class Label;

struct FrameSpec {
  const char* name;  // the window's system name, e.g. "Form0"
  int width;         // client width in twips
  int height;        // client height in twips
  Bgr backColor;
  bool applicationIcon;  // the menu and questionnaires carry it, the corner windows none
  bool cornerWindow;     // a small window placed and moved by program only
  const char* caption;   // window caption text (never displayed: there is no caption bar)
};

class FormWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FormWindow(const FrameSpec& spec, QWidget* parent = nullptr);

  // Geometry in twips; Left and Top count from the primary screen's top-left corner. A position
  // written in twips is read back as written for as long as the window stays at the pixel it
  // was rounded to.
  int leftTwips() const { return positionTwips().x(); }
  int topTwips() const { return positionTwips().y(); }
  int widthTwips() const { return pixelsToTwips(width()); }
  int heightTwips() const { return pixelsToTwips(height()); }
  void setLeftTwips(int left);
  void setTopTwips(int top);
  void moveTwips(int left, int top);
  void centreOnScreen();

  // Load handler: runs once each time the window is loaded, after its controls exist and
  // before it is first shown.
  virtual void formLoad() {}

  // Takes the window off the screen and quiets it for good: every timer of it stops and none of
  // its signals reaches anyone any more. The window is about to be destroyed.
  void silence();

  // The keyboard's road through the window: Tab walks `controls` in this order and wraps round,
  // Shift+Tab walks back. A label on the road takes the focus from the keyboard, never from a
  // click, so the pointer moves no focus onto it.
  void setCyclicTabOrder(std::initializer_list<QWidget*> controls);

  // Whether the focused control shows a focus mark: from the first key pressed in the window
  // until the next mouse button pressed in it, so that someone who uses only the mouse never
  // sees one.
  bool showsFocusMark() const { return focusMarkShown_; }

  // Where on the screen the left button last went down in the window, the point a drag holds
  // under the pointer (none before the first press), and where the pointer was at the latest
  // pointer event the window saw.
  std::optional<QPoint> leftPressedAt() const { return leftPressedAt_; }
  QPoint pointerAt() const { return pointerAt_; }

 Q_SIGNALS:
  // The window system asked the window to close (for example Alt+F4). The window does not
  // close by itself: whoever owns its instance decides.
  void systemCloseRequested();

 protected:
  // The caption bar the window draws itself, its `title` label: `name` names the window in task
  // bars, window lists and to a screen reader, and the caption bar drags the window.
  void setCaptionBar(Label* title, const QString& name);
  // A pointer move on the caption bar: with the left button alone down it drags the window.
  void title_MouseMove(int button);

  // Key preview: every key press reaches formKeyDown before the focused control, and then
  // goes on to that control.
  virtual void formKeyDown(int key, Qt::KeyboardModifiers modifiers);
  // Pointer moves and double clicks over the window's own background, where no control lies
  // (lines and outlines take no mouse input and count as background).
  virtual void formMouseMove(int button);
  virtual void formDblClick();

  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void watchWindowHandle();
  QPoint positionTwips() const;
  void showFocusMark(bool shown);

  QPointer<QWindow> watchedHandle_;
  QPoint writtenTwips_;
  bool focusMarkShown_ = false;
  std::optional<QPoint> leftPressedAt_;
  QPoint pointerAt_;
};

}  // namespace quiravel::frame
