#include "platform/win32/OutputPipe.h"

#include <atomic>
#include <string>

#include "platform/win32/LastError.h"

namespace vardeno {

namespace {
// A name no other pipe has: this process, a counter, and the tick count against a stale pipe
// of an earlier process with the same id.
std::wstring UniquePipeName() {
  static std::atomic<unsigned long> counter{0};
  return L"\\\\.\\pipe\\vardeno-output-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount64());
}

// The system's default pipe buffer is 4 KiB; a larger one lets a chatty child run ahead.
constexpr DWORD kPipeBufferSize = 64 * 1024;
}  // namespace

OutputPipe::OutputPipe() {
  const std::wstring name = UniquePipeName();
  readEnd_.Reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                  PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                  0, kPipeBufferSize, 0, nullptr));
  if (!readEnd_) throw LastSystemError();
  // The child's end: synchronous, as a console program expects its standard handles.
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  writeEnd_.Reset(CreateFileW(name.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inheritable, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!writeEnd_) throw LastSystemError();
  event_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event_) throw LastSystemError();
  overlapped_.hEvent = event_.Get();
}

OutputPipe::~OutputPipe() { CancelPending(); }

void OutputPipe::CancelPending() {
  if (!pending_) return;
  DWORD ignored = 0;
  if (CancelIoEx(readEnd_.Get(), &overlapped_) || GetLastError() != ERROR_NOT_FOUND)
    GetOverlappedResult(readEnd_.Get(), &overlapped_, &ignored, TRUE);
  pending_ = false;
}

OutputPipe::Result OutputPipe::Read() {
  DWORD count = 0;
  if (!pending_) {
    ResetEvent(event_.Get());
    if (ReadFile(readEnd_.Get(), buffer_, kPipeReadSize, &count, &overlapped_)) {
      count_ = count;
      // A zero-byte message cannot come through a byte pipe; read on as if nothing came.
      return count > 0 ? Result::Data : Result::Pending;
    }
    if (GetLastError() != ERROR_IO_PENDING) return Result::Closed;
    pending_ = true;
  }
  if (!GetOverlappedResult(readEnd_.Get(), &overlapped_, &count, FALSE)) {
    if (GetLastError() == ERROR_IO_INCOMPLETE) return Result::Pending;
    pending_ = false;
    return Result::Closed;
  }
  pending_ = false;
  count_ = count;
  return count > 0 ? Result::Data : Result::Pending;
}

}  // namespace vardeno
