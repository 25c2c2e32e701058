#include "encoder/EncoderInfo.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <tuple>

#include "base/StringUtil.h"
#include "platform/ArgumentText.h"
#include "platform/ExecutablePath.h"
#include "platform/FileSystem.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemError.h"

namespace vardeno {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct FileStamp {
  std::string path;
  std::int64_t modifiedNs = 0;
  std::int64_t size = 0;
  bool operator<(const FileStamp& other) const {
    return std::tie(path, modifiedNs, size) < std::tie(other.path, other.modifiedNs, other.size);
  }
};

std::optional<FileStamp> StampOf(const std::string& encoderPath) {
  const std::string resolved = ResolveExecutablePath(encoderPath);
  const std::optional<FileChangeStamp> stamp = resolved.empty() ? std::nullopt : ChangeStampOf(resolved);
  if (!stamp) return std::nullopt;
  return FileStamp{resolved, stamp->modifiedNs, stamp->size};
}

// How long a question to the encoder ("-version", "-encoders") may take. A real encoder answers
// in a fraction of a second; one that hangs (a broken build, a wrapper script waiting for input)
// must not freeze the program that asked it before a conversion or a preview.
constexpr std::chrono::seconds kEncoderQueryTimeLimit(5);

struct EncoderQueryTimedOut {};

// The output of one call of the encoder, or nothing when it cannot be started or does not end in
// time (the runner then ends it).
std::optional<std::vector<std::string>> AskEncoder(const std::string& path, const std::string& arguments) {
  const auto deadline = std::chrono::steady_clock::now() + kEncoderQueryTimeLimit;
  const auto checkTime = [deadline] {
    if (std::chrono::steady_clock::now() > deadline) throw EncoderQueryTimedOut{};
  };
  std::vector<std::string> lines;
  try {
    RunConsoleProcess(path, arguments, &lines, [&](const ChildProcess&, const std::string&) { checkTime(); },
                      checkTime);
  } catch (const SystemError&) {
    return std::nullopt;
  } catch (const EncoderQueryTimedOut&) {
    return std::nullopt;
  }
  return lines;
}

struct EncoderFacts {
  std::optional<EncoderGeneration> generation;
  bool encodersAsked = false;
  std::optional<std::vector<std::string>> encoders;
  bool filtersAsked = false;
  std::optional<std::vector<std::string>> filters;
};

enum class NameList { Encoders, Filters };

// What has been learnt per encoder file. The encoder is asked without holding the lock: it may
// take a moment, and nothing depends on being the only one to ask.
class EncoderInfoCache {
 public:
  std::optional<EncoderGeneration> FindGeneration(const FileStamp& stamp) {
    std::lock_guard lock(mutex_);
    const auto found = facts_.find(stamp);
    return found == facts_.end() ? std::nullopt : found->second.generation;
  }
  void StoreGeneration(const FileStamp& stamp, EncoderGeneration generation) {
    std::lock_guard lock(mutex_);
    facts_[stamp].generation = generation;
  }
  // True when the list has been asked for before; names then holds the answer.
  bool FindNames(const FileStamp& stamp, NameList list, std::optional<std::vector<std::string>>& names) {
    std::lock_guard lock(mutex_);
    const auto found = facts_.find(stamp);
    if (found == facts_.end()) return false;
    const EncoderFacts& facts = found->second;
    if (!(list == NameList::Encoders ? facts.encodersAsked : facts.filtersAsked)) return false;
    names = list == NameList::Encoders ? facts.encoders : facts.filters;
    return true;
  }
  void StoreNames(const FileStamp& stamp, NameList list, const std::optional<std::vector<std::string>>& names) {
    std::lock_guard lock(mutex_);
    EncoderFacts& facts = facts_[stamp];
    (list == NameList::Encoders ? facts.encodersAsked : facts.filtersAsked) = true;
    (list == NameList::Encoders ? facts.encoders : facts.filters) = names;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    facts_.clear();
  }

 private:
  std::mutex mutex_;
  std::map<FileStamp, EncoderFacts> facts_;
};

EncoderInfoCache& Cache() {
  static EncoderInfoCache cache;
  return cache;
}
}  // namespace

