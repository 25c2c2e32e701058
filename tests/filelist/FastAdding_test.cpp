// Adding many files at once takes shortcuts (one stat per file, the folder looked up once, the
// current folder asked once, sort keys made directly); each must give exactly what the plain way
// gives: the size GetFileSizeBytes reads, the rows AddToList makes one by one, the order of a
// case-blind comparison in the collation locale.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <locale>
#include <random>
#include <string>
#include <vector>

#include "filelist/FileList.h"
#include "platform/ListedFileSize.h"
#include "filelist/NameOrder.h"
#include "probe/Probe.h"
#include "support/ScopedCurrentDir.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {

// Files of every kind the size lookup can meet, with distinct sizes; the folder is open to all.
std::vector<std::string> FilesOfEveryKind(const TempDir& dir, uid_t otherUser) {
  chmod(dir.Path().c_str(), 0755);
  std::vector<std::string> paths;
  const auto add = [&](const std::string& name, std::size_t size, mode_t mode, uid_t owner) {
    const std::string path = dir.Write(name, std::string(size, 'x'));
    chmod(path.c_str(), mode);
    if (owner != getuid()) {
      EXPECT_EQ(chown(path.c_str(), owner, static_cast<gid_t>(-1)), 0);
    }
    paths.push_back(path);
  };
  add("mine.avi", 11, 0644, getuid());
  add("mine-private.avi", 12, 0600, getuid());
  add("mine-unreadable.avi", 13, 0200, getuid());
  add("mine-none.avi", 14, 0000, getuid());
  if (getuid() == 0) {
    add("theirs.avi", 21, 0644, otherUser);
    add("theirs-private.avi", 22, 0600, otherUser);
    add("theirs-group.avi", 23, 0640, otherUser);
  }
  const std::string fifo = dir / "pipe.avi";
  EXPECT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  paths.push_back(fifo);
  std::filesystem::create_directory(dir.Path() / "folder.avi");
  paths.push_back(dir / "folder.avi");
  paths.push_back(dir / "missing.avi");
  const std::string link = dir / "link.avi";
  EXPECT_EQ(symlink((dir / "mine.avi").c_str(), link.c_str()), 0);
  paths.push_back(link);
  return paths;
}

// ListedFileSize, ListedFileSizes and GetFileSizeBytes for every path, as the calling user.
struct Sizes {
  std::vector<std::uint64_t> single, run, plain;
};
Sizes SizesOf(const std::vector<std::string>& paths) {
  Sizes sizes;
  ListedFileSizes run;
  for (const std::string& path : paths) {
    const auto slash = path.rfind('/');
    sizes.single.push_back(ListedFileSize(path));
    sizes.run.push_back(run.Of(path, path.substr(0, slash), path.substr(slash + 1)));
    sizes.plain.push_back(GetFileSizeBytes(path));
  }
  return sizes;
}

// A plain reference of the case-blind collation order: decode, fold case with C.UTF-8, compare
// with the locale's collate facet, keep equal names in their order.
std::wstring Folded(const std::string& utf8) {
  std::wstring wide;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    wide.push_back(static_cast<wchar_t>(code));
    i += extra + 1;
  }
  static const std::locale folding("C.UTF-8");
  const auto& ctype = std::use_facet<std::ctype<wchar_t>>(folding);
  ctype.tolower(wide.data(), wide.data() + wide.size());
  return wide;
}

std::vector<std::string> ReferenceOrder(std::vector<std::string> names, const std::locale& collation) {
  const auto& collate = std::use_facet<std::collate<wchar_t>>(collation);
  std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    const std::wstring fa = Folded(a), fb = Folded(b);
    return collate.compare(fa.data(), fa.data() + fa.size(), fb.data(), fb.data() + fb.size()) < 0;
  });
  return names;
}

}  // namespace

TEST(FastAdding, SizeLookupGivesWhatOpeningTheFileGives) {
  const TempDir dir;
  const std::vector<std::string> paths = FilesOfEveryKind(dir, 65534);
  const Sizes mine = SizesOf(paths);
  EXPECT_EQ(mine.single, mine.plain);
  EXPECT_EQ(mine.run, mine.plain);
  EXPECT_EQ(mine.plain.front(), 11u);
  if (getuid() != 0) return;

  // The same files seen by another user, who may open only some of them.
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeFds[0]);
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    const Sizes theirs = SizesOf(paths);
    const bool same = theirs.single == theirs.plain && theirs.run == theirs.plain;
    // Their own private file has a size; root's unreadable-to-them files have none.
    const bool sensible = theirs.plain[5] == 22 && theirs.plain[1] == 0 && theirs.plain[0] == 11;
    const char verdict = same && sensible ? 'y' : 'n';
    (void)!write(pipeFds[1], &verdict, 1);
    _exit(0);
  }
  close(pipeFds[1]);
  char verdict = '?';
  EXPECT_EQ(read(pipeFds[0], &verdict, 1), 1);
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(verdict, 'y') << "as another user the shortcut differs from opening the file";
}

