// Splitting the argument text into arguments, and quoting a file name so it comes back whole.
#include "platform/ArgumentText.h"

#include <gtest/gtest.h>

namespace vardeno {

using Args = std::vector<std::string>;

TEST(ArgumentText, BlanksSeparateOutsideQuotes) {
  EXPECT_EQ(SplitArgumentText("-y -i \"/a b/c d.avi\" -vcodec  wmv2\t-b 500k"),
            (Args{"-y", "-i", "/a b/c d.avi", "-vcodec", "wmv2", "-b", "500k"}));
  EXPECT_EQ(SplitArgumentText("   "), Args{});
  EXPECT_EQ(SplitArgumentText(" a \r\n b "), (Args{"a", "b"}));
  // Quoted and unquoted stretches next to each other make one argument.
  EXPECT_EQ(SplitArgumentText("pre\"fix suf\"fix x"), (Args{"prefix suffix", "x"}));
  EXPECT_EQ(SplitArgumentText("\"\" a \"\""), (Args{"", "a", ""}));
  // An unclosed quote runs to the end.
  EXPECT_EQ(SplitArgumentText("-i \"open end "), (Args{"-i", "open end "}));
  // Nothing but the double quote is special.
  EXPECT_EQ(SplitArgumentText("a\\\"b c\\\" 'd e'"), (Args{"a\\b c\\", "'d", "e'"}));
}

TEST(ArgumentText, QuotedArgumentComesBackUnchanged) {
  for (const std::string name : {"", "plain", "two  blanks", "\"", "\"\"", "a\"b", "\"lead", "trail\"",
                                 "x\" \"y", "back\\", "\\\"", "tab\tnew\nline", "$(id) `id` 'q'"}) {
    EXPECT_EQ(SplitArgumentText("-i " + QuoteArgument(name) + " -y"), (Args{"-i", name, "-y"})) << name;
  }
  EXPECT_EQ(QuoteArgument("/a b/c.avi"), "\"/a b/c.avi\"");
  EXPECT_EQ(QuoteArgument("a\"b"), "\"a\"\"b\"");
}

}  // namespace vardeno
