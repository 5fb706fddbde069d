// What assistive technology finds: an object's accessible interface and its press action.
#pragma once

#include <QAccessible>
#include <QList>

class QObject;

namespace quiravel::test {

// The accessible interface of `object`; every object the tests ask about has one.
QAccessibleInterface* accessible(QObject* object);

// Runs the press action of `object`'s accessible interface, as a screen reader's user does.
void pressAction(QObject* object);

// The objects `iface` stands in `relation` to: QAccessible::Label gives those that label it.
QList<QAccessibleInterface*> related(QAccessibleInterface* iface, QAccessible::Relation relation);

}  // namespace quiravel::test
