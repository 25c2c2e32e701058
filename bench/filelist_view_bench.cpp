// Times showing 100,000 files dropped onto the file list view: from the drop (as the window system
// delivers it, with a text/uri-list) until the view has painted its first rows, then scrolling to
// the end and painting there. The core's part alone (the rules for dropped files on a bare list)
// is printed beside it, and the processor time of each, which a busy machine does not inflate as it
// does the wall-clock time. Runs on the offscreen platform unless another is set.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "filelist/DroppedFiles.h"
#include "ui/main/FileListView.h"

namespace vardeno {

namespace {

constexpr int kFileCount = 100000;
constexpr int kRuns = 3;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of this process (all threads), in milliseconds.
double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Timing {
  double wall = 0;
  double cpu = 0;
};

class Stopwatch {
 public:
  Timing Elapsed() const { return {MillisecondsSince(wall_), CpuMilliseconds() - cpu_}; }

 private:
  Clock::time_point wall_ = Clock::now();
  double cpu_ = CpuMilliseconds();
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::vector<std::string> MakeFiles(const std::string& folder) {
  std::vector<std::string> paths;
  paths.reserve(kFileCount);
  for (int i = 0; i < kFileCount; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/Clip %06d.%s", (i * 7919) % kFileCount, i % 3 == 0 ? "mp4" : "avi");
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

struct ViewTimings {
  Timing shown;     // from the drop until the first rows are painted
  Timing scrolled;  // scrolling to the last row and painting it
  Timing inverted;  // reversing every check mark (one change of every row) and painting
  Timing removed;   // removing the checked half of the rows and painting
};

void Paint(FileListView& view) {
  QCoreApplication::processEvents();
  view.viewport()->repaint();
}

// One drop onto a fresh list in a shown view, then the bulk changes of the list on its rows.
ViewTimings DropIntoView(const QList<QUrl>& urls) {
  ProgramState state;
  FileListView view(state, nullptr);
  view.resize(793, 400);
  view.show();
  QCoreApplication::processEvents();

  QMimeData data;
  data.setUrls(urls);
  const QPoint at(40, 40);
  Stopwatch dropWatch;
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view.viewport(), &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view.viewport(), &drop);
  QCoreApplication::processEvents();  // the deferred adding, the layout and the paint
  view.viewport()->repaint();
  const Timing shown = dropWatch.Elapsed();
  if (view.model()->rowCount() != kFileCount) {
    std::fprintf(stderr, "expected %d rows, the view shows %d\n", kFileCount, view.model()->rowCount());
    std::exit(1);
  }

  ViewTimings timings{shown, {}, {}, {}};
  Stopwatch scrollWatch;
  view.scrollToBottom();
  Paint(view);
  timings.scrolled = scrollWatch.Elapsed();

  Stopwatch invertWatch;
  state.Files.InvertChecks();
  Paint(view);
  timings.inverted = invertWatch.Elapsed();

  for (std::size_t i = 0; i < state.Files.Count(); i += 2) state.Files.SetChecked(i, true);
  Paint(view);
  Stopwatch removeWatch;
  state.Files.RemoveChecked();
  Paint(view);
  timings.removed = removeWatch.Elapsed();
  return timings;
}

}  // namespace

}  // namespace vardeno

int main(int argc, char** argv) {
  using namespace vardeno;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  std::string pattern = (std::filesystem::temp_directory_path() / "vardeno-view-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  std::printf("creating %d files in %s ...\n", kFileCount, pattern.c_str());
  const std::vector<std::string> paths = MakeFiles(pattern);
  QList<QUrl> urls;
  urls.reserve(kFileCount);
  for (const std::string& path : paths) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));

  std::vector<double> coreWall, coreCpu, shownWall, shownCpu, scrolled, inverted, removed;
  for (int run = 0; run < kRuns; ++run) {
    FileList bare;
    Stopwatch coreWatch;
    HandleDroppedFiles(bare, paths, UiLanguage::English);
    const Timing coreTime = coreWatch.Elapsed();
    coreWall.push_back(coreTime.wall);
    coreCpu.push_back(coreTime.cpu);

    const ViewTimings view = DropIntoView(urls);
    shownWall.push_back(view.shown.wall);
    shownCpu.push_back(view.shown.cpu);
    scrolled.push_back(view.scrolled.wall);
    inverted.push_back(view.inverted.wall);
    removed.push_back(view.removed.wall);
    std::printf("run %d: core drop %7.1f ms (cpu %7.1f), drop shown in the view %7.1f ms (cpu %7.1f)\n", run + 1,
                coreTime.wall, coreTime.cpu, view.shown.wall, view.shown.cpu);
  }
  std::printf("median of %d runs (wall clock / processor time):\n", kRuns);
  std::printf("  dropping %d files, core rules on a bare list: %8.1f ms / %8.1f ms\n", kFileCount,
              Median(coreWall), Median(coreCpu));
  std::printf("  dropping %d files, shown in the view:         %8.1f ms / %8.1f ms (target < 1500 ms)\n",
              kFileCount, Median(shownWall), Median(shownCpu));
  std::printf("  scrolling to the last row and painting it:         %8.1f ms\n", Median(scrolled));
  std::printf("  inverting every check mark and painting:           %8.1f ms\n", Median(inverted));
  std::printf("  removing the checked half and painting:            %8.1f ms\n", Median(removed));

  std::error_code ignored;
  std::filesystem::remove_all(pattern, ignored);
  return 0;
}
