// Ending the encoder on an abort: the jobs of the children the process runner started from the
// encoder's file, which hold the encoder and whatever a wrapper script started.
#include "platform/ProcessRunner.h"
#include "platform/win32/ChildRegistry.h"
#include "platform/win32/ExecutableIdentity.h"

namespace vardeno {

bool TerminateApp(const std::string& exePath) {
  const ExecutableIdentity file = IdentifyExecutable(exePath);
  if (!file.fileKnown && file.path.empty()) return false;
  return ChildRegistry::Instance().EndStartedFrom(file) > 0;
}

bool TerminateChild(const ChildProcess& child) {
  return ChildRegistry::Instance().End(static_cast<DWORD>(child.pid)) != ChildRegistry::EndResult::NotRegistered;
}

}  // namespace vardeno
