// Checks the scoring: item values, band choice, the score line, whole
// questionnaires (worked examples and every answer combination of the anxiety
// test) and the handling of answer sequences of the wrong length.
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/screening.h"
#include "tests/engine/which.h"

namespace quiravel::engine {
namespace {

using test::nameOf;
using test::testFor;
using test::Which;

// n answers, all `fill`, then the 1-based items in `yesItems` set to Yes.
std::vector<AnswerState> answers(std::size_t n, AnswerState fill,
                                 std::initializer_list<std::size_t> yesItems = {}) {
  std::vector<AnswerState> result(n, fill);
  for (const std::size_t item : yesItems) {
    result.at(item - 1) = AnswerState::Yes;
  }
  return result;
}

// The first `yes` answers Yes, the rest No.
std::vector<AnswerState> firstYes(std::size_t n, std::size_t yes) {
  std::vector<AnswerState> result(n, AnswerState::No);
  for (std::size_t i = 0; i < yes; ++i) {
    result.at(i) = AnswerState::Yes;
  }
  return result;
}

void expectSameResult(const ScreeningResult& actual, const ScreeningResult& expected) {
  EXPECT_EQ(actual.total, expected.total);
  EXPECT_EQ(actual.scoreLine, expected.scoreLine);
  EXPECT_EQ(actual.caption, expected.caption);
  EXPECT_EQ(actual.advice, expected.advice);
}

// ---------------------------------------------------------------------------
// Item values

struct ValueCase {
  AnswerState answer;
  int expected;
};

class ItemValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ItemValue, IsZeroOrOne) {
  EXPECT_EQ(itemValue(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    States, ItemValue,
    ::testing::Values(ValueCase{AnswerState::None, 0}, ValueCase{AnswerState::No, 0},
                      ValueCase{AnswerState::Yes, 1},
                      // Values outside the enumeration count as no answer.
                      ValueCase{static_cast<AnswerState>(-1), 0},
                      ValueCase{static_cast<AnswerState>(3), 0},
                      ValueCase{static_cast<AnswerState>(std::numeric_limits<int>::max()), 0}));

// ---------------------------------------------------------------------------
// Score line

class ScoreLine : public ::testing::TestWithParam<int> {};

TEST_P(ScoreLine, IsPrefixAndPlainDigits) {
  const int total = GetParam();
  EXPECT_EQ(formatScoreLine(static_cast<float>(total)),
            "Your total score is : " + std::to_string(total));
}

INSTANTIATE_TEST_SUITE_P(EveryPossibleTotal, ScoreLine, ::testing::Range(0, 16));

TEST(ScoreLineText, PrefixIsTwentyTwoCharacters) {
  const std::string line = formatScoreLine(0.0F);
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(line.size(), 23U);
  EXPECT_EQ(line.substr(0, 22), "Your total score is : ");
}

TEST(ScoreLineText, UsesShortestFormForOtherValues) {
  EXPECT_EQ(formatScoreLine(0.5F), "Your total score is : 0.5");
  EXPECT_EQ(formatScoreLine(100.0F), "Your total score is : 100");
  EXPECT_EQ(formatScoreLine(0.1F), "Your total score is : 0.1");
}

// ---------------------------------------------------------------------------
// Band choice

struct CoverageCase {
  Which test;
  std::vector<std::size_t> bandOfTotal;  // index = total
};

class BandCoverage : public ::testing::TestWithParam<CoverageCase> {};

TEST_P(BandCoverage, EveryPossibleTotalGetsTheBandThatContainsIt) {
  const ScreeningTest& test = testFor(GetParam().test);
  const std::vector<std::size_t>& expected = GetParam().bandOfTotal;
  ASSERT_EQ(expected.size(), test.items.size() + 1);
  for (std::size_t total = 0; total < expected.size(); ++total) {
    SCOPED_TRACE(total);
    const ScoreBand& band = selectBand(test, static_cast<float>(total));
    // A reference into the test's own bands, not a copy.
    EXPECT_EQ(&band, &test.bands.at(expected[total]));
    EXPECT_LE(band.low, static_cast<int>(total));
    EXPECT_GE(band.high, static_cast<int>(total));
  }
}

INSTANTIATE_TEST_SUITE_P(
    BothTests, BandCoverage,
    ::testing::Values(CoverageCase{Which::Depression,
                                   {0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3}},
                      CoverageCase{Which::Anxiety, {0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2}}),
    [](const ::testing::TestParamInfo<CoverageCase>& info) { return nameOf(info.param.test); });

// Totals that scoring never produces still get a band, following the order
// of the comparisons: not above 0 -> first band; inside an inner band -> that
// band; anything else (above the top, or between two inner bands) -> last band.
struct OddTotalCase {
  const char* name;
  Which test;
  float total;
  std::size_t band;
};

class OddTotal : public ::testing::TestWithParam<OddTotalCase> {};

TEST_P(OddTotal, FollowsTheComparisonOrder) {
  const ScreeningTest& test = testFor(GetParam().test);
  EXPECT_EQ(&selectBand(test, GetParam().total), &test.bands.at(GetParam().band));
}

INSTANTIATE_TEST_SUITE_P(
    Totals, OddTotal,
    ::testing::Values(OddTotalCase{"DepressionMinusOne", Which::Depression, -1.0F, 0},
                      OddTotalCase{"DepressionNegativeZero", Which::Depression, -0.0F, 0},
                      OddTotalCase{"DepressionLowest", Which::Depression,
                                   std::numeric_limits<float>::lowest(), 0},
                      OddTotalCase{"DepressionHalf", Which::Depression, 0.5F, 3},
                      OddTotalCase{"DepressionFourAndAHalf", Which::Depression, 4.5F, 3},
                      OddTotalCase{"DepressionNineAndAHalf", Which::Depression, 9.5F, 3},
                      OddTotalCase{"DepressionSixteen", Which::Depression, 16.0F, 3},
                      OddTotalCase{"DepressionMax", Which::Depression,
                                   std::numeric_limits<float>::max(), 3},
                      OddTotalCase{"AnxietyMinusOne", Which::Anxiety, -1.0F, 0},
                      OddTotalCase{"AnxietyFourAndAHalf", Which::Anxiety, 4.5F, 2},
                      OddTotalCase{"AnxietyEleven", Which::Anxiety, 11.0F, 2}),
    [](const ::testing::TestParamInfo<OddTotalCase>& info) {
      return std::string(info.param.name);
    });

// ---------------------------------------------------------------------------
// Whole questionnaires

struct ScoreCase {
  const char* name;
  Which test;
  std::vector<AnswerState> answers;
  float total;
  std::string_view scoreLine;
  std::string_view caption;
  std::size_t band;  // whose advice is expected
};

class WholeTest : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(WholeTest, GivesTheExpectedResult) {
  const ScoreCase& c = GetParam();
  const ScreeningTest& test = testFor(c.test);
  const ScreeningResult result = scoreTest(test, c.answers);
  EXPECT_EQ(result.total, c.total);
  EXPECT_EQ(result.scoreLine, c.scoreLine);
  EXPECT_EQ(result.caption, c.caption);
  EXPECT_EQ(result.advice, test.bands.at(c.band).advice);
}

constexpr AnswerState kNone = AnswerState::None;
constexpr AnswerState kNo = AnswerState::No;
constexpr AnswerState kYes = AnswerState::Yes;

INSTANTIATE_TEST_SUITE_P(
    Examples, WholeTest,
    ::testing::Values(
        ScoreCase{"DepressionUntouched", Which::Depression, answers(15, kNone), 0.0F,
                  "Your total score is : 0", "No Depression (0):", 0},
        ScoreCase{"AnxietyUntouched", Which::Anxiety, answers(10, kNone), 0.0F,
                  "Your total score is : 0", "No Anxiety Symptoms(0):", 0},
        ScoreCase{"DepressionAllNo", Which::Depression, answers(15, kNo), 0.0F,
                  "Your total score is : 0", "No Depression (0):", 0},
        ScoreCase{"AnxietyAllNo", Which::Anxiety, answers(10, kNo), 0.0F, "Your total score is : 0",
                  "No Anxiety Symptoms(0):", 0},
        ScoreCase{"DepressionNoAndUntouched",
                  Which::Depression,
                  {kNo, kNone, kNo, kNone, kNone, kNo, kNo, kNone, kNo, kNone, kNo, kNo, kNone,
                   kNone, kNo},
                  0.0F,
                  "Your total score is : 0",
                  "No Depression (0):",
                  0},
        ScoreCase{"AnxietyNoAndUntouched",
                  Which::Anxiety,
                  {kNone, kNo, kNone, kNo, kNo, kNone, kNone, kNo, kNone, kNo},
                  0.0F,
                  "Your total score is : 0",
                  "No Anxiety Symptoms(0):",
                  0},
        ScoreCase{"DepressionAllYes", Which::Depression, answers(15, kYes), 15.0F,
                  "Your total score is : 15", "Major Depression (10-15):", 3},
        ScoreCase{"AnxietyAllYes", Which::Anxiety, answers(10, kYes), 10.0F,
                  "Your total score is : 10", "Major Anxiety(5-10): ", 2},
        // Yes for items 1, 2 and 8, the rest untouched.
        ScoreCase{"DepressionItems1_2_8", Which::Depression, answers(15, kNone, {1, 2, 8}), 3.0F,
                  "Your total score is : 3", "Mild Depression (1-4):", 1},
        // Yes for items 1 to 5, No for 6 to 10.
        ScoreCase{"AnxietyItems1To5", Which::Anxiety, firstYes(10, 5), 5.0F,
                  "Your total score is : 5", "Major Anxiety(5-10): ", 2},
        // Yes for items 1 to 9, then 1 to 10, No for the rest.
        ScoreCase{"DepressionItems1To9", Which::Depression, firstYes(15, 9), 9.0F,
                  "Your total score is : 9", "Moderate Depression (5-9): ", 2},
        ScoreCase{"DepressionItems1To10", Which::Depression, firstYes(15, 10), 10.0F,
                  "Your total score is : 10", "Major Depression (10-15):", 3},
        // Band boundaries, with the Yes answers at the end rather than the start.
        ScoreCase{"DepressionBoundary1", Which::Depression, answers(15, kNo, {15}), 1.0F,
                  "Your total score is : 1", "Mild Depression (1-4):", 1},
        ScoreCase{"DepressionBoundary4", Which::Depression, answers(15, kNo, {12, 13, 14, 15}),
                  4.0F, "Your total score is : 4", "Mild Depression (1-4):", 1},
        ScoreCase{"DepressionBoundary5", Which::Depression, answers(15, kNo, {11, 12, 13, 14, 15}),
                  5.0F, "Your total score is : 5", "Moderate Depression (5-9): ", 2},
        ScoreCase{"AnxietyBoundary1", Which::Anxiety, answers(10, kNone, {10}), 1.0F,
                  "Your total score is : 1", "Mild Anxiety(1-4):", 1},
        ScoreCase{"AnxietyBoundary4", Which::Anxiety, answers(10, kNone, {7, 8, 9, 10}), 4.0F,
                  "Your total score is : 4", "Mild Anxiety(1-4):", 1}),
    [](const ::testing::TestParamInfo<ScoreCase>& info) { return std::string(info.param.name); });

TEST(Scoring, TwiceWithTheSameAnswersGivesIdenticalResults) {
  const std::vector<AnswerState> given = answers(15, kNo, {2, 3, 5, 7, 11, 13});
  expectSameResult(scoreTest(depressionTest(), given), scoreTest(depressionTest(), given));
}

TEST(Scoring, TurningAnyOneYesIntoNoLowersTheTotalByOne) {
  for (const Which which : {Which::Depression, Which::Anxiety}) {
    const ScreeningTest& test = testFor(which);
    const std::vector<AnswerState> allYes(test.items.size(), kYes);
    const float before = scoreTest(test, allYes).total;
    for (std::size_t i = 0; i < allYes.size(); ++i) {
      SCOPED_TRACE(nameOf(which) + " item " + std::to_string(i + 1));
      std::vector<AnswerState> changed = allYes;
      changed[i] = kNo;
      EXPECT_EQ(scoreTest(test, changed).total, before - 1.0F);
    }
  }
}

// Every one of the 3^10 combinations of None / No / Yes over the anxiety
// items: only the number of Yes answers matters.
TEST(Scoring, AnxietyEveryCombinationDependsOnlyOnTheNumberOfYes) {
  const ScreeningTest& test = anxietyTest();
  const std::size_t n = test.items.size();
  ASSERT_EQ(n, 10U);

  std::vector<ScreeningResult> byCount;
  for (std::size_t yes = 0; yes <= n; ++yes) {
    byCount.push_back(scoreTest(test, firstYes(n, yes)));
  }

  std::vector<AnswerState> given(n, kNone);
  std::size_t combinations = 0;
  int failures = 0;
  for (;;) {
    std::size_t yes = 0;
    for (const AnswerState a : given) {
      yes += a == kYes ? 1U : 0U;
    }
    const ScreeningResult result = scoreTest(test, given);
    const ScreeningResult& expected = byCount[yes];
    if (result.total != static_cast<float>(yes) || result.scoreLine != expected.scoreLine ||
        result.caption != expected.caption || result.advice != expected.advice) {
      ADD_FAILURE() << "combination " << combinations << " with " << yes << " Yes answers scored "
                    << result.scoreLine << " / " << result.caption;
      if (++failures >= 10) {
        return;
      }
    }
    ++combinations;

    // Next combination: count in base 3 over the answers.
    std::size_t i = 0;
    while (i < n && given[i] == kYes) {
      given[i] = kNone;
      ++i;
    }
    if (i == n) {
      break;
    }
    given[i] = given[i] == kNone ? kNo : kYes;
  }
  EXPECT_EQ(combinations, 59049U);
}

// ---------------------------------------------------------------------------
// Wrong number of answers

struct CountCase {
  Which test;
  std::size_t answerCount;
};

class WrongCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(WrongCount, ThrowsNamingBothCounts) {
  const ScreeningTest& test = testFor(GetParam().test);
  const std::vector<AnswerState> given(GetParam().answerCount, kYes);
  const std::string expected = "scoreTest: expected " + std::to_string(test.items.size()) +
                               " answers, got " + std::to_string(given.size());
  try {
    (void)scoreTest(test, given);
    FAIL() << "no exception for " << given.size() << " answers";
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(std::string(error.what()), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, WrongCount,
    ::testing::Values(CountCase{Which::Depression, 0}, CountCase{Which::Depression, 14},
                      CountCase{Which::Depression, 16}, CountCase{Which::Depression, 10},
                      CountCase{Which::Anxiety, 0}, CountCase{Which::Anxiety, 9},
                      CountCase{Which::Anxiety, 11}, CountCase{Which::Anxiety, 15}),
    [](const ::testing::TestParamInfo<CountCase>& info) {
      return nameOf(info.param.test) + "_" + std::to_string(info.param.answerCount);
    });

}  // namespace
}  // namespace quiravel::engine
