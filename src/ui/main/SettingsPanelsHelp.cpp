#include "ui/main/SettingsPanelsHelp.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/ProcessRunner.h"
#include "platform/SystemError.h"

namespace vardeno {

std::string EnsureEncoderHelpFile(const std::string& filesDir, const std::string& encoderPath) {
  const std::filesystem::path helpPath = std::filesystem::path(filesDir) / kEncoderHelpFileName;
  std::error_code error;
  if (std::filesystem::is_regular_file(helpPath, error)) return helpPath.string();
  if (encoderPath.empty()) return {};

  std::vector<std::string> lines;
  try {
    RunConsoleProcess(encoderPath, "-h full", &lines, {});
  } catch (const SystemError&) {
    return {};
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty()) return {};

  // Written beside, then moved in place, so a failed write never leaves half a help file.
  const std::filesystem::path partPath = helpPath.string() + ".part";
  {
    std::ofstream out(partPath, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    out.close();
    if (!out) {
      std::filesystem::remove(partPath, error);
      return {};
    }
  }
  std::filesystem::rename(partPath, helpPath, error);
  if (error) {
    std::filesystem::remove(partPath, error);
    return {};
  }
  return helpPath.string();
}

}  // namespace vardeno
