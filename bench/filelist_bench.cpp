// Times the file list with 100,000 real files: adding them one by one, saving and loading a list
// file, dropping them all at once, and the bulk operations. Prints one line per figure.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "filelist/DroppedFiles.h"
#include "filelist/FileList.h"
#include "filelist/ListFile.h"

namespace {

constexpr int kFileCount = 100000;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Counts what a view would hear, so the notifications are part of the cost.
class CountingListener : public FileListListener {
 public:
  void RowsAppended(std::size_t, std::size_t count) override { appended += count; }
  void RowsChanged(std::size_t, std::size_t) override { ++changes; }
  std::size_t appended = 0;
  std::size_t changes = 0;
};

std::vector<std::string> MakeFiles(const std::string& folder) {
  std::vector<std::string> paths;
  paths.reserve(kFileCount);
  for (int i = 0; i < kFileCount; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/Clip %06d.%s", i, i % 3 == 0 ? "mp4" : "avi");
    const std::string path = folder + name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(i) * 37) != 0) {
      std::perror(path.c_str());
      std::exit(1);
    }
    ::close(fd);
    paths.push_back(path);
  }
  return paths;
}

}  // namespace

int main() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vardeno-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string folder = pattern;
  std::printf("creating %d files in %s ...\n", kFileCount, folder.c_str());
  const std::vector<std::string> paths = MakeFiles(folder);

  FileList list;
  CountingListener listener;
  list.SetListener(&listener);
  auto start = Clock::now();
  for (const std::string& path : paths) list.AddToList(path, UiLanguage::English);
  std::printf("AddToList x %zu, one by one:     %8.1f ms\n", list.Count(), MillisecondsSince(start));

  start = Clock::now();
  for (int i = 0; i < 1000; ++i) list.AddToList(paths[static_cast<size_t>(i)], UiLanguage::English);
  std::printf("AddToList x 1000 onto %zu rows: %8.3f ms (%.2f us per add)\n", list.Count() - 1000,
              MillisecondsSince(start), MillisecondsSince(start));
  FileList small;
  start = Clock::now();
  for (int i = 0; i < 1000; ++i) small.AddToList(paths[static_cast<size_t>(i)], UiLanguage::English);
  std::printf("AddToList x 1000 onto 0 rows:      %8.3f ms\n", MillisecondsSince(start));

  const std::string listPath = folder + "/all.lst";
  start = Clock::now();
  SaveFileList(list, listPath);
  std::printf("SaveFileList of %zu rows:         %8.1f ms\n", list.Count(), MillisecondsSince(start));

  FileList loaded;
  loaded.SetListener(&listener);
  start = Clock::now();
  LoadFileList(loaded, listPath, UiLanguage::English);
  std::printf("LoadFileList of %zu rows:         %8.1f ms\n", loaded.Count(), MillisecondsSince(start));

  std::vector<std::string> dropped = paths;
  std::shuffle(dropped.begin(), dropped.end(), std::mt19937(42));
  FileList droppedList;
  start = Clock::now();
  HandleDroppedFiles(droppedList, dropped, UiLanguage::English);
  std::printf("HandleDroppedFiles of %zu names:  %8.1f ms (sorted: %s)\n", droppedList.Count(),
              MillisecondsSince(start),
              droppedList.Row(0).Name == "Clip 000000.mp4" ? "yes" : "NO");

  start = Clock::now();
  loaded.InvertChecks();
  loaded.CheckAll();
  for (std::size_t i = 0; i < loaded.Count(); i += 2) loaded.SetChecked(i, false);
  std::printf("CheckAll, InvertChecks, 50000 x SetChecked: %8.1f ms (checked %d)\n",
              MillisecondsSince(start), loaded.GetCheckedCount());
  start = Clock::now();
  loaded.RemoveChecked();
  std::printf("RemoveChecked (50000 of 100000):  %8.1f ms (left %zu, last number %s)\n",
              MillisecondsSince(start), loaded.Count(), loaded.Rows().back().Number.c_str());

  std::filesystem::remove_all(folder);
  return 0;
}
