#include "control/service_start.h"

#include <cstdint>
#include <vector>

#include "catalogue/service_catalogue.h"
#include "catalogue/text.h"
#include "control/instance_matching.h"
#include "control/tool_context.h"
#include "platform/process_control.h"
#include "platform/process_lookup.h"
#include "platform/responsive_wait.h"
#include "platform/system.h"

namespace svcman {
namespace {

constexpr std::int32_t kBeforeLookMs = 200;
constexpr std::int32_t kAfterLookMs = 300;
constexpr std::uint32_t kWatchLimitMs = 5000;

// Every id bound right now, whichever service holds it; a nested close may clear a record
// later, but what was claimed here stays claimed for the rest of the watch.
void ClaimBoundIds(const ServiceCatalogue& catalogue, ClaimedIds& claimed) {
  const int count = catalogue.Count();
  for (int position = 1; position <= count; ++position) {
    claimed.Claim(catalogue.At(position).processId);
  }
}

// One look at the processes; true when one was bound to the service.
bool LookForInstance(ToolContext& tool, int position, const ClaimedIds& claimed) {
  std::vector<ProcessId> candidates;
  if (FindProcessesByImageName(tool.system, tool.catalogue.At(position).imageName, candidates) <=
      0) {
    return false;
  }
  for (ProcessId candidate : candidates) {
    if (MatchesService(tool, tool.catalogue.At(position), candidate) &&
        !claimed.IsClaimed(candidate)) {
      BindInstance(tool, position, candidate);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string WorkingDirectoryOf(std::string_view path) {
  const std::size_t last = FindLastCharacter(path, '\\');
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

void StartService(ToolContext& tool, int position) {
  {
    const ServiceRecord& record = tool.catalogue.At(position);
    LaunchProgram(tool.system, record.path, record.arguments, WorkingDirectoryOf(record.path));
  }
  const std::uint32_t start = tool.system.GetTickCount();
  ClaimedIds claimed;
  bool finished = false;
  while (!finished) {
    ClaimBoundIds(tool.catalogue, claimed);
    WaitResponsive(tool.system, kBeforeLookMs);
    // The user closed the window meanwhile: nobody will see a binding any more.
    if (QuitRequested(tool.system)) return;
    finished = LookForInstance(tool, position, claimed);
    // Unsigned subtraction keeps the elapsed time right across the counter's wrap.
    const std::uint32_t elapsed = tool.system.GetTickCount() - start;
    if (elapsed > kWatchLimitMs) {
      finished = true;
    } else {
      WaitResponsive(tool.system, kAfterLookMs);
    }
  }
}

void StartAllServices(ToolContext& tool) {
  const int count = tool.catalogue.Count();
  for (int position = 1; position <= count; ++position) {
    // Once the window is closed, no further program is launched behind the user's back.
    if (QuitRequested(tool.system)) return;
    if (tool.catalogue.At(position).processId == 0) StartService(tool, position);
  }
}

}  // namespace svcman