TEST(FastAdding, AddingAtOnceGivesTheRowsOfAddingOneByOne) {
  const TempDir dir;
  std::filesystem::create_directories(dir.Path() / "sub" / "deeper");
  dir.Write("sub/a.avi", "aaa");
  dir.Write("sub/B.MKV", std::string(2000, 'b'));
  dir.Write("sub/deeper/c.mp3", "c");
  const std::string d = dir.Path().string();
  const std::vector<std::string> paths = {
      "sub/a.avi", "./sub/B.MKV", d + "/sub/a.avi", d + "//sub/./B.MKV", d + "/sub/deeper/../a.avi",
      d + "/sub/deeper/c.mp3", d + "/sub/deeper/c.mp3/", d + "/sub/a.avi/.", "sub/notes.txt", "", "/",
      d + "/sub/missing.wmv", "/c.avi", std::string("sub/a.avi") + '\0' + ".avi", d + "/sub/a.avi"};
  FileList oneByOne;
  FileList atOnce;
  {
    ScopedCurrentDir inDir(dir.Path());
    for (const std::string& path : paths) oneByOne.AddToList(path, UiLanguage::Polish);
    EXPECT_EQ(AddFilesToList(atOnce, paths, UiLanguage::Polish), oneByOne.Count());
  }
  ASSERT_EQ(atOnce.Count(), oneByOne.Count());
  for (std::size_t i = 0; i < atOnce.Count(); ++i) {
    const FileListRow& a = atOnce.Row(i);
    const FileListRow& b = oneByOne.Row(i);
    EXPECT_EQ(std::tie(a.Checked, a.Number, a.Name, a.Directory, a.SizeText, a.Status),
              std::tie(b.Checked, b.Number, b.Name, b.Directory, b.SizeText, b.Status))
        << "row " << i;
  }
  // Spot checks of the plain rules the shortcuts must keep.
  EXPECT_EQ(atOnce.Row(0).Directory, d + "/sub");
  EXPECT_EQ(atOnce.Row(1).SizeText, "1.95 KB");
  EXPECT_EQ(atOnce.Row(3).Directory, d + "/sub");
  EXPECT_EQ(atOnce.Row(4).Directory, d + "/sub/deeper/..");
  EXPECT_EQ(atOnce.Row(4).SizeText, " 3 bytes");
  // A name ending in "/" or "/." has no extension and is refused.
  ASSERT_EQ(atOnce.Count(), 9u);
  EXPECT_EQ(atOnce.Row(5).Name, "c.mp3");
  EXPECT_EQ(atOnce.Row(6).SizeText, " 0 bytes");
  EXPECT_EQ(atOnce.Row(7).Directory, "/");
  EXPECT_EQ(atOnce.LastAddedDirectory(), d + "/sub");
}

TEST(FastAdding, SortOrderIsTheCaseBlindCollationOrder) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"a", "A", "ą", "Ą", "b", "ł", "Ł", "l", "z", "Ż", "ź", "é", "E",
                                           "1", "10", "2", " ", "-", "_", ".", "ch", "Ch"};
  const std::vector<std::string> folders = {"/home/u/Filmy/", "/home/u/Filmy/", "/home/u/Filmy/", "/home/u/filmy/",
                                            "/media/Ąb/", ""};
  std::vector<std::string> names;
  for (int i = 0; i < 600; ++i) {
    std::string name = folders[random() % folders.size()];
    const int length = 1 + static_cast<int>(random() % 6);
    for (int k = 0; k < length; ++k) name += pieces[random() % pieces.size()];
    names.push_back(name + (random() % 2 ? ".avi" : ".MP4"));
  }
  std::vector<std::locale> locales = {std::locale::classic()};
  for (const char* name : {"C.UTF-8", "pl_PL.UTF-8"}) {
    try {
      locales.emplace_back(name);
    } catch (const std::runtime_error&) {
      // Not installed here.
    }
  }
  for (const std::locale& collation : locales) {
    std::vector<std::string> sorted = names;
    SortNamesIgnoringCase(sorted, collation);
    EXPECT_EQ(sorted, ReferenceOrder(names, collation)) << collation.name();
  }
}

}  // namespace vardeno
