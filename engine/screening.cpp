// Both questionnaires as constant data, and the scoring of one filled-in questionnaire.
#include "engine/screening.h"

#include <charconv>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace quiravel::engine {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kRule = "------------------------------------------------------";
constexpr std::string_view kProgrammingBy = "Programming by : Tesmarin ";
constexpr std::string_view kScoreLinePrefix = "Your total score is : ";

std::string joinLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  bool first = true;
  for (const std::string_view line : lines) {
    if (!first) {
      text += kCrLf;
    }
    text += line;
    first = false;
  }
  return text;
}

// Numbers the item texts 1..n in the order given.
std::vector<TestItem> numberItems(std::initializer_list<std::string_view> texts) {
  std::vector<TestItem> items;
  items.reserve(texts.size());
  int index = 0;
  for (const std::string_view text : texts) {
    items.push_back(TestItem{index + 1, std::string(text), index});
    ++index;
  }
  return items;
}

}  // namespace

std::string aboutSignature() {
  std::string contact = "E-mail <";
  contact += kAuthorAddress;
  contact += "> ";
  return joinLines({kRule, kProgrammingBy, contact});
}

ScreeningTest::ScreeningTest(std::string title, std::string about, std::vector<TestItem> testItems,
                             std::vector<ScoreBand> testBands)
    : displayTitle(std::move(title)),
      aboutText(std::move(about)),
      items(std::move(testItems)),
      bands(std::move(testBands)) {}

const ScreeningTest& depressionTest() {
  static const ScreeningTest test(
      "Depression Screening Test",
      joinLines({"Depression  Screening Test ", "",
                 "Based on the classic symptoms of major depression, this test will give you an "
                 "idea of how you are functioning in relation to this and other mood disorders.  "
                 "Also provides feedback and recommendations.   ",
                 aboutSignature()}),
      numberItems({
          "1. Have you felt sad or tearful for a majority of the day for at least the last two "
          "weeks?",
          "2. Have you lost interest in activities which you used to enjoy?",
          "3. Is it difficult for you to fall asleep most nights to the point that you do not get "
          "adequate sleep and are tired the next day?",
          "4. Do you feel you sleep a lot more than you should because of feeling fatigued most of "
          "the day for at least the last two weeks?",
          "5. Have you noticed a change in your appetite that has resulted in either not feeling "
          "hungry most days or feeling the urge to eat more than usual and has resulted in a "
          "change in your weight?",
          "6. Has your energy level decreased to the point that normal daily activities seem "
          "overwhelming?",
          "7. Have you noticed that it seems more difficult to stay focused on activities or to "
          "concentrate on complicated tasks?",
          "8. Have you thought about suicide or what it would be like if you were not around "
          "anymore?",
          "9. Do you find yourself getting angry easily or lashing out at people without a valid "
          "reason?",
          "10. Do friends or family tell you that they are concerned about you because of your "
          "feelings of sadness, your sleep patterns, or your anger?",
          "11. Is it more difficult for you to make decisions, even regarding simple matters which "
          "used to be easy?",
          "12. Do you cry more easily than you used to?",
          "13. Do you often criticize yourself about things you have done in the past or about "
          "decisions you have made?",
          "14. Have feelings of sadness or anger, changes in your sleep pattern, or a lack of "
          "motivation and energy gotten in the way of achieving goals or performing work "
          "activities?",
          "15. Does the future look bleak or even hopeless to you?",
      }),
      {
          {0, 0, "No Depression (0):",
           "You are more lucky than most or have developed a positive attitude toward life and an "
           "effective means of warding off depressive symptomatology."},
          {1, 4, "Mild Depression (1-4):",
           "Some of the items you responded to are symptoms of major depression, but you do not "
           "meet the diagnostic criteria for this disorder. However, these can be serious "
           "symptoms, especially if feelings of hopelessness or thoughts of suicide are "
           "predominant for you. If this is the case, you should seek out assistance, either "
           "through a licensed professional or through a close friend or family member whom you "
           "feel you can trust.  It is likely that you have a specific concern that you should "
           "look at."},
          {5, 9, "Moderate Depression (5-9): ",
           "You have endorsed some symptoms of major depression and have most likely noticed that "
           "you are not feeling as well as you have in the past and that these feelings are "
           "starting to play a role in your daily activities.  You may want to consider seeing a "
           "professional about your symptoms, if nothing more than to get a more accurate "
           "impression of how these symptoms are affecting your life."},
          {10, 15, "Major Depression (10-15):",
           "You have endorsed many of the symptoms commonly seen in people who suffer from major "
           "depression.  You should be concerned about these symptoms and it is likely that close "
           "friends and family members are also concerned.  It is highly recommended that you "
           "consider seeing a psychiatrist or psychologist for an evaluation.  Depression is a "
           "serious disorder but is highly treatable."},
      });
  return test;
}

