// Checks the built-in questionnaires character for character: titles, About
// texts, item texts, band ranges, captions and advice, and the answer-list
// mapping.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "engine/screening.h"
#include "tests/engine/which.h"

namespace quiravel::engine {
namespace {

using test::nameOf;
using test::testFor;
using test::Which;

// Number of Unicode code points in a UTF-8 string (continuation bytes are
// 10xxxxxx).
std::size_t codePoints(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
      ++count;
    }
  }
  return count;
}

std::vector<std::string> splitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

bool isPrintableAscii(std::string_view text) {
  for (const char c : text) {
    if (c < 0x20 || c > 0x7E) {
      return false;
    }
  }
  return true;
}

const std::string kRule(54, '-');

// ---------------------------------------------------------------------------
// Item texts

struct ItemCase {
  Which test;
  std::size_t answerIndex;
  std::string_view text;
};

// U+2018 / U+2019 are spelled out as their UTF-8 bytes here, on purpose in a
// different way than the engine source writes them.
// In the order of the answer lists.
const std::string_view kDepressionItems[] = {
    "1. Have you felt sad or tearful for a majority of the day for at least the last two weeks?",
    "2. Have you lost interest in activities which you used to enjoy?",
    "3. Is it difficult for you to fall asleep most nights to the point that you do not get "
    "adequate sleep and are tired the next day?",
    "4. Do you feel you sleep a lot more than you should because of feeling fatigued most of the "
    "day for at least the last two weeks?",
    "5. Have you noticed a change in your appetite that has resulted in either not feeling hungry "
    "most days or feeling the urge to eat more than usual and has resulted in a change in your "
    "weight?",
    "6. Has your energy level decreased to the point that normal daily activities seem "
    "overwhelming?",
    "7. Have you noticed that it seems more difficult to stay focused on activities or to "
    "concentrate on complicated tasks?",
    "8. Have you thought about suicide or what it would be like if you were not around anymore?",
    "9. Do you find yourself getting angry easily or lashing out at people without a valid "
    "reason?",
    "10. Do friends or family tell you that they are concerned about you because of your feelings "
    "of sadness, your sleep patterns, or your anger?",
    "11. Is it more difficult for you to make decisions, even regarding simple matters which used "
    "to be easy?",
    "12. Do you cry more easily than you used to?",
    "13. Do you often criticize yourself about things you have done in the past or about "
    "decisions you have made?",
    "14. Have feelings of sadness or anger, changes in your sleep pattern, or a lack of "
    "motivation and energy gotten in the way of achieving goals or performing work activities?",
    "15. Does the future look bleak or even hopeless to you?",
};

const std::string_view kAnxietyItems[] = {
    "1. Do you worry about things, such as work or school,  more days than not?",
    "2. Do you find it difficult to stop thoughts related to worrying?",
    "3. Do you often feel restless or on edge even when nothing is going on around you to cause "
    "these feelings?",
    "4. Is it hard for you to concentrate on specific tasks or do you often notice your mind just "
    "\"going blank\".",
    "5. Do you often feel irritable or tense even when nothing is going on which would justify "
    "this feeling?",
    "6. Is it difficult for you to fall asleep due to too many thoughts in your head?",
    "7. Do you notice your muscles getting tense frequently or feel tension in the muscles of "
    "your lower back, neck, or eyes?",
    "8. Do you find it difficult to sit still without having to fiddle with something, doodle, or "
    "make other repetitious movements?",
    "9. Have you noticed periods during the day when you have symptoms such as heart "
    "palpitations, sweaty palms, or shallow breathing?",
    "10. Do friends or family members tell you that you are too high strung, worry too much about "
    "little things, or need to \xE2\x80\x98"
    "chill."
    "\xE2\x80\x99",
};

std::vector<ItemCase> itemCases() {
  std::vector<ItemCase> cases;
  for (std::size_t i = 0; i < std::size(kDepressionItems); ++i)
    cases.push_back({Which::Depression, i, kDepressionItems[i]});
  for (std::size_t i = 0; i < std::size(kAnxietyItems); ++i)
    cases.push_back({Which::Anxiety, i, kAnxietyItems[i]});
  return cases;
}

