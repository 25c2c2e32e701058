#include "app/IniValue.h"

#include <gtest/gtest.h>

namespace vardeno {

TEST(IniValue, CleaningDropsBlanksThenOnePairOfEnclosingQuotes) {
  EXPECT_EQ(CleanIniValue("  plain value \t"), "plain value");
  EXPECT_EQ(CleanIniValue(" \"quoted\" "), "quoted");
  EXPECT_EQ(CleanIniValue("'single'"), "single");
  EXPECT_EQ(CleanIniValue("\" kept blanks \""), " kept blanks ");
  EXPECT_EQ(CleanIniValue("\"\"twice\"\""), "\"twice\"");
  EXPECT_EQ(CleanIniValue("\"mixed'"), "\"mixed'");
  EXPECT_EQ(CleanIniValue("\""), "\"");
  EXPECT_EQ(CleanIniValue("\"\""), "");
  EXPECT_EQ(CleanIniValue("a \"b\""), "a \"b\"");
}

TEST(IniValue, ReadValuesAreCutAt2047CharactersWithoutSplittingOne) {
  EXPECT_EQ(CleanIniValue(std::string(3000, 'x')), std::string(2047, 'x'));
  // Polish letters are two bytes each in UTF-8 and count as one character.
  std::string polish;
  for (int i = 0; i < 2100; ++i) polish += "\xc5\x82";  // ł
  EXPECT_EQ(CleanIniValue(polish).size(), 2047u * 2);
  EXPECT_EQ(CutToCharacters("a\xc5\x82" "b", 2), "a\xc5\x82");
  // Bytes of a single-byte code page (0xB3 is "ł" in cp1250) count one each.
  EXPECT_EQ(CutToCharacters("\xb3\xb3\xb3\xb3", 3), "\xb3\xb3\xb3");
  EXPECT_EQ(CutToCharacters("\xe2\x82", 1), "\xe2");  // a broken sequence is not swallowed whole
}

TEST(IniValue, IntegersAreDecimalOrHexadecimal) {
  EXPECT_EQ(ParseIniInteger("42"), 42);
  EXPECT_EQ(ParseIniInteger("-7"), -7);
  EXPECT_EQ(ParseIniInteger("+5"), 5);
  EXPECT_EQ(ParseIniInteger("007"), 7);
  EXPECT_EQ(ParseIniInteger(" 9"), 9);
  EXPECT_EQ(ParseIniInteger("0x1F"), 31);
  EXPECT_EQ(ParseIniInteger("0X1f"), 31);
  EXPECT_EQ(ParseIniInteger("0x1"), 1);
  EXPECT_EQ(ParseIniInteger("$ff"), 255);
  EXPECT_EQ(ParseIniInteger("-$10"), -16);
  EXPECT_EQ(ParseIniInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInteger("-2147483648"), -2147483647 - 1);
}

TEST(IniValue, AnythingElseIsNotAnInteger) {
  for (const char* text : {"", "-", "+", "$", "0x", "x1", "12abc", "1.5", "1,5", "7 ", "2147483648",
                           "-2147483649", "$100000000", "99999999999999999999", "$fg", "--1", "1e3"}) {
    EXPECT_FALSE(ParseIniInteger(text).has_value()) << text;
  }
}

}  // namespace vardeno
