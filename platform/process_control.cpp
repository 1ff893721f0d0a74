#include "platform/process_control.h"

#include "platform/system.h"
#include "platform/unique_handle.h"

namespace svcman {

void LaunchProgram(System& system, const std::string& path, const std::string& arguments,
                   const std::string& directory) {
  // c_str() of an empty text is "", never null: the shell gets empty strings, as promised.
  system.ShellExecuteA(0, "open", path.c_str(), arguments.c_str(), directory.c_str(),
                       kSwShowNormal);
}

bool TerminateProcessById(System& system, ProcessId processId) {
  UniqueHandle process(system, system.OpenProcess(kProcessTerminate, false, processId));
  if (!process.valid()) return false;
  return system.TerminateProcess(process.get(), 0);
}

}  // namespace svcman