class ItemText : public ::testing::TestWithParam<ItemCase> {};

TEST_P(ItemText, IsExact) {
  const ItemCase& c = GetParam();
  const ScreeningTest& test = testFor(c.test);
  ASSERT_LT(c.answerIndex, test.items.size());
  EXPECT_EQ(test.items[c.answerIndex].text, c.text);
}

INSTANTIATE_TEST_SUITE_P(AllItems, ItemText, ::testing::ValuesIn(itemCases()),
                         [](const ::testing::TestParamInfo<ItemCase>& info) {
                           return nameOf(info.param.test) + "_" +
                                  std::to_string(info.param.answerIndex + 1);
                         });

// ---------------------------------------------------------------------------
// Bands

struct BandCase {
  Which test;
  std::size_t index;
  int low;
  int high;
  std::string_view caption;
  std::string_view advice;
};

const BandCase kBandCases[] = {
    {Which::Depression, 0, 0, 0, "No Depression (0):",
     "You are more lucky than most or have developed a positive attitude toward life and an "
     "effective means of warding off depressive symptomatology."},
    {Which::Depression, 1, 1, 4, "Mild Depression (1-4):",
     "Some of the items you responded to are symptoms of major depression, but you do not meet the "
     "diagnostic criteria for this disorder. However, these can be serious symptoms, especially if "
     "feelings of hopelessness or thoughts of suicide are predominant for you. If this is the "
     "case, you should seek out assistance, either through a licensed professional or through a "
     "close friend or family member whom you feel you can trust.  It is likely that you have a "
     "specific concern that you should look at."},
    {Which::Depression, 2, 5, 9, "Moderate Depression (5-9): ",
     "You have endorsed some symptoms of major depression and have most likely noticed that you "
     "are not feeling as well as you have in the past and that these feelings are starting to play "
     "a role in your daily activities.  You may want to consider seeing a professional about your "
     "symptoms, if nothing more than to get a more accurate impression of how these symptoms are "
     "affecting your life."},
    {Which::Depression, 3, 10, 15, "Major Depression (10-15):",
     "You have endorsed many of the symptoms commonly seen in people who suffer from major "
     "depression.  You should be concerned about these symptoms and it is likely that close "
     "friends and family members are also concerned.  It is highly recommended that you consider "
     "seeing a psychiatrist or psychologist for an evaluation.  Depression is a serious disorder "
     "but is highly treatable."},
    {Which::Anxiety, 0, 0, 0, "No Anxiety Symptoms(0):",
     "You are more lucky than most and have been successful in warding off the symptoms of "
     "anxiety. Keep doing what you are doing and if you find anxiety or stress creeping up on you, "
     "recognize it and nip it in the bud."},
    {Which::Anxiety, 1, 1, 4, "Mild Anxiety(1-4):",
     "Some of the items you responded to are symptoms of generalized anxiety disorder and other "
     "disorders in this category. Your general symptoms may be mild, but it might be wise to look "
     "into those items which you endorsed to determine if they are resulting in difficulties in "
     "your life."},
    {Which::Anxiety, 2, 5, 10, "Major Anxiety(5-10): ",
     "You have endorsed many of the symptoms commonly seen in people who suffer from generalized "
     "anxiety disorder and other disorders in this category. You worry excessively, feel out of "
     "control at times, and fear that things will go wrong even without information to support "
     "this. If anxiety is causing you distress or getting in the way of achieving your goals, "
     "recommendations would include looking into therapy, medication, or a group."},
};

class BandText : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandText, RangeCaptionAndAdviceAreExact) {
  const BandCase& c = GetParam();
  const ScreeningTest& test = testFor(c.test);
  ASSERT_LT(c.index, test.bands.size());
  const ScoreBand& band = test.bands[c.index];
  EXPECT_EQ(band.low, c.low);
  EXPECT_EQ(band.high, c.high);
  EXPECT_EQ(band.caption, c.caption);
  EXPECT_EQ(band.advice, c.advice);
}

INSTANTIATE_TEST_SUITE_P(AllBands, BandText, ::testing::ValuesIn(kBandCases),
                         [](const ::testing::TestParamInfo<BandCase>& info) {
                           return nameOf(info.param.test) + "_" + std::to_string(info.param.index);
                         });

