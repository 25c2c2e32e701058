// The channel on Windows: a named pipe ("\\.\pipe\vardeno-...") that the running program serves
// on a thread of its own, so a second start is answered at once even while a conversion keeps the
// windows' thread busy; the files reach the windows through the event loop. The pipe lives as
// long as its program, so no dead program's pipe is ever left behind, and a second program cannot
// create it while the first has it (first instance only). Remote clients are refused.
#include "ui/desktop/InstanceChannel.h"

#include <windows.h>

#include <QMetaObject>
#include <thread>

#include "platform/win32/UniqueHandle.h"
#include "ui/desktop/InstanceMessage.h"

namespace vardeno {

namespace {
constexpr DWORD kConnectMs = 300;
constexpr DWORD kAnswerMs = 500;
constexpr DWORD kReadMs = 2000;  // a client that connects and then says nothing is dropped
constexpr DWORD kBufferBytes = 64 * 1024;

std::wstring PipePath(const QString& name) { return (QStringLiteral("\\\\.\\pipe\\") + name).toStdWString(); }

UniqueHandle NewEvent() { return UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// Waits for the overlapped operation io on handle for at most ms, or until stop (may be null) is
// set; an unfinished operation is cancelled. True when it finished well; moved gets its bytes.
bool Finish(HANDLE handle, OVERLAPPED& io, DWORD ms, HANDLE stop, DWORD& moved) {
  HANDLE waits[2] = {io.hEvent, stop};
  if (WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, ms) != WAIT_OBJECT_0) {
    CancelIoEx(handle, &io);
    GetOverlappedResult(handle, &io, &moved, TRUE);
    return false;
  }
  return GetOverlappedResult(handle, &io, &moved, FALSE) != FALSE;
}

// Reads or writes all of bytes on an overlapped handle, each piece within ms.
bool Transfer(HANDLE handle, bool write, char* data, DWORD bytes, DWORD ms, HANDLE stop) {
  const UniqueHandle done = NewEvent();
  while (bytes > 0) {
    OVERLAPPED io{};
    io.hEvent = done.Get();
    ResetEvent(io.hEvent);
    const BOOL started = write ? WriteFile(handle, data, bytes, nullptr, &io) : ReadFile(handle, data, bytes, nullptr, &io);
    if (!started && GetLastError() != ERROR_IO_PENDING) return false;
    DWORD moved = 0;
    if (!Finish(handle, io, ms, stop, moved) || moved == 0) return false;
    data += moved;
    bytes -= moved;
  }
  return true;
}

bool Receive(HANDLE pipe, HANDLE stop, QStringList& files) {
  const auto readAll = [&](char* data, qint64 bytes) { return Transfer(pipe, false, data, DWORD(bytes), kReadMs, stop); };
  return ReceiveInstanceMessage(readAll, files);
}
}  // namespace

bool HandToRunningInstance(const QString& name, const QStringList& files) {
  const std::wstring path = PipePath(name);
  UniqueHandle pipe(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr));
  // Busy with another start: wait for it a moment, once.
  if (!pipe && GetLastError() == ERROR_PIPE_BUSY && WaitNamedPipeW(path.c_str(), kConnectMs))
    pipe.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr));
  if (!pipe) return false;
  QByteArray message = InstanceMessage(files);
  if (!Transfer(pipe.Get(), true, message.data(), DWORD(message.size()), kAnswerMs, nullptr)) return false;
  char answer = 0;
  Transfer(pipe.Get(), false, &answer, 1, kAnswerMs, nullptr);
  return true;
}

struct InstanceServer::Listener {
  UniqueHandle pipe;  // the one instance, reused for every client
  UniqueHandle stop;
  std::thread thread;
  ~Listener() {
    if (!thread.joinable()) return;
    SetEvent(stop.Get());
    thread.join();
  }
};

namespace {
// Serves one client after another until stop is set.
void Serve(HANDLE pipe, HANDLE stop, InstanceServer* owner) {
  const UniqueHandle connected = NewEvent();
  for (;;) {
    OVERLAPPED io{};
    io.hEvent = connected.Get();
    ResetEvent(io.hEvent);
    ConnectNamedPipe(pipe, &io);
    const DWORD error = GetLastError();
    DWORD ignored = 0;
    if (error == ERROR_IO_PENDING) {
      if (!Finish(pipe, io, INFINITE, stop, ignored)) {
        if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) return;
        DisconnectNamedPipe(pipe);
        continue;
      }
    } else if (error != ERROR_PIPE_CONNECTED) {
      // The instance is unusable; try again after a pause rather than spin.
      DisconnectNamedPipe(pipe);
      if (WaitForSingleObject(stop, 100) == WAIT_OBJECT_0) return;
      continue;
    }
    QStringList files;
    if (Receive(pipe, stop, files)) {
      char taken = kInstanceMessageTaken;
      Transfer(pipe, true, &taken, 1, kAnswerMs, stop);
      QMetaObject::invokeMethod(owner, [owner, files] { emit owner->filesHanded(files); }, Qt::QueuedConnection);
      // Until the client has read the answer and gone (a broken pipe ends this read), within bounds.
      char rest = 0;
      Transfer(pipe, false, &rest, 1, kAnswerMs, stop);
    }
    DisconnectNamedPipe(pipe);
  }
}
}  // namespace

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), listener_(std::make_unique<Listener>()) {
  listener_->pipe.Reset(CreateNamedPipeW(
      PipePath(name).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kBufferBytes, kBufferBytes,
      0, nullptr));
  if (!listener_->pipe) return;  // another program of this user and folder has it
  listener_->stop = NewEvent();
  listener_->thread = std::thread(Serve, listener_->pipe.Get(), listener_->stop.Get(), this);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listening() const { return bool(listener_->pipe); }

}  // namespace vardeno
