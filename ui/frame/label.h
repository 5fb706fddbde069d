// A text label as the window layouts use it: caption, back and text colour, transparent or
// opaque, alignment, word wrap, auto-size, single-line border and tool tip, reporting mouse
// moves (with the pressed-button mask), presses, clicks and double clicks. A label that acts as
// a button is shown to assistive technology as a push button that can be pressed; where its
// window puts it on the keyboard's road, Space presses it too (down, then up, as the left
// button), and it shows a focus mark.
#pragma once

#include "ui/frame/units.h"

#include <QLabel>

namespace quiravel::frame {

// Mouse button masks as the handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

int buttonMask(Qt::MouseButtons buttons);

class Label : public QLabel {
  Q_OBJECT

 public:
  explicit Label(QWidget* parent);

  // Sets the text and, for an auto-sized label, its size.
  void setCaption(const QString& caption);
  QString caption() const { return text(); }

  void setBackColor(Bgr colour);
  Bgr backColor() const { return back_; }
  void setForeColor(Bgr colour);
  Bgr foreColor() const { return fore_; }

  // A transparent label paints no background: what lies behind shows through.
  void setTransparent(bool transparent);
  bool isTransparent() const { return transparent_; }

  void setSingleBorder(bool border);
  bool hasSingleBorder() const { return border_; }

  // AutoSize: the label takes the size of its one-line text; with word wrap it keeps its width
  // and takes the height its wrapped text needs.
  void setAutoSize(bool autoSize);
  bool autoSize() const { return autoSize_; }

  // A label that the user clicks to make something happen (a menu entry, "X", "?"). Assistive
  // technology sees it as a push button whose press action does what a left-button press and
  // release on it do. Nothing changes on screen.
  void setActsAsButton(bool actsAsButton);
  bool actsAsButton() const { return actsAsButton_; }

  // What a left-button press and release on the label do, without the pointer: mouseDown with
  // the left button, then click.
  void pressAndRelease();

  // Keys that press a label on the keyboard's road as the left button does: going down, the
  // mouseDown; coming up, the click. Space always; Enter too where it is set.
  void setEnterPresses(bool enterPresses) { enterPresses_ = enterPresses; }

  // The focus mark is a dotted rectangle `pixels` inside the label's edge (clear of an outline
  // that frames the label), in the text colour, or in black or white where the text colour
  // stands out too little from the background.
  void setFocusMarkInset(int pixels);
  bool showsFocusMark() const;
  QRect focusMarkRect() const;
  QColor focusMarkColour() const;

 Q_SIGNALS:
  void mouseMove(int button);
  void mouseDown(int button);
  void click();
  void dblClick();

 protected:
  bool event(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void fitSize();
  bool isPressKey(int key) const;

  Bgr back_ = 0x00FFFFFF;
  Bgr fore_ = 0x00000000;
  bool transparent_ = false;
  bool border_ = false;
  bool autoSize_ = false;
  bool leftPressed_ = false;
  bool actsAsButton_ = false;
  int focusMarkInset_ = 0;
  bool enterPresses_ = false;
  int keyDown_ = 0;  // the press key that went down on the label and is still down
};

}  // namespace quiravel::frame
