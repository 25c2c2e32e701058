#include "base/FileSizeText.h"

namespace vardeno {

namespace {
constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = kKiB * 1024;
constexpr std::uint64_t kGiB = kMiB * 1024;

// bytes / unit in hundredths, rounded to the nearest; exact for every 64-bit size because the
// remainder is below 2^30 and so r * 100 cannot overflow.
std::uint64_t Hundredths(std::uint64_t bytes, std::uint64_t unit) {
  const std::uint64_t whole = bytes / unit;
  const std::uint64_t rest = bytes % unit;
  return whole * 100 + (rest * 100 + unit / 2) / unit;
}

std::string WithTwoDecimals(std::uint64_t hundredths, const char* unitText) {
  const std::uint64_t cents = hundredths % 100;
  std::string text = std::to_string(hundredths / 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  text += unitText;
  return text;
}
}  // namespace

std::string FormatFileSize(std::uint64_t bytes) {
  if (bytes < kKiB) {
    std::string digits = std::to_string(bytes);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), ' ');
    return digits + " bytes";
  }
  if (bytes < kMiB) return WithTwoDecimals(Hundredths(bytes, kKiB), " KB");
  if (bytes < kGiB) return WithTwoDecimals(Hundredths(bytes, kMiB), " MB");
  return WithTwoDecimals(Hundredths(bytes, kGiB), " GB");
}

}  // namespace vardeno
