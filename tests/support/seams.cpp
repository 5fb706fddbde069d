#include "tests/support/seams.h"

namespace quiravel::test {

Seams::Seams(int which) : which_(which) {
  if (which_ & kDrag) {
    drag_ = frame::setWindowDragHandler([this](QWidget* window) {
      drags.append(window);
      if (onDrag)
        onDrag(window);
    });
  }
  if (which_ & kAbout) {
    about_ = frame::setAboutBoxHandler([this](QWidget* parent, const QString& text) {
      aboutParents.append(parent);
      aboutTexts.append(text);
      if (onAbout)
        onAbout(parent, text);
    });
  }
  if (which_ & kAnnounce) {
    announce_ = frame::setAnnounceHandler([this](frame::FormWindow* window) {
      announced.append(window);
      if (onAnnounce)
        onAnnounce(window);
    });
  }
}

Seams::~Seams() {
  if (which_ & kDrag)
    frame::setWindowDragHandler(std::move(drag_));
  if (which_ & kAbout)
    frame::setAboutBoxHandler(std::move(about_));
  if (which_ & kAnnounce)
    frame::setAnnounceHandler(std::move(announce_));
}

}  // namespace quiravel::test
