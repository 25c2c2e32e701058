// The INI store's write-then-read round trip: over any file, writes of any value to keys the
// way the program names them give back what was written, in memory and after saving and
// reading the file again; and a save changes no line that was not written to.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "app/IniFile.h"
#include "app/IniValue.h"
#include "base/StringUtil.h"

namespace vardeno {

namespace {
// A name as the program's keys and sections are: no line break, no blank or control character at
// either end; a key holds no "=" and does not start a comment or a section header.
std::string MakeName(FuzzedDataProvider& input, char forbidden) {
  std::string name = input.ConsumeRandomLengthString(12);
  std::string out;
  for (char c : name)
    if (c != '\r' && c != '\n' && c != forbidden) out += c;
  auto badFront = [&] {
    const unsigned char c = static_cast<unsigned char>(out.front());
    return c <= ' ' || (forbidden == '=' && (c == ';' || c == '['));
  };
  while (!out.empty() && badFront()) out.erase(out.begin());
  while (!out.empty() && static_cast<unsigned char>(out.back()) <= ' ') out.pop_back();
  return out;
}

std::string ExpectedRead(std::string value) {
  for (char& c : value)
    if (c == '\r' || c == '\n') c = ' ';
  return CleanIniValue(value);
}
}  // namespace

}  // namespace vardeno

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardeno;
  FuzzedDataProvider input(data, size);
  const std::string original = input.ConsumeRandomLengthString(4096);
  const std::string path = WriteScratchFile("roundtrip.ini", original);

  IniFile ini(path);
  const std::string before = ini.Serialize();
  struct Written {
    std::string section, key, value;
  };
  std::vector<Written> writes;
  const int count = input.ConsumeIntegralInRange(1, 8);
  for (int i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    Written w{MakeName(input, ']'), MakeName(input, '='), input.ConsumeRandomLengthString(3000)};
    ini.WriteString(w.section, w.key, w.value);
    // A later write to the same key (letters compared without case) replaces this one.
    std::erase_if(writes, [&](const Written& old) {
      return EqualsIgnoreCase(old.section, w.section) && EqualsIgnoreCase(old.key, w.key);
    });
    writes.push_back(std::move(w));
  }
  for (const Written& w : writes) {
    FUZZ_CHECK(ini.HasKey(w.section, w.key));
    FUZZ_CHECK(ini.ReadString(w.section, w.key, "\x01missing") == ExpectedRead(w.value));
  }

  try {
    ini.Save();
  } catch (const IniWriteError&) {
    std::abort();  // the scratch folder is writable: a save must succeed
  }
  const IniFile reread(path);
  FUZZ_CHECK(reread.Serialize() == ini.Serialize());
  for (const Written& w : writes)
    FUZZ_CHECK(reread.ReadString(w.section, w.key, "\x01missing") == ExpectedRead(w.value));

  // Every line of the file before the writes is still there, in order, unless it was an entry
  // written to: the longest common subsequence of old and new lines misses at most one old line
  // per write. (Measured for files of a few hundred lines; the table grows with both.)
  const std::vector<std::string> oldLines = SplitLines(before);
  const std::vector<std::string> newLines = SplitLines(reread.Serialize());
  if (oldLines.size() * newLines.size() <= 100000) {
    std::vector<std::size_t> previous(newLines.size() + 1, 0), current(newLines.size() + 1, 0);
    for (const std::string& line : oldLines) {
      for (std::size_t j = 0; j < newLines.size(); ++j)
        current[j + 1] = line == newLines[j] ? previous[j] + 1 : std::max(previous[j + 1], current[j]);
      std::swap(previous, current);
    }
    FUZZ_CHECK(previous[newLines.size()] + writes.size() >= oldLines.size());
  }
  return 0;
}
