#include "tests/support/accessible.h"

#include <QAccessible>

namespace quiravel::test {

QAccessibleInterface* accessible(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  Q_ASSERT(iface);
  return iface;
}

void pressAction(QObject* object) {
  accessible(object)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

QList<QAccessibleInterface*> related(QAccessibleInterface* iface, QAccessible::Relation relation) {
  QList<QAccessibleInterface*> objects;
  for (const auto& [object, _] : iface->relations(relation))
    objects.append(object);
  return objects;
}

}  // namespace quiravel::test