TEST(BandText, OnlyModerateDepressionAndMajorAnxietyCaptionsEndWithABlank) {
  for (const BandCase& c : kBandCases) {
    const std::string& caption = testFor(c.test).bands.at(c.index).caption;
    const bool expectBlank =
        caption.starts_with("Moderate Depression") || caption.starts_with("Major Anxiety");
    SCOPED_TRACE(caption);
    ASSERT_FALSE(caption.empty());
    EXPECT_EQ(caption.back() == ' ', expectBlank);
  }
}

// ---------------------------------------------------------------------------
// Shape of each test

struct ShapeCase {
  Which test;
  std::size_t itemCount;
  std::size_t bandCount;
};

class TestShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(TestShape, HasTheExpectedNumberOfItemsAndBands) {
  const ScreeningTest& test = testFor(GetParam().test);
  EXPECT_EQ(test.items.size(), GetParam().itemCount);
  EXPECT_EQ(test.bands.size(), GetParam().bandCount);
}

TEST_P(TestShape, ItemsAreNumberedFromOneWithoutGaps) {
  const ScreeningTest& test = testFor(GetParam().test);
  for (std::size_t i = 0; i < test.items.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(test.items[i].number, static_cast<int>(i) + 1);
    EXPECT_EQ(test.items[i].answerIndex, test.items[i].number - 1);
  }
}

TEST_P(TestShape, EveryItemTextStartsWithItsOwnNumber) {
  const ScreeningTest& test = testFor(GetParam().test);
  for (const TestItem& item : test.items) {
    EXPECT_TRUE(item.text.starts_with(std::to_string(item.number) + ". ")) << item.text;
  }
}

TEST_P(TestShape, BandsCoverEveryTotalFromZeroToItemCountContiguously) {
  const ScreeningTest& test = testFor(GetParam().test);
  ASSERT_FALSE(test.bands.empty());
  EXPECT_EQ(test.bands.front().low, 0);
  for (std::size_t i = 0; i + 1 < test.bands.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_LE(test.bands[i].low, test.bands[i].high);
    EXPECT_EQ(test.bands[i + 1].low, test.bands[i].high + 1);
  }
  EXPECT_EQ(test.bands.back().high, static_cast<int>(GetParam().itemCount));
}

