// The channel on Linux: a Unix socket in the user's runtime folder (the temporary folder when there
// is none), which only this user may open, served on a thread of its own so that a second start is
// answered at once even while a conversion keeps the windows' thread busy; the files reach the
// windows through the event loop. Plain sockets rather than Qt's local sockets keep Qt's network
// library (and the Kerberos and proxy libraries it loads) out of the program's start.
#include "ui/desktop/InstanceChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/posix/UniqueFd.h"
#include "ui/desktop/InstanceMessage.h"

namespace vardeno {

namespace {
constexpr int kAnswerMs = 500;
constexpr int kReadMs = 2000;  // a client that connects and then says nothing is dropped

QByteArray SocketPath(const QString& name) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
  return QFile::encodeName(folder + QLatin1Char('/') + name);
}

bool Address(const QByteArray& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (path.size() >= qsizetype(sizeof address.sun_path)) return false;
  std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
  return true;
}

// Waits at most ms for fd to become ready for events, or for stop (may be -1) to become readable.
bool WaitFor(int fd, short events, int ms, int stop) {
  pollfd waits[2] = {{fd, events, 0}, {stop, POLLIN, 0}};
  for (;;) {
    const int ready = poll(waits, stop >= 0 ? 2 : 1, ms);
    if (ready < 0 && errno == EINTR) continue;
    return ready > 0 && waits[0].revents != 0 && (stop < 0 || waits[1].revents == 0);
  }
}

// Reads or writes all of bytes on a non-blocking socket, each piece within ms.
bool Transfer(int fd, bool write, char* data, size_t bytes, int ms, int stop) {
  while (bytes > 0) {
    if (!WaitFor(fd, write ? POLLOUT : POLLIN, ms, stop)) return false;
    const ssize_t moved = write ? send(fd, data, bytes, MSG_NOSIGNAL) : recv(fd, data, bytes, 0);
    if (moved < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (moved <= 0) return false;
    data += moved;
    bytes -= size_t(moved);
  }
  return true;
}

bool Receive(int fd, int stop, QStringList& files) {
  const auto readAll = [&](char* data, qint64 bytes) { return Transfer(fd, false, data, size_t(bytes), kReadMs, stop); };
  return ReceiveInstanceMessage(readAll, files);
}

// A socket at path that this user made: only then is it one of ours to talk to or replace.
bool IsOwnSocket(const QByteArray& path) {
  struct stat info {};
  return lstat(path.constData(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == geteuid();
}

bool PeerIsThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}
}  // namespace

bool HandToRunningInstance(const QString& name, const QStringList& files) {
  const QByteArray path = SocketPath(name);
  sockaddr_un address;
  if (!Address(path, address) || !IsOwnSocket(path)) return false;
  const UniqueFd client(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  // Connecting to a local socket finishes at once: refused when nobody listens on it.
  if (!client || connect(client.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
    return false;
  fcntl(client.Get(), F_SETFL, fcntl(client.Get(), F_GETFL) | O_NONBLOCK);
  QByteArray message = InstanceMessage(files);
  if (!Transfer(client.Get(), true, message.data(), size_t(message.size()), kAnswerMs, -1)) return false;
  char answer = 0;
  Transfer(client.Get(), false, &answer, 1, kAnswerMs, -1);
  return true;
}

struct InstanceServer::Listener {
  QByteArray path;
  UniqueFd socket;
  UniqueFd stopRead, stopWrite;  // a byte written to the pipe ends the serving thread
  std::thread thread;
  ~Listener() {
    if (thread.joinable()) {
      const char stop = 0;
      (void)!write(stopWrite.Get(), &stop, 1);
      thread.join();
    }
    if (socket) unlink(path.constData());
  }
};

namespace {
// Serves one client after another until stop becomes readable.
void Serve(int listening, int stop, InstanceServer* owner) {
  for (;;) {
    if (!WaitFor(listening, POLLIN, -1, stop)) return;
    const UniqueFd client(accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!client || !PeerIsThisUser(client.Get())) continue;
    QStringList files;
    if (!Receive(client.Get(), stop, files)) continue;
    char taken = kInstanceMessageTaken;
    Transfer(client.Get(), true, &taken, 1, kAnswerMs, stop);
    QMetaObject::invokeMethod(owner, [owner, files] { emit owner->filesHanded(files); }, Qt::QueuedConnection);
  }
}
}  // namespace

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), listener_(std::make_unique<Listener>()) {
  Listener& l = *listener_;
  l.path = SocketPath(name);
  sockaddr_un address;
  if (!Address(l.path, address)) return;
  UniqueFd listening(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!listening) return;
  const auto bindIt = [&] {
    // Made with no access for anyone else: connecting needs write access to the socket file.
    const mode_t mask = umask(0077);
    const int bound = bind(listening.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    umask(mask);
    return bound == 0;
  };
  if (!bindIt()) {
    // Nobody answered on it (the caller has just tried), so it is a dead program's socket.
    if (errno != EADDRINUSE || !IsOwnSocket(l.path) || unlink(l.path.constData()) != 0 || !bindIt()) return;
  }
  int pipeEnds[2];
  if (listen(listening.Get(), 8) != 0 || pipe2(pipeEnds, O_CLOEXEC) != 0) {
    unlink(l.path.constData());
    return;
  }
  l.stopRead.Reset(pipeEnds[0]);
  l.stopWrite.Reset(pipeEnds[1]);
  l.socket.Reset(listening.Release());
  l.thread = std::thread(Serve, l.socket.Get(), l.stopRead.Get(), this);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listening() const { return bool(listener_->socket); }

}  // namespace vardeno
