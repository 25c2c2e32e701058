// The pipe a child writes its standard output and standard error into: a named pipe whose read
// end this process reads with overlapped I/O (so a wait can also watch the child and a time-out)
// and whose write end is opened for the child alone.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/OutputPieces.h"
#include "platform/win32/UniqueHandle.h"

namespace vardeno {

class OutputPipe {
 public:
  // Creates the pipe; the write end is an inheritable handle meant only for the child (pass it
  // in a PROC_THREAD_ATTRIBUTE_HANDLE_LIST). Throws SystemError.
  OutputPipe();
  // Cancels a read still pending, before its buffer goes away.
  ~OutputPipe();
  OutputPipe(const OutputPipe&) = delete;
  OutputPipe& operator=(const OutputPipe&) = delete;

  HANDLE ChildEnd() const { return writeEnd_.Get(); }
  // Closes this process's copy of the write end, once the child has its own.
  void CloseChildEnd() { writeEnd_.Reset(); }

  enum class Result { Data, Closed, Pending };
  // Starts a read of up to kPipeReadSize bytes unless one is pending. Data when bytes are
  // ready (Bytes()), Closed when every writer has closed the pipe, Pending when none are there yet.
  Result Read();
  // Signalled when a pending read has finished; Read then collects it.
  HANDLE ReadEvent() const { return event_.Get(); }
  const char* Bytes() const { return buffer_; }
  std::size_t Count() const { return count_; }

 private:
  void CancelPending();

  UniqueHandle readEnd_;
  UniqueHandle writeEnd_;
  UniqueHandle event_;
  OVERLAPPED overlapped_{};
  bool pending_ = false;
  std::size_t count_ = 0;
  char buffer_[kPipeReadSize];
};

}  // namespace vardeno
