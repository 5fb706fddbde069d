// The two built-in questionnaires as a parameter of the engine tests.
#pragma once

#include "engine/screening.h"

#include <string>

namespace quiravel::test {

enum class Which { Depression, Anxiety };

inline const engine::ScreeningTest& testFor(Which which) {
  return which == Which::Depression ? engine::depressionTest() : engine::anxietyTest();
}

// The questionnaire's name as a test name: "Depression", "Anxiety".
inline std::string nameOf(Which which) {
  return which == Which::Depression ? "Depression" : "Anxiety";
}

}  // namespace quiravel::test
