// The channel on Linux: a local socket that only this user may open.
#include "ui/InstanceChannel.h"

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
constexpr int kConnectMs = 300;
constexpr int kAnswerMs = 500;
const char kTaken = '+';
}  // namespace

bool HandToRunningInstance(const QString& name, const QStringList& files) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(kConnectMs)) return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << files;
  socket.write(message);
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  // The running program answers as soon as its event loop has the files; a busy one (in the
  // middle of a conversion it answers within a moment) still gets them from the socket later.
  if (socket.bytesAvailable() == 0) socket.waitForReadyRead(kAnswerMs);
  socket.disconnectFromServer();
  return true;
}

namespace {
// Takes every waiting connection; each hands one list of files, answered at once.
void AcceptAll(QLocalServer* server, InstanceServer* owner) {
  while (QLocalSocket* socket = server->nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, owner, [owner, socket] {
      QDataStream in(socket);
      in.startTransaction();
      QStringList files;
      in >> files;
      if (!in.commitTransaction()) return;  // more to come
      socket->write(&kTaken, 1);
      socket->flush();
      emit owner->filesHanded(files);
    });
  }
}
}  // namespace

struct InstanceServer::Listener {
  QLocalServer* server;
};

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), listener_(new Listener{new QLocalServer(this)}) {
  QLocalServer* server = listener_->server;
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(name)) {
    // Nobody answered on it (the caller has just tried), so it is a dead program's socket.
    QLocalServer::removeServer(name);
    server->listen(name);
  }
  connect(server, &QLocalServer::newConnection, this, [this, server] { AcceptAll(server, this); });
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listening() const { return listener_->server->isListening(); }
