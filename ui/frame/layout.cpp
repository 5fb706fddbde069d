#include "ui/frame/layout.h"

#include <iterator>

namespace quiravel::frame {

QString indexedName(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

Label* addLabel(QWidget* window, const LabelSpec& spec) {
  auto* label = new Label(window);
  label->setObjectName(QLatin1String(spec.name));
  label->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
  label->setFont(makeFont(spec.font));
  label->setAlignment((spec.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                      Qt::AlignTop);
  label->setBackColor(spec.back);
  label->setForeColor(spec.fore);
  label->setTransparent(spec.transparent);
  label->setWordWrap(spec.wordWrap);
  label->setSingleBorder(spec.border);
  if (spec.toolTip)
    label->setToolTip(QString::fromUtf8(spec.toolTip));
  label->setAutoSize(spec.autoSize);
  label->setCaption(QString::fromUtf8(spec.caption));
  return label;
}

Outline* addOutline(QWidget* window, const OutlineSpec& spec) {
  auto* outline = new Outline(window);
  outline->setObjectName(QLatin1String(spec.name));
  outline->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
  outline->setBorderColor(spec.border);
  outline->setBorderWidth(spec.borderPixels);
  return outline;
}

Line* addLine(QWidget* window, const LineSpec& spec) {
  auto* line = new Line(window);
  line->setObjectName(QLatin1String(spec.name));
  line->setEnds(spec.x1, spec.y1, spec.x2, spec.y2);
  line->setBorderColor(spec.colour);
  return line;
}

DropDownList* addDropDown(QWidget* window, const DropDownSpec& spec) {
  auto* list = new DropDownList(window);
  list->setObjectName(QLatin1String(spec.name));
  list->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
  list->setFont(makeFont(spec.font));
  list->setBackColor(spec.back);
  list->setForeColor(spec.fore);
  return list;
}

void stackFrontToBack(std::span<QWidget* const> controls) {
  for (auto it = std::rbegin(controls); it != std::rend(controls); ++it) {
    if (*it)
      (*it)->raise();
  }
}

}  // namespace quiravel::frame
