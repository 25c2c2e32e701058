#include "ui/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QIODevice>
#include <QtEndian>

#include "ui/InstanceMessage.h"

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
constexpr quint32 kMostBodyBytes = 16 * 1024 * 1024;
}

QByteArray InstanceMessage(const QStringList& files) {
  QByteArray body;
  QDataStream out(&body, QIODevice::WriteOnly);
  out << files;
  char head[kInstanceMessageHeadBytes];
  qToLittleEndian(quint32(body.size()), head);
  return QByteArray(head, sizeof head) + body;
}

qint64 InstanceMessageBodySize(const char (&head)[kInstanceMessageHeadBytes]) {
  const quint32 size = qFromLittleEndian<quint32>(head);
  return size > kMostBodyBytes ? -1 : qint64(size);
}

bool ReadInstanceMessageBody(const QByteArray& body, QStringList& files) {
  QDataStream in(body);
  in >> files;
  return in.status() == QDataStream::Ok;
}
