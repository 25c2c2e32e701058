// "Open with" into the running program: the first Vardeno of a user, started from one program
// folder, listens on a channel of the system (a local socket on Linux, a named pipe on Windows); a
// later start from the same folder hands its files over and ends. A portable copy and an installed
// one have different folders, so they never mix.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace vardeno {

// The socket's name for this user and the program folder programDir.
QString InstanceSocketName(const QString& programDir);

// Hands files (absolute paths; may be none) to the Vardeno listening on name. True when one was
// there and has been given them: this start should then end. Returns within about a second.
bool HandToRunningInstance(const QString& name, const QStringList& files);

// The listening side, for the program's life.
class InstanceServer : public QObject {
  Q_OBJECT
 public:
  // Starts listening on name; a socket left behind by a program that has died is replaced.
  InstanceServer(const QString& name, QObject* parent);
  ~InstanceServer() override;
  bool Listening() const;

 signals:
  // Another start handed these files over (possibly none: it only wants the window).
  void filesHanded(const QStringList& files);

 private:
  struct Listener;  // the system's side of the channel
  std::unique_ptr<Listener> listener_;
};

}  // namespace vardeno
