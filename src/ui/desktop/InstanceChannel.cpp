#include "ui/desktop/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QIODevice>
#include <QtEndian>

#include "ui/desktop/InstanceMessage.h"

namespace vardeno {

QString InstanceSocketName(const QString& programDir) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QDir::homePath().toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME")).toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(QDir::cleanPath(programDir).toUtf8());
  return QStringLiteral("vardeno-") + QString::fromLatin1(hash.result().toHex().left(24));
}

namespace {
constexpr int kHeadBytes = 4;
constexpr quint32 kMostBodyBytes = 16 * 1024 * 1024;
}  // namespace

QByteArray InstanceMessage(const QStringList& files) {
  QByteArray body;
  QDataStream out(&body, QIODevice::WriteOnly);
  out << files;
  char head[kHeadBytes];
  qToLittleEndian(quint32(body.size()), head);
  return QByteArray(head, sizeof head) + body;
}

bool ReceiveInstanceMessage(const std::function<bool(char* data, qint64 bytes)>& readAll, QStringList& files) {
  char head[kHeadBytes];
  if (!readAll(head, sizeof head)) return false;
  const quint32 size = qFromLittleEndian<quint32>(head);
  if (size > kMostBodyBytes) return false;
  QByteArray body(qsizetype(size), Qt::Uninitialized);
  if (!readAll(body.data(), size)) return false;
  QDataStream in(body);
  in >> files;
  return in.status() == QDataStream::Ok;
}

}  // namespace vardeno
