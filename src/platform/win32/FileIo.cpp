// Reading and safely replacing files on Windows.
//
// How Windows differs from the header's description:
// - There are no run bits: `executable` is ignored (cmd and the shell go by the file's extension).
// - The new file is written beside the old one as "~vardeno-<process>-<n>.tmp", flushed
//   (FlushFileBuffers) and moved over path with MoveFileExW (replace existing, write through).
//   The replaced file's attributes and permissions are not carried over: the new file gets those
//   its folder gives new files. A read-only file at path is not replaced (the move is refused).
// - A file that another program holds open without sharing deletion cannot be replaced; the
//   error is thrown and the old file stays whole.
// - A symbolic link at path is followed (GetFinalPathNameByHandleW) and its target replaced.
// - A folder at path, for reading or writing, throws rather than reading empty.
// Errors are thrown as SystemError with GetLastError's code and the system's message.
#include "platform/FileIo.h"

#include <windows.h>

#include <atomic>

#include "platform/SystemError.h"
#include "platform/win32/LastError.h"
#include "platform/win32/WideText.h"

namespace vardeno {

namespace {

class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() { Close(); }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;
  // Closes now; false (with the last error set) when the system reports a failure.
  bool Close() {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

std::wstring FolderOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return L".";
  // "C:\name" lives in "C:\", not in "C:" (which would mean the drive's current folder).
  if (separator == 2 && path[1] == L':') return path.substr(0, 3);
  return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

// The file a symbolic link (or other reparse point) at path leads to; path itself otherwise, and
// when the link leads nowhere (a dangling link is then replaced by the file itself).
std::wstring ResolveLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  HandleCloser closer(file);
  std::wstring target(32768, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()),
                                                 FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= target.size()) return path;
  target.resize(length);
  return target;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Creates a new, unique file in folder for writing.
HANDLE CreateTemporaryBeside(const std::wstring& folder, std::wstring& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    tempPath = folder + L"\\~vardeno-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(counter.fetch_add(1)) + L".tmp";
    const HANDLE file =
        CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) throw LastSystemError();
  }
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  const std::wstring widePath = Widen(path);
  const HANDLE file = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw LastSystemError();
  HandleCloser closer(file);
  // Windows refuses to open a folder this way; the check stays for file systems that do not.
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    throw SystemErrorFromCode(ERROR_ACCESS_DENIED);

  std::string content;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0) content.reserve(static_cast<size_t>(size.QuadPart));
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      if (GetLastError() == ERROR_BROKEN_PIPE) break;  // a pipe whose writer has gone: its end
      throw LastSystemError();
    }
    if (got == 0) break;
    content.append(buffer, got);
  }
  return content;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, bool /*executable*/) {
  const std::wstring target = ResolveLink(Widen(path));
  if (IsFolder(target)) throw SystemErrorFromCode(ERROR_ACCESS_DENIED);

  std::wstring tempPath;
  const HANDLE file = CreateTemporaryBeside(FolderOf(target), tempPath);
  HandleCloser closer(file);
  // Takes the error first: closing and deleting set their own.
  auto fail = [&](DWORD code) {
    closer.Close();
    DeleteFileW(tempPath.c_str());
    throw SystemErrorFromCode(code);
  };
  if (!WriteAll(file, bytes)) fail(GetLastError());
  if (!FlushFileBuffers(file)) fail(GetLastError());
  if (!closer.Close()) fail(GetLastError());
  if (!MoveFileExW(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    fail(GetLastError());
}

}  // namespace vardeno
