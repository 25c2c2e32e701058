#include "ui/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
constexpr int kConnectMs = 300;
constexpr int kAnswerMs = 500;
const char kTaken = '+';
}  // namespace

QString InstanceSocketName(const QString& programDir) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QDir::homePath().toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(qEnvironmentVariable("USER").toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(QDir::cleanPath(programDir).toUtf8());
  return QStringLiteral("vardeno-") + QString::fromLatin1(hash.result().toHex().left(24));
}

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

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name)) {
    // Nobody answered on it (the caller has just tried), so it is a dead program's socket.
    QLocalServer::removeServer(name);
    server_->listen(name);
  }
  connect(server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

bool InstanceServer::Listening() const { return server_->isListening(); }

void InstanceServer::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      QDataStream in(socket);
      in.startTransaction();
      QStringList files;
      in >> files;
      if (!in.commitTransaction()) return;  // more to come
      socket->write(&kTaken, 1);
      socket->flush();
      emit filesHanded(files);
    });
  }
}
