// Ending the encoder on an abort: the children the process runner started from the encoder's file.
#include "platform/ProcessRunner.h"
#include "platform/posix/ChildRegistry.h"
#include "platform/posix/ExecutableIdentity.h"

namespace vardeno {

bool TerminateApp(const std::string& exePath) {
  const ExecutableIdentity file = IdentifyExecutable(exePath);
  if (!file.fileKnown && file.path.empty()) return false;
  return ChildRegistry::Instance().EndStartedFrom(file) > 0;
}

bool TerminateChild(const ChildProcess& child) {
  return ChildRegistry::Instance().End(child.pid) != ChildRegistry::EndResult::NotRegistered;
}

}  // namespace vardeno
