// The output-path rules as properties: for any input name, output folder and format, the output
// is never the input file (by name, letters compared without case, nor on disk); and a planned
// batch (a script run, where nothing is written between rows) never gives two rows the same
// output, nor a row the input of another.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/StringUtil.h"
#include "conversion/ConversionRun.h"
#include "conversion/OutputPath.h"
#include "conversion/RowSteps.h"
#include "encoder/ArgumentBuilder.h"
#include "encoder/OutputFormat.h"
#include "filelist/FileList.h"

namespace vardeno {

namespace {
const std::string& Folder(int which) {
  static const std::vector<std::string> folders = [] {
    const std::string base = FuzzScratchDir();
    mkdir((base + "/in").c_str(), 0755);
    mkdir((base + "/out").c_str(), 0755);
    symlink("in", (base + "/link").c_str());
    return std::vector<std::string>{base + "/in", base + "/link", base + "/in/.", base + "/out", base + "/IN"};
  }();
  return folders[static_cast<std::size_t>(which) % folders.size()];
}

// A file name: no "/" and no NUL; "." and ".." are folders, not files.
std::string FileName(FuzzedDataProvider& input) {
  std::string name;
  for (char c : input.ConsumeRandomLengthString(24))
    if (c != '/' && c != '\0') name += c;
  if (name.empty() || name == "." || name == "..") name = "clip.avi";
  return name;
}

bool SameFileOnDisk(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The output's folder resolved on disk, and its name without letter case: two outputs with equal
// keys are one file.
std::string OutputKey(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  char* real = realpath(path.substr(0, slash).c_str(), nullptr);
  std::string folder = real ? real : path.substr(0, slash);
  free(real);
  return folder + "/" + ToLowerAscii(path.substr(slash + 1));
}
}  // namespace

}  // namespace vardeno

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  FuzzedDataProvider input(data, size);
  EncoderSettings settings;
  settings.OutputFormat = input.ConsumeIntegralInRange(0, kOutputFormatCount - 1);
  const std::string ext = GetExt(settings, true);

  // Made on disk, so the rule's test "the same file on disk" has something to find.
  std::vector<std::string> made;
  ConversionRequest request;
  request.settings = settings;
  request.batchMode = true;
  request.outputExistsPolicy = input.ConsumeIntegralInRange(-1, 2);
  request.outputToInputDir = input.ConsumeBool();
  request.outputDir = Folder(input.ConsumeIntegral<int>() & 0xff);
  const std::string outputDir = request.outputToInputDir ? "" : request.outputDir;

  FileList files;
  std::vector<FileListRow> rows;
  const int rowCount = input.ConsumeIntegralInRange(1, 6);
  for (int i = 0; i < rowCount; ++i) {
    FileListRow row;
    row.Directory = Folder(input.ConsumeIntegral<int>() & 0xff);
    row.Name = FileName(input);
    row.Checked = input.ConsumeBool() || i == 0;
    const std::string path = MakeInputPath(row.Directory, row.Name);
    if (input.ConsumeBool() && access(path.c_str(), F_OK) != 0) {
      // Not in a folder that does not exist ("IN"), nor under a name the system refuses.
      if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fclose(file);
        made.push_back(path);
      }
    }
    rows.push_back(std::move(row));
  }
  files.AppendRows(rows);

  for (const FileListRow& row : files.Rows()) {
    const std::string in = MakeInputPath(row.Directory, row.Name);
    const std::string out = MakeOutputPath(in, outputDir, ext);
    FUZZ_CHECK(!EqualsIgnoreCase(in, out));
    FUZZ_CHECK(!SameFileOnDisk(in, out));
  }

  const UiLanguage lang = UiLanguage::English;
  RowPlanner planner(request, files, lang);
  std::vector<std::string> outputs;
  for (std::size_t row = 0; row < files.Count(); ++row) {
    if (!files.Row(row).Checked) continue;
    const RowPlan plan = planner.Plan(row, outputDir);
    if (plan.skip) continue;
    FUZZ_CHECK(!plan.output.empty());
    for (const FileListRow& other : files.Rows()) {
      if (!other.Checked) continue;
      const std::string otherInput = MakeInputPath(other.Directory, other.Name);
      FUZZ_CHECK(!SameFileOnDisk(otherInput, plan.output));
    }
    for (const std::string& earlier : outputs) FUZZ_CHECK(OutputKey(earlier) != OutputKey(plan.output));
    outputs.push_back(plan.output);
  }

  for (const std::string& path : made) unlink(path.c_str());
  return 0;
}
