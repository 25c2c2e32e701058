// The frame preview's encoder arguments.
#include "conversion/FramePreview.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vardeno {

TEST(FramePreview, OneFrameAtTheTimeWithAPointInEveryLocaleThroughTheGivenFilter) {
  // A locale whose decimal mark is a comma (the windows set the user's locale).
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "pl_PL.UTF-8");
  const std::string args = FrameArguments("/f/a b.mkv", 2.5, {"-vf", "crop=1:1:0:0"}, "/t/x.png");
  std::setlocale(LC_NUMERIC, before.c_str());
  EXPECT_EQ(args, "-hide_banner -v error -y -ss 2.500 -copyts -i \"/f/a b.mkv\" -vf \"crop=1:1:0:0\" "
                  "-frames:v 1 -an -sn \"/t/x.png\"");
  EXPECT_EQ(FrameArguments("/a.avi", -1, {}, "/x.png"),
            "-hide_banner -v error -y -ss 0.000 -copyts -i \"/a.avi\" -frames:v 1 -an -sn \"/x.png\"");
}

}  // namespace vardeno
