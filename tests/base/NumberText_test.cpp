// Locale-free number texts, half-to-even rounding and UTF-8 aware cutting.
#include "base/NumberText.h"

#include <gtest/gtest.h>

namespace vardeno {

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

TEST(NumberText, TrimmedChecksOfTheArgumentBuilders) {
  for (const char* yes : {"0", "500", " 42 ", "-300", "+7", "2147483647", "-2147483648", "\t12\r\n"})
    EXPECT_TRUE(IsWholeNumber(yes)) << yes;
  for (const char* no : {"", "  ", "12.5", "1,0", "2147483648", "abc", "5 00", "-", "+", "0x10", "1e3"})
    EXPECT_FALSE(IsWholeNumber(no)) << no;
  for (const char* yes : {"29.97", "29,97", "25", "-1.5", "+2", ".5", "5.", "1e3", "1,5E-2", " 14.985 "})
    EXPECT_TRUE(IsRealNumber(yes)) << yes;
  for (const char* no : {"", "abc", "1.5.2", "1,000.5", "1e", "e5", ".", "-", "1 5", "nan", "inf", "0x1A"})
    EXPECT_FALSE(IsRealNumber(no)) << no;
  EXPECT_EQ(TryParseDecimal("5."), 5.0);
  EXPECT_EQ(TryParseDecimal("1,5E-2"), 0.015);
}

TEST(NumberText, RoundHalfToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(82.95), 83);
  EXPECT_EQ(RoundHalfEven(0.49999), 0);
  EXPECT_EQ(RoundHalfEven(4294967296.5), 4294967296.0);  // no 32-bit limit
  EXPECT_EQ(RoundToInt32(1e12), 2147483647);
  EXPECT_EQ(RoundToInt32(-1e12), -2147483647 - 1);
  EXPECT_EQ(RoundToInt32(2.5), 2);
}

TEST(NumberText, CutKeepsWholeUtf8Letters) {
  EXPECT_EQ(CutText("abc", 5), "abc");
  EXPECT_EQ(CutText("abcdef", 3), "abc");
  EXPECT_EQ(CutText("abł", 3), "ab");       // "ł" is two bytes
  EXPECT_EQ(CutText("abłc", 4), "abł");
  EXPECT_EQ(CutText("a€", 3), "a");         // "€" is three bytes
}

}  // namespace vardeno
