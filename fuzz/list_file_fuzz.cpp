// List files as anyone may write them: loading never adds more rows than the file has lines,
// and a list saved from the loaded rows loads back into the same rows.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "filelist/FileList.h"
#include "filelist/ListFile.h"

namespace {
// A few real files that inputs (the seed corpus) name, so rows do get added; relative lines count
// from the current folder, which is made the scratch folder.
void MakeListedFiles() {
  static const bool made = [] {
    if (chdir(FuzzScratchDir().c_str()) != 0) std::abort();
    const std::string folder = FuzzScratchDir() + "/media";
    mkdir(folder.c_str(), 0755);
    mkdir((folder + "/sub dir").c_str(), 0755);
    for (const char* name : {"clip.avi", "song.mp3", "b c.mkv", "zażółć.mp4", "sub dir/x.wmv", "-lead.flv"})
      WriteScratchFile(std::string("media/") + name, "data");
    return true;
  }();
  (void)made;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MakeListedFiles();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string path = WriteScratchFile("list.lst", text);

  FileList list;
  const std::size_t added = LoadFileList(list, path, UiLanguage::English);
  FUZZ_CHECK(added == list.Count());
  std::size_t lineEnds = 0;
  for (char c : text) lineEnds += c == '\n' || c == '\r';
  FUZZ_CHECK(added <= lineEnds + 1);

  const std::string saved = FileListText(list);
  FileList reloaded;
  FUZZ_CHECK(LoadFileList(reloaded, WriteScratchFile("saved.lst", saved), UiLanguage::English) == added);
  for (std::size_t i = 0; i < added; ++i) {
    FUZZ_CHECK(reloaded.Row(i).Directory == list.Row(i).Directory);
    FUZZ_CHECK(reloaded.Row(i).Name == list.Row(i).Name);
  }
  return 0;
}
