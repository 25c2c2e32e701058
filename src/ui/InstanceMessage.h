// What a later start sends the running program over the "Open with" channel: the length of the
// rest (4 bytes, little-endian) and the list of files as QDataStream writes it.
#pragma once

#include <QByteArray>
#include <QStringList>

inline constexpr int kInstanceMessageHeadBytes = 4;
inline constexpr char kInstanceMessageTaken = '+';  // the running program's answer

QByteArray InstanceMessage(const QStringList& files);

// The length the head announces, or -1 when it is more than a list of files can need.
qint64 InstanceMessageBodySize(const char (&head)[kInstanceMessageHeadBytes]);

// The files of a message's body; false when it does not hold a list.
bool ReadInstanceMessageBody(const QByteArray& body, QStringList& files);
