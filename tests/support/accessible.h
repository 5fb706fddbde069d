// What assistive technology finds: an object's accessible interface and its press action.
#pragma once

class QAccessibleInterface;
class QObject;

namespace quiravel::test {

// The accessible interface of `object`; every object the tests ask about has one.
QAccessibleInterface* accessible(QObject* object);

// Runs the press action of `object`'s accessible interface, as a screen reader's user does.
void pressAction(QObject* object);

}  // namespace quiravel::test
