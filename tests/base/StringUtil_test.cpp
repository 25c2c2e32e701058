#include "base/StringUtil.h"

#include <gtest/gtest.h>

namespace vardeno {

TEST(StringUtil, TrimRemovesBlanksAndControlCharactersOnlyAtTheEnds) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xc5\x82\xc3\xb3"), "\xc5\x82\xc3\xb3");  // UTF-8 bytes are not blanks
}

TEST(StringUtil, SplitLinesAcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(StringUtil, CaseBlindComparisonOfAsciiLetters) {
  EXPECT_TRUE(EqualsIgnoreCase("Main", "MAIN"));
  EXPECT_FALSE(EqualsIgnoreCase("Main", "Mains"));
  EXPECT_LT(CompareIgnoreCase("a.ini", "B.ini"), 0);
  EXPECT_EQ(ReplaceAll("1,5.2", ",", "."), "1.5.2");
}

}  // namespace vardeno