// Everything is plain printable ASCII, except the two curly quotes of anxiety
// item 10 and the line breaks of the About text (checked separately).
TEST_P(TestShape, TextsArePrintableAsciiExceptAnxietyItemTen) {
  const ScreeningTest& test = testFor(GetParam().test);
  EXPECT_TRUE(isPrintableAscii(test.displayTitle));
  for (const TestItem& item : test.items) {
    const bool curlyQuotesExpected = GetParam().test == Which::Anxiety && item.number == 10;
    EXPECT_EQ(isPrintableAscii(item.text), !curlyQuotesExpected) << item.text;
  }
  for (const ScoreBand& band : test.bands) {
    EXPECT_TRUE(isPrintableAscii(band.caption)) << band.caption;
    EXPECT_TRUE(isPrintableAscii(band.advice)) << band.advice;
  }
  for (const std::string& line : splitCrLf(test.aboutText)) {
    EXPECT_TRUE(isPrintableAscii(line)) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(BothTests, TestShape,
                         ::testing::Values(ShapeCase{Which::Depression, 15, 4},
                                           ShapeCase{Which::Anxiety, 10, 3}),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) {
                           return nameOf(info.param.test);
                         });

// ---------------------------------------------------------------------------
// Character counts, as an independent cross-check of the exact texts above

struct LengthCase {
  const char* name;
  std::string (*text)();
  std::size_t codePointCount;
};

const LengthCase kLengthCases[] = {
    {"DepressionTitle", [] { return depressionTest().displayTitle; }, 25},
    {"AnxietyTitle", [] { return anxietyTest().displayTitle; }, 22},
    {"DepressionAdvice1", [] { return depressionTest().bands.at(1).advice; }, 494},
    {"DepressionAdvice2", [] { return depressionTest().bands.at(2).advice; }, 386},
    {"DepressionAdvice3", [] { return depressionTest().bands.at(3).advice; }, 377},
    {"ModerateDepressionCaption", [] { return depressionTest().bands.at(2).caption; }, 27},
    {"MajorAnxietyCaption", [] { return anxietyTest().bands.at(2).caption; }, 21},
    {"AnxietyItem1", [] { return anxietyTest().items.at(0).text; }, 74},
    {"AnxietyItem4", [] { return anxietyTest().items.at(3).text; }, 107},
    {"AnxietyItem10", [] { return anxietyTest().items.at(9).text; }, 127},
    {"DepressionAboutLine1", [] { return splitCrLf(depressionTest().aboutText).at(0); }, 27},
    {"DepressionAboutLine3", [] { return splitCrLf(depressionTest().aboutText).at(2); }, 203},
    {"DepressionAboutRule", [] { return splitCrLf(depressionTest().aboutText).at(3); }, 54},
    {"AnxietyAboutLine1", [] { return splitCrLf(anxietyTest().aboutText).at(0); }, 23},
    {"AnxietyAboutLine2", [] { return splitCrLf(anxietyTest().aboutText).at(1); }, 203},
    {"AnxietyAboutRule", [] { return splitCrLf(anxietyTest().aboutText).at(2); }, 54},
};

class TextLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(TextLength, HasTheExpectedNumberOfCharacters) {
  EXPECT_EQ(codePoints(GetParam().text()), GetParam().codePointCount);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextLength, ::testing::ValuesIn(kLengthCases),
                         [](const ::testing::TestParamInfo<LengthCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(TextLength, AnxietyItemTenIsFourBytesLongerThanItsCharacterCount) {
  // Each curly quote is one character but three UTF-8 bytes.
  EXPECT_EQ(anxietyTest().items.at(9).text.size(), 131U);
}

// ---------------------------------------------------------------------------
// Particular characters that are easy to lose

TEST(ItemDetails, DepressionItemTenStartsWithItsTwoDigitNumber) {
  const TestItem& item = depressionTest().items.at(9);
  EXPECT_EQ(item.answerIndex, 9);
  EXPECT_TRUE(item.text.starts_with("10. "));
}

TEST(ItemDetails, AnxietyItemOneHasTwoBlanksAfterSchool) {
  EXPECT_NE(anxietyTest().items.at(0).text.find("school,  more"), std::string::npos);
}

TEST(ItemDetails, AnxietyItemFourEndsWithStraightQuotesAndAFullStop) {
  const std::string& text = anxietyTest().items.at(3).text;
  EXPECT_TRUE(text.ends_with(" \"going blank\".")) << text;
  EXPECT_EQ(text.find('?'), std::string::npos);
}

TEST(ItemDetails, AnxietyItemTenEndsWithCurlyQuotedChill) {
  const std::string& text = anxietyTest().items.at(9).text;
  EXPECT_TRUE(
      text.ends_with("need to \xE2\x80\x98"
                     "chill.\xE2\x80\x99"))
      << text;
}

// ---------------------------------------------------------------------------
// Titles and About texts

TEST(Titles, AreExact) {
  EXPECT_EQ(depressionTest().displayTitle, "Depression Screening Test");
  EXPECT_EQ(anxietyTest().displayTitle, "Anxiety Screening Test");
}

TEST(AboutText, AuthorAddressIsTheReservedExampleAddress) {
  EXPECT_EQ(kAuthorAddress, "quiravel.author@example.org");
}

// Both About texts end in the rule, the author's line and the e-mail line.
const std::string kSignature =
    kRule + "\r\nProgramming by : Tesmarin \r\nE-mail <" + std::string(kAuthorAddress) + "> ";

TEST(AboutText, DepressionIsExact) {
  EXPECT_EQ(depressionTest().aboutText,
            "Depression  Screening Test \r\n"
            "\r\n"
            "Based on the classic symptoms of major depression, this test will give you an idea "
            "of how you are functioning in relation to this and other mood disorders.  Also "
            "provides feedback and recommendations.   \r\n" +
                kSignature);
}

TEST(AboutText, AnxietyIsExact) {
  EXPECT_EQ(anxietyTest().aboutText,
            "Anxiety Screening Test \r\n"
            "This test focuses on general symptoms of anxiety rather than any particular "
            "disorder in this category.  It gives you an overall view of how anxiety is "
            "affecting your life and provides recommendations.   \r\n" +
                kSignature);
}

struct AboutCase {
  Which test;
  std::size_t lineCount;
  std::size_t emptyLineCount;
};

class AboutLayout : public ::testing::TestWithParam<AboutCase> {};

TEST_P(AboutLayout, SplitsIntoItsLinesWithoutTrailingBreak) {
  const std::string& about = testFor(GetParam().test).aboutText;
  const std::vector<std::string> lines = splitCrLf(about);
  EXPECT_EQ(lines.size(), GetParam().lineCount);
  std::size_t empty = 0;
  for (const std::string& line : lines) {
    empty += line.empty() ? 1U : 0U;
    // No stray CR or LF outside a CR LF pair.
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
  }
  EXPECT_EQ(empty, GetParam().emptyLineCount);
  EXPECT_FALSE(about.ends_with("\r\n"));
  EXPECT_FALSE(about.ends_with("\n"));
  EXPECT_EQ(lines.back(), "E-mail <" + std::string(kAuthorAddress) + "> ");
}

INSTANTIATE_TEST_SUITE_P(BothTests, AboutLayout,
                         ::testing::Values(AboutCase{Which::Depression, 6, 1},
                                           AboutCase{Which::Anxiety, 5, 0}),
                         [](const ::testing::TestParamInfo<AboutCase>& info) {
                           return nameOf(info.param.test);
                         });

TEST(AboutText, DepressionSecondLineIsTheEmptyOne) {
  EXPECT_EQ(splitCrLf(depressionTest().aboutText).at(1), "");
}

TEST(AboutText, FirstLinesDifferFromTheWindowTitles) {
  EXPECT_EQ(splitCrLf(depressionTest().aboutText).at(0), "Depression  Screening Test ");
  EXPECT_EQ(splitCrLf(anxietyTest().aboutText).at(0), "Anxiety Screening Test ");
  EXPECT_NE(splitCrLf(depressionTest().aboutText).at(0), depressionTest().displayTitle);
  EXPECT_NE(splitCrLf(anxietyTest().aboutText).at(0), anxietyTest().displayTitle);
}

// ---------------------------------------------------------------------------
// Identity: one constant instance per test, never copied

static_assert(!std::is_copy_constructible_v<ScreeningTest>);
static_assert(!std::is_copy_assignable_v<ScreeningTest>);
static_assert(!std::is_move_constructible_v<ScreeningTest>);
static_assert(!std::is_move_assignable_v<ScreeningTest>);
static_assert(std::is_same_v<decltype(depressionTest()), const ScreeningTest&>);
static_assert(std::is_same_v<decltype(anxietyTest()), const ScreeningTest&>);

TEST(Instances, EachCallReturnsTheSameObject) {
  EXPECT_EQ(&depressionTest(), &depressionTest());
  EXPECT_EQ(&anxietyTest(), &anxietyTest());
  EXPECT_NE(&depressionTest(), &anxietyTest());
}

// ---------------------------------------------------------------------------
// Answer lists

struct ListIndexCase {
  std::int16_t index;
  AnswerState expected;
};

class ListIndex : public ::testing::TestWithParam<ListIndexCase> {};

TEST_P(ListIndex, MapsToAnswerState) {
  EXPECT_EQ(answerFromListIndex(GetParam().index), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, ListIndex,
    ::testing::Values(ListIndexCase{-1, AnswerState::None}, ListIndexCase{0, AnswerState::No},
                      ListIndexCase{1, AnswerState::Yes},
                      // A two-entry list never reports these; they must not count as answers.
                      ListIndexCase{-32768, AnswerState::None},
                      ListIndexCase{-2, AnswerState::None}, ListIndexCase{2, AnswerState::None},
                      ListIndexCase{32767, AnswerState::None}),
    [](const ::testing::TestParamInfo<ListIndexCase>& info) {
      const int index = info.param.index;
      return index < 0 ? "Minus" + std::to_string(-index) : std::to_string(index);
    });

}  // namespace
}  // namespace quiravel::engine
