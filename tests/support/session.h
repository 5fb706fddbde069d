// The steps of a session that many tests walk: a click on a label, answers chosen in a
// questionnaire, and the result window's texts against the engine's result.
#pragma once

#include "engine/screening.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace quiravel::test {

// A left click near the top left-hand corner of the label `name` of `window`; fails the test
// when there is no such label.
void clickLabel(QWidget* window, const QString& name);

// Chooses "Yes" in the answer lists of the items numbered `yes` (1 for the first) and "No" in
// those of `no`; the other lists stay untouched.
void chooseAnswers(QWidget* window, const QList<int>& yes, const QList<int>& no = {});

// The engine's result for `test` with the items numbered `yes` answered "Yes" and every other
// item answered `others`.
engine::ScreeningResult resultWithYes(const engine::ScreeningTest& test, const QList<int>& yes,
                                      engine::AnswerState others = engine::AnswerState::None);

// The result window's texts in the order Label1 (score line), Label2 (band caption), Label3
// (advice); a missing label reads "<no Label2>". The same three texts of an engine result.
QStringList resultTexts(const QWidget* window);
QStringList resultTexts(const engine::ScreeningResult& result);

}  // namespace quiravel::test
