#include "control/service_close.h"

#include <algorithm>
#include <vector>

#include "catalogue/service_catalogue.h"
#include "catalogue/texts.h"
#include "control/instance_matching.h"
#include "control/tool_context.h"
#include "platform/process_control.h"
#include "platform/process_lookup.h"
#include "platform/system.h"
#include "platform/unique_handle.h"
#include "ui/main_window.h"

namespace svcman {
namespace {

// The tool remembers only a bound process's id, and Windows hands ids out again once a process
// is gone. Before an id is ended, the process under it must still be the service's own by the
// same rule that bound it; otherwise a stranger that happened to get the id would be killed.
bool IsStillInstance(ToolContext& tool, const ServiceRecord& record) {
  if (record.processId == 0) return false;
  std::vector<ProcessId> candidates;
  if (FindProcessesByImageName(tool.system, record.imageName, candidates) <= 0) return false;
  if (std::find(candidates.begin(), candidates.end(), record.processId) == candidates.end()) {
    return false;
  }
  return MatchesService(tool, record, record.processId);
}

// Ends the service's process if it is still the service's own; true when it was ended. The
// process is held open across the check, so its id cannot pass to another process between
// the check and the termination.
bool EndServiceProcess(ToolContext& tool, const ServiceRecord& record) {
  if (record.processId == 0) return false;
  const UniqueHandle pin(tool.system,
                         tool.system.OpenProcess(kProcessTerminate, false, record.processId));
  if (!pin.valid()) return false;
  if (!IsStillInstance(tool, record)) return false;
  return TerminateProcessById(tool.system, record.processId);
}

void MarkClosed(ToolContext& tool, int position) {
  ServiceRecord& record = tool.catalogue.At(position);
  record.processId = 0;
  record.windowHandle = 0;
  tool.window.SetCellText(position - 1, kColumnStatus, std::string(texts::kStatusClosed));
  tool.window.SetCellText(position - 1, kColumnShown, std::string(texts::kFalse));
}

}  // namespace

void CloseAllServices(ToolContext& tool) {
  const int count = tool.catalogue.Count();
  for (int position = count; position >= 1; --position) {
    const ServiceRecord& record = tool.catalogue.At(position);
    if (record.processId == 0) continue;
    // A process that could not be ended, or is no longer the service's, leaves the service bound
    // and its row as it was, so the next close-all looks again.
    if (EndServiceProcess(tool, record)) MarkClosed(tool, position);
  }
}

void CloseService(ToolContext& tool, int position) {
  EndServiceProcess(tool, tool.catalogue.At(position));
  MarkClosed(tool, position);
}

}  // namespace svcman
