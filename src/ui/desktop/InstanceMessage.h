// What a later start sends the running program over the "Open with" channel: the length of the
// rest (4 bytes, little-endian) and the list of files as QDataStream writes it.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>

namespace vardeno {

inline constexpr char kInstanceMessageTaken = '+';  // the running program's answer

QByteArray InstanceMessage(const QStringList& files);

// Reads one message through readAll (which reads all of the bytes asked for, or returns false)
// into files; false when it could not be read or does not hold a list of files.
bool ReceiveInstanceMessage(const std::function<bool(char* data, qint64 bytes)>& readAll, QStringList& files);

}  // namespace vardeno