std::optional<int> ParseLibavcodecMajor(const std::vector<std::string>& versionOutput) {
  constexpr std::string_view kName = "libavcodec";
  for (const std::string& line : versionOutput) {
    const std::string text = Trim(line);
    if (!StartsWith(text, kName)) continue;
    size_t at = text.find_first_of("0123456789", kName.size());
    if (at == std::string::npos) continue;
    std::int64_t number = 0;
    size_t end = at;
    while (end < text.size() && IsDigit(text[end]) && number < (std::int64_t{1} << 40))
      number = number * 10 + (text[end++] - '0');
    // A packed version (major << 16 | minor << 8 | micro) stands alone, without a dot.
    const bool dotted = end < text.size() && text[end] == '.';
    if (!dotted && number >= 65536) number >>= 16;
    if (number > 100000) continue;
    return static_cast<int>(number);
  }
  return std::nullopt;
}

EncoderGeneration GenerationFromLibavcodecMajor(std::optional<int> major) {
  return major && *major < kFirstModernLibavcodecMajor ? EncoderGeneration::Classic : EncoderGeneration::Modern;
}

std::vector<std::string> ParseEncoderList(const std::vector<std::string>& encodersOutput) {
  std::vector<std::string> names;
  bool listStarted = false;
  for (const std::string& line : encodersOutput) {
    const std::string text = Trim(line);
    if (!listStarted) {
      listStarted = text.size() >= 3 && text.find_first_not_of('-') == std::string::npos;
      continue;
    }
    const size_t flagsEnd = text.find_first_of(" \t");
    if (flagsEnd == std::string::npos) continue;
    const std::string rest = TrimLeft(std::string_view(text).substr(flagsEnd));
    const std::string name = rest.substr(0, rest.find_first_of(" \t"));
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

EncoderGeneration GetEncoderGeneration(const std::string& encoderPath) {
  const auto stamp = StampOf(encoderPath);
  if (!stamp) return EncoderGeneration::Modern;
  if (const auto known = Cache().FindGeneration(*stamp)) return *known;
  const auto lines = AskEncoder(stamp->path, "-version");
  const EncoderGeneration generation =
      lines ? GenerationFromLibavcodecMajor(ParseLibavcodecMajor(*lines)) : EncoderGeneration::Modern;
  Cache().StoreGeneration(*stamp, generation);
  return generation;
}

namespace {
std::optional<std::vector<std::string>> GetNameList(const std::string& encoderPath, NameList list) {
  const auto stamp = StampOf(encoderPath);
  if (!stamp) return std::nullopt;
  std::optional<std::vector<std::string>> names;
  if (Cache().FindNames(*stamp, list, names)) return names;
  const bool encoders = list == NameList::Encoders;
  if (const auto lines = AskEncoder(stamp->path, encoders ? "-hide_banner -encoders" : "-hide_banner -filters")) {
    std::vector<std::string> found = encoders ? ParseEncoderList(*lines) : ParseFilterList(*lines);
    if (!found.empty()) names = std::move(found);
  }
  Cache().StoreNames(*stamp, list, names);
  return names;
}

EncoderAvailability Availability(const std::optional<std::vector<std::string>>& names, const std::string& name) {
  if (!names) return EncoderAvailability::Unknown;
  return std::find(names->begin(), names->end(), name) != names->end() ? EncoderAvailability::Available
                                                                       : EncoderAvailability::Missing;
}
}  // namespace

std::vector<std::string> ParseFilterList(const std::vector<std::string>& filtersOutput) {
  std::vector<std::string> names;
  for (const std::string& line : filtersOutput) {
    const std::vector<std::string> words = SplitArgumentText(line);
    if (words.size() >= 3 && words[2].find("->") != std::string::npos) names.push_back(words[1]);
  }
  return names;
}

std::optional<std::vector<std::string>> GetEncoderList(const std::string& encoderPath) {
  return GetNameList(encoderPath, NameList::Encoders);
}

EncoderAvailability GetFilterAvailability(const std::string& encoderPath, const std::string& filterName) {
  return Availability(GetNameList(encoderPath, NameList::Filters), filterName);
}

EncoderAvailability GetEncoderAvailability(const std::string& encoderPath, const std::string& encoderName) {
  return Availability(GetEncoderList(encoderPath), encoderName);
}

std::vector<std::string> RequestedEncoders(const std::string& argText) {
  static const std::vector<std::string> kCodecOptions = {"-vcodec", "-acodec", "-c:v",     "-c:a",
                                                         "-codec:v", "-codec:a", "-c", "-codec"};
  const std::vector<std::string> arguments = SplitArgumentText(argText);
  std::vector<std::string> names;
  for (size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (std::find(kCodecOptions.begin(), kCodecOptions.end(), arguments[i]) == kCodecOptions.end()) continue;
    const std::string& name = arguments[++i];
    if (name != "copy" && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

void ClearEncoderInfoCache() { Cache().Clear(); }

}  // namespace vardeno
