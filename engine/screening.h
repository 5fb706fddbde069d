// The screening engine: the two built-in yes/no questionnaires as constant
// data, and the arithmetic that turns one filled-in questionnaire into a
// score, a band caption and a paragraph of advice. Plain C++, no windowing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiravel::engine {

// Contact address printed at the end of every About text (the tests' and the
// main menu's).
inline constexpr std::string_view kAuthorAddress = "quiravel.author@example.org";

// The closing lines of every About text (the tests' and the main menu's): a
// rule, the author line and the contact line with kAuthorAddress, joined by
// CR LF, with none after the last line.
std::string aboutSignature();

// State of one item's answer list: nothing picked yet (the list still shows
// its initial "No"), "No" picked, or "Yes" picked.
enum class AnswerState { None, No, Yes };

// One question of a test.
struct TestItem {
  int number = 0;       // 1-based position in the test
  std::string text;     // full text as shown, starting with "<number>. "
  int answerIndex = 0;  // 0-based index of the item's label and answer list; number - 1
};

// One interpretation band: the totals low..high (both included), its heading
// and its paragraph of advice.
struct ScoreBand {
  int low = 0;
  int high = 0;
  std::string caption;
  std::string advice;
};

class ScreeningTest;

const ScreeningTest& depressionTest();
const ScreeningTest& anxietyTest();

// One questionnaire. The only two instances are built once, on first use, by
// depressionTest() and anxietyTest() and live for the whole run; everybody
// else holds a const reference. Copying is disabled so that a reference is
// never turned into a copy by accident.
class ScreeningTest {
 public:
  ScreeningTest(const ScreeningTest&) = delete;
  ScreeningTest& operator=(const ScreeningTest&) = delete;

  std::string displayTitle;      // title of the questionnaire window
  std::string aboutText;         // About box text, lines joined by CR LF
  std::vector<TestItem> items;   // display order == scoring order
  std::vector<ScoreBand> bands;  // from the lowest totals to the highest; never empty

 private:
  ScreeningTest(std::string title, std::string about, std::vector<TestItem> testItems,
                std::vector<ScoreBand> testBands);

  friend const ScreeningTest& depressionTest();
  friend const ScreeningTest& anxietyTest();
};

// Outcome of scoring one questionnaire.
struct ScreeningResult {
  float total = 0.0F;     // number of "Yes" answers
  std::string scoreLine;  // "Your total score is : <total>"
  std::string caption;    // caption of the chosen band
  std::string advice;     // advice of the chosen band
};

// Maps an answer list's selected index to its state: -1 -> None, 0 -> No,
// 1 -> Yes. The lists hold two entries only; any other index gives None.
AnswerState answerFromListIndex(std::int16_t index);

// 1 for Yes, 0 for No and None (and for any value outside the enumeration).
int itemValue(AnswerState answer);

// The band for a total: total <= 0 gives the first band; otherwise the first
// of the inner bands with low <= total <= high; otherwise the last band, which
// has no upper limit.
const ScoreBand& selectBand(const ScreeningTest& test, float total);

// "Your total score is : " followed by the total in its shortest general
// decimal form ("Your total score is : 7").
std::string formatScoreLine(float total);

// Scores one questionnaire. `answers` holds one state per item in answerIndex
// order. Throws std::invalid_argument if the number of answers differs from
// the number of items.
ScreeningResult scoreTest(const ScreeningTest& test, std::span<const AnswerState> answers);

}  // namespace quiravel::engine
