// Locale-free number texts, half-to-even rounding and UTF-8 aware cutting.
#include "app/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, DecimalNumbersWithEitherMark) {
  EXPECT_EQ(TryParseDecimal("29,97"), 29.97);
  EXPECT_EQ(TryParseDecimal("29.97"), 29.97);
  EXPECT_EQ(TryParseDecimal("-0.5"), -0.5);
  EXPECT_EQ(TryParseDecimal("+7"), 7.0);
  EXPECT_EQ(TryParseDecimal("1e3"), 1000.0);
  EXPECT_EQ(TryParseDecimal(".5"), 0.5);
  for (const char* bad : {"", "-", ".", "1.2.3", "1,2.3", "inf", "nan", "0x10", "1e", "+-1", " 1", "1 ", "25 fps", "1e999"})
    EXPECT_EQ(TryParseDecimal(bad), std::nullopt) << bad;

  EXPECT_EQ(TryParseWholeNumber("640"), 640);
  EXPECT_EQ(TryParseWholeNumber("-00"), 0);
  EXPECT_EQ(TryParseWholeNumber("+5"), 5);
  for (const char* bad : {"", "+", "4.0", "480 [PAR", "2147483648", "0x1F", "+-3"})
    EXPECT_EQ(TryParseWholeNumber(bad), std::nullopt) << bad;
}

TEST(NumberText, RoundHalfToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(82.95), 83);
  EXPECT_EQ(RoundHalfEven(0.49999), 0);
  EXPECT_EQ(RoundHalfEven(1e12), 2147483647);
  EXPECT_EQ(RoundHalfEven(-1e12), -2147483647 - 1);
}

TEST(NumberText, CutKeepsWholeUtf8Letters) {
  EXPECT_EQ(CutText("abc", 5), "abc");
  EXPECT_EQ(CutText("abcdef", 3), "abc");
  EXPECT_EQ(CutText("abł", 3), "ab");       // "ł" is two bytes
  EXPECT_EQ(CutText("abłc", 4), "abł");
  EXPECT_EQ(CutText("a€", 3), "a");         // "€" is three bytes
}