const ScreeningTest& anxietyTest() {
  static const ScreeningTest test(
      "Anxiety Screening Test",
      joinLines({"Anxiety Screening Test ",
                 "This test focuses on general symptoms of anxiety rather than any particular "
                 "disorder in this category.  It gives you an overall view of how anxiety is "
                 "affecting your life and provides recommendations.   ",
                 aboutSignature()}),
      numberItems({
          "1. Do you worry about things, such as work or school,  more days than not?",
          "2. Do you find it difficult to stop thoughts related to worrying?",
          "3. Do you often feel restless or on edge even when nothing is going on around you to "
          "cause these feelings?",
          "4. Is it hard for you to concentrate on specific tasks or do you often notice your mind "
          "just \"going blank\".",
          "5. Do you often feel irritable or tense even when nothing is going on which would "
          "justify this feeling?",
          "6. Is it difficult for you to fall asleep due to too many thoughts in your head?",
          "7. Do you notice your muscles getting tense frequently or feel tension in the muscles "
          "of your lower back, neck, or eyes?",
          "8. Do you find it difficult to sit still without having to fiddle with something, "
          "doodle, or make other repetitious movements?",
          "9. Have you noticed periods during the day when you have symptoms such as heart "
          "palpitations, sweaty palms, or shallow breathing?",
          "10. Do friends or family members tell you that you are too high strung, worry too much "
          "about little things, or need to \u2018chill.\u2019",
      }),
      {
          {0, 0, "No Anxiety Symptoms(0):",
           "You are more lucky than most and have been successful in warding off the symptoms of "
           "anxiety. Keep doing what you are doing and if you find anxiety or stress creeping up "
           "on you, recognize it and nip it in the bud."},
          {1, 4, "Mild Anxiety(1-4):",
           "Some of the items you responded to are symptoms of generalized anxiety disorder and "
           "other disorders in this category. Your general symptoms may be mild, but it might be "
           "wise to look into those items which you endorsed to determine if they are resulting in "
           "difficulties in your life."},
          {5, 10, "Major Anxiety(5-10): ",
           "You have endorsed many of the symptoms commonly seen in people who suffer from "
           "generalized anxiety disorder and other disorders in this category. You worry "
           "excessively, feel out of control at times, and fear that things will go wrong even "
           "without information to support this. If anxiety is causing you distress or getting in "
           "the way of achieving your goals, recommendations would include looking into therapy, "
           "medication, or a group."},
      });
  return test;
}

AnswerState answerFromListIndex(std::int16_t index) {
  switch (index) {
    case 0:
      return AnswerState::No;
    case 1:
      return AnswerState::Yes;
    default:  // -1 (nothing selected), and anything a two-entry list cannot hold
      return AnswerState::None;
  }
}

int itemValue(AnswerState answer) {
  // An untouched list shows "No" and counts as "No".
  return answer == AnswerState::Yes ? 1 : 0;
}

const ScoreBand& selectBand(const ScreeningTest& test, float total) {
  const std::vector<ScoreBand>& bands = test.bands;
  if (total <= 0.0F) {
    return bands.front();
  }
  for (std::size_t i = 1; i + 1 < bands.size(); ++i) {
    const ScoreBand& band = bands[i];
    if (static_cast<float>(band.low) <= total && total <= static_cast<float>(band.high)) {
      return band;
    }
  }
  return bands.back();
}

std::string formatScoreLine(float total) {
  // Room for the longest float in general form ("-1.17549435e-38" is 15 chars).
  char digits[32];
  const std::to_chars_result written =
      std::to_chars(std::begin(digits), std::end(digits), total, std::chars_format::general);
  std::string line(kScoreLinePrefix);
  if (written.ec == std::errc{}) {
    line.append(std::begin(digits), written.ptr);
  }
  return line;
}

ScreeningResult scoreTest(const ScreeningTest& test, std::span<const AnswerState> answers) {
  if (answers.size() != test.items.size()) {
    throw std::invalid_argument("scoreTest: expected " + std::to_string(test.items.size()) +
                                " answers, got " + std::to_string(answers.size()));
  }
  float total = 0.0F;
  for (const AnswerState answer : answers) {
    total += static_cast<float>(itemValue(answer));
  }
  const ScoreBand& band = selectBand(test, total);
  return ScreeningResult{total, formatScoreLine(total), band.caption, band.advice};
}

}  // namespace quiravel::engine
