#include "platform/posix/ProcFs.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {
std::string ProcPath(pid_t pid, const char* leaf) {
  return "/proc/" + std::to_string(pid) + "/" + leaf;
}

bool ReadSmallFile(const std::string& path, std::string& text) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[1024];
  text.clear();
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  close(fd);
  return !text.empty();
}

template <typename T>
bool ParseField(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}
}  // namespace

bool ReadProcStat(pid_t pid, ProcStat& stat) {
  std::string text;
  if (!ReadSmallFile(ProcPath(pid, "stat"), text)) return false;
  // "pid (name) state ppid ..."; the name may hold blanks and brackets, so start after the last ")".
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return false;
  std::vector<std::string_view> fields;
  std::string_view rest(text);
  rest.remove_prefix(close + 1);
  while (!rest.empty()) {
    const size_t begin = rest.find_first_not_of(" \n");
    if (begin == std::string_view::npos) break;
    rest.remove_prefix(begin);
    const size_t end = std::min(rest.find_first_of(" \n"), rest.size());
    fields.push_back(rest.substr(0, end));
    rest.remove_prefix(end);
  }
  // Fields after the name: state is the 3rd field of the line, ppid the 4th, starttime the 22nd.
  if (fields.size() < 20 || fields[0].size() != 1) return false;
  stat.state = fields[0][0];
  return ParseField(fields[1], stat.ppid) && ParseField(fields[19], stat.startTime);
}

bool GetExecutableIdentity(const std::string& path, ExecutableIdentity& identity) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  char resolved[PATH_MAX];
  identity.realPath = realpath(path.c_str(), resolved) ? resolved : path;
  return true;
}

bool ProcessRunsExecutable(pid_t pid, const ExecutableIdentity& identity) {
  const std::string exeLink = ProcPath(pid, "exe");
  struct stat info {};
  if (stat(exeLink.c_str(), &info) == 0 && info.st_dev == identity.device && info.st_ino == identity.inode)
    return true;
  // A file replaced while the process runs shows as "<path> (deleted)".
  char target[PATH_MAX];
  const ssize_t length = readlink(exeLink.c_str(), target, sizeof target - 1);
  if (length <= 0) return false;
  std::string_view linked(target, static_cast<size_t>(length));
  constexpr std::string_view kDeleted = " (deleted)";
  if (linked.size() > kDeleted.size() && linked.substr(linked.size() - kDeleted.size()) == kDeleted) {
    linked.remove_suffix(kDeleted.size());
    return linked == identity.realPath;
  }
  return false;
}
