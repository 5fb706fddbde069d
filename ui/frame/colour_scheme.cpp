#include "ui/frame/colour_scheme.h"

#include "ui/frame/label.h"
#include "ui/frame/shape.h"

namespace quiravel::frame {

void applyColours(QWidget* window, std::span<const ColourStep> steps) {
  if (!window)
    return;
  for (const ColourStep& step : steps) {
    QWidget* control =
        window->findChild<QWidget*>(QLatin1String(step.control), Qt::FindDirectChildrenOnly);
    if (auto* label = qobject_cast<Label*>(control)) {
      if (step.paint == Paint::BackColor)
        label->setBackColor(step.colour);
      if (step.paint == Paint::ForeColor)
        label->setForeColor(step.colour);
    } else if (auto* shape = qobject_cast<Shape*>(control)) {
      if (step.paint == Paint::BorderColor)
        shape->setBorderColor(step.colour);
    }
  }
}

}  // namespace quiravel::frame
