#include "base/FileSizeText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vardeno {

TEST(FormatFileSize, BytesAreRightAlignedInTwoCharacters) {
  EXPECT_EQ(FormatFileSize(0), " 0 bytes");
  EXPECT_EQ(FormatFileSize(7), " 7 bytes");
  EXPECT_EQ(FormatFileSize(10), "10 bytes");
  EXPECT_EQ(FormatFileSize(1023), "1023 bytes");
}

TEST(FormatFileSize, UnitIsChosenByTheByteCountWithTwoRoundedDecimals) {
  EXPECT_EQ(FormatFileSize(1024), "1.00 KB");
  EXPECT_EQ(FormatFileSize(1536), "1.50 KB");
  EXPECT_EQ(FormatFileSize(1034), "1.01 KB");     // 1.0097... rounds up
  EXPECT_EQ(FormatFileSize(1152), "1.13 KB");     // exactly 1.125: the half goes up
  EXPECT_EQ(FormatFileSize(1048575), "1024.00 KB");  // still below 1 MB by its byte count
  EXPECT_EQ(FormatFileSize(1048576), "1.00 MB");
  EXPECT_EQ(FormatFileSize(1073741823), "1024.00 MB");
  EXPECT_EQ(FormatFileSize(1073741824), "1.00 GB");
}

TEST(FormatFileSize, SizesAbove4GiBAreNotCut) {
  const std::uint64_t gib = 1024ull * 1024 * 1024;
  EXPECT_EQ(FormatFileSize(4 * gib), "4.00 GB");
  EXPECT_EQ(FormatFileSize(4 * gib + gib / 2), "4.50 GB");
  EXPECT_EQ(FormatFileSize(1000 * gib + gib / 4), "1000.25 GB");
  EXPECT_EQ(FormatFileSize(UINT64_MAX), "17179869184.00 GB");
}

}  // namespace vardeno
