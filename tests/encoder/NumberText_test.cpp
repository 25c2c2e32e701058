#include "encoder/NumberText.h"

#include <gtest/gtest.h>

TEST(NumberText, WholeNumbers) {
  for (const char* yes : {"0", "500", " 42 ", "-300", "+7", "2147483647", "-2147483648", "\t12\r\n"})
    EXPECT_TRUE(IsWholeNumber(yes)) << yes;
  for (const char* no : {"", "  ", "12.5", "1,0", "2147483648", "abc", "5 00", "-", "+", "0x10", "1e3"})
    EXPECT_FALSE(IsWholeNumber(no)) << no;
}

TEST(NumberText, RealNumbersTakeEitherDecimalMark) {
  for (const char* yes : {"29.97", "29,97", "25", "-1.5", "+2", ".5", "5.", "1e3", "1,5E-2", " 14.985 "})
    EXPECT_TRUE(IsRealNumber(yes)) << yes;
  for (const char* no : {"", "abc", "1.5.2", "1,000.5", "1e", "e5", ".", "-", "1 5", "nan", "inf", "0x1A"})
    EXPECT_FALSE(IsRealNumber(no)) << no;
  EXPECT_DOUBLE_EQ(*ParseRealNumber("29,97"), 29.97);
  EXPECT_DOUBLE_EQ(*ParseRealNumber("5."), 5.0);
  EXPECT_DOUBLE_EQ(*ParseRealNumber("1,5E-2"), 0.015);
}

TEST(NumberText, RoundingHalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(2.49), 2);
}
