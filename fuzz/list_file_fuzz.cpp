// List files as anyone may write them: loading never adds more rows than the file has lines,
// and a list saved from the loaded rows loads back into the same rows.
#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "filelist/FileList.h"
#include "filelist/ListFile.h"

namespace vardeno {

namespace {
// A few real files that inputs (the seed corpus) name, so rows do get added: in a fixed folder,
// so seeds can name them by full path (relative lines count from the current folder, which a fuzz
// target must not change: libFuzzer's own paths are relative to it).
constexpr const char* kMediaFolder = "/tmp/vardeno-fuzz-media";

void MakeListedFiles() {
  static const bool made = [] {
    const std::string folder = kMediaFolder;
    mkdir(folder.c_str(), 0755);
    mkdir((folder + "/sub dir").c_str(), 0755);
    for (const char* name : {"clip.avi", "song.mp3", "b c.mkv", "zażółć.mp4", "sub dir/x.wmv", "-lead.flv"}) {
      FILE* file = std::fopen((folder + "/" + name).c_str(), "wb");
      if (!file) std::abort();
      std::fputs("data", file);
      std::fclose(file);
    }
    return true;
  }();
  (void)made;
}
}  // namespace

}  // namespace vardeno

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
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
