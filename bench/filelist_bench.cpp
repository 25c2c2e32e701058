// Times the file list with 100,000 real files: adding them one by one (as the add-files dialog
// does), loading them from a list file, dropping them all at once, saving the list, and the
// bulk operations. Prints one line per figure; the target for adding, loading and dropping is
// under 0.5 s each.
//
//   vardeno_filelist_bench [--folder DIR] [--only add|load|drop]
// --folder keeps the 100,000 files in DIR (made there when missing) instead of a temporary
// folder, so a profiler run can skip making them; --only times one operation alone.
#include <fcntl.h>
#include <time.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "filelist/DroppedFiles.h"
#include "filelist/FileList.h"
#include "filelist/ListFile.h"

namespace vardeno {

namespace {

constexpr int kFileCount = 100000;

using Clock = std::chrono::steady_clock;

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Wall time and this process's processor time since it was made: on a busy machine the wall
// time also holds the time other programs had the processor.
class Stopwatch {
 public:
  std::string Text() const {
    char text[64];
    std::snprintf(text, sizeof text, "%8.1f ms (cpu %6.1f ms)",
                  std::chrono::duration<double, std::milli>(Clock::now() - wall_).count(), CpuMilliseconds() - cpu_);
    return text;
  }

 private:
  Clock::time_point wall_ = Clock::now();
  double cpu_ = CpuMilliseconds();
};

// Counts what a view would hear, so the notifications are part of the cost.
class CountingListener : public FileListListener {
 public:
  void RowsAppended(std::size_t, std::size_t count) override { appended += count; }
  void RowsChanged(std::size_t, std::size_t) override { ++changes; }
  std::size_t appended = 0;
  std::size_t changes = 0;
};

std::string FilePath(const std::string& folder, int i) {
  char name[64];
  std::snprintf(name, sizeof name, "/Clip %06d.%s", i, i % 3 == 0 ? "mp4" : "avi");
  return folder + name;
}

// The paths of the files, made (with sizes from 0 to a few MB) unless they exist already.
std::vector<std::string> MakeFiles(const std::string& folder) {
  // A kept folder is marked complete once all its files are there.
  const std::string complete = folder + "/.complete";
  const bool made = ::access(complete.c_str(), F_OK) == 0;
  std::vector<std::string> paths;
  paths.reserve(kFileCount);
  for (int i = 0; i < kFileCount; ++i) {
    const std::string path = FilePath(folder, i);
    if (!made) {
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(i) * 37) != 0) {
        std::perror(path.c_str());
        std::exit(1);
      }
      ::close(fd);
    }
    paths.push_back(path);
  }
  if (!made) ::close(::open(complete.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  return paths;
}

void TimeAdding(const std::vector<std::string>& paths) {
  FileList list;
  CountingListener listener;
  list.SetListener(&listener);
  Stopwatch start;
  for (const std::string& path : paths) list.AddToList(path, UiLanguage::English);
  std::printf("AddToList x %zu, one by one:        %s\n", list.Count(), start.Text().c_str());

  start = Stopwatch();
  for (int i = 0; i < 1000; ++i) list.AddToList(paths[static_cast<size_t>(i)], UiLanguage::English);
  std::printf("AddToList x 1000 onto %zu rows:    %s\n", list.Count() - 1000, start.Text().c_str());

  FileList batch;
  batch.SetListener(&listener);
  start = Stopwatch();
  AddFilesToList(batch, paths, UiLanguage::English);
  std::printf("AddFilesToList of %zu paths:       %s\n", batch.Count(), start.Text().c_str());
}

void TimeLoading(const std::string& folder, const std::vector<std::string>& paths) {
  FileList list;
  for (int i = 0; i < 1000; ++i) list.AddToList(paths[static_cast<size_t>(i)], UiLanguage::English);
  const std::string listPath = folder + "/all.lst";
  {
    FileList all;
    AddFilesToList(all, paths, UiLanguage::English);
    Stopwatch start;
    SaveFileList(all, listPath);
    std::printf("SaveFileList of %zu rows:           %s\n", all.Count(), start.Text().c_str());
  }
  CountingListener listener;
  list.SetListener(&listener);
  const Stopwatch start;
  LoadFileList(list, listPath, UiLanguage::English);
  std::printf("LoadFileList of %d rows onto 1000:  %s\n", kFileCount, start.Text().c_str());
  std::remove(listPath.c_str());

  Stopwatch bulk;
  list.InvertChecks();
  list.CheckAll();
  for (std::size_t i = 0; i < list.Count(); i += 2) list.SetChecked(i, false);
  std::printf("CheckAll, InvertChecks, %zu x SetChecked: %s (checked %d)\n", (list.Count() + 1) / 2,
              bulk.Text().c_str(), list.GetCheckedCount());
  bulk = Stopwatch();
  list.RemoveChecked();
  std::printf("RemoveChecked (half of %zu):            %s (left %zu, last number %s)\n", list.Count() * 2,
              bulk.Text().c_str(), list.Count(), list.Rows().back().Number.c_str());
}

void TimeDropping(const std::vector<std::string>& paths) {
  std::vector<std::string> dropped = paths;
  std::shuffle(dropped.begin(), dropped.end(), std::mt19937(42));
  FileList list;
  CountingListener listener;
  list.SetListener(&listener);
  const Stopwatch start;
  HandleDroppedFiles(list, dropped, UiLanguage::English);
  std::printf("HandleDroppedFiles of %zu names:   %s (sorted: %s)\n", list.Count(), start.Text().c_str(),
              list.Row(0).Name == "Clip 000000.mp4" && list.Rows().back().Name == "Clip 099999.mp4" ? "yes" : "NO");

  // The same names sorted alone: the share of the sort in the figure above.
  const Stopwatch sorting;
  SortNamesIgnoringCase(dropped, UserCollationLocale());
  std::printf("  of which sorting the names:          %s\n", sorting.Text().c_str());
}

}  // namespace

}  // namespace vardeno

int main(int argc, char** argv) {
  using namespace vardeno;
  std::string folder;
  std::string only;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--folder") == 0) folder = argv[i + 1];
    if (std::strcmp(argv[i], "--only") == 0) only = argv[i + 1];
  }
  const bool temporary = folder.empty();
  if (temporary) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vardeno-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      return 1;
    }
    folder = pattern;
  } else {
    std::filesystem::create_directories(folder);
  }
  std::printf("%d files in %s\n", kFileCount, folder.c_str());
  const std::vector<std::string> paths = MakeFiles(folder);

  if (only.empty() || only == "add") TimeAdding(paths);
  if (only.empty() || only == "load") TimeLoading(folder, paths);
  if (only.empty() || only == "drop") TimeDropping(paths);

  if (temporary) std::filesystem::remove_all(folder);
  return 0;
}
