#include "ui/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>

QString InstanceSocketName(const QString& programDir) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QDir::homePath().toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME")).toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(QDir::cleanPath(programDir).toUtf8());
  return QStringLiteral("vardeno-") + QString::fromLatin1(hash.result().toHex().left(24));
}
