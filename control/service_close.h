// Ending services.
#pragma once

namespace svcman {

struct ToolContext;

// Ends every bound service, last position first. A service whose process cannot be ended (or is
// no longer the service's own process) stays as it is.
void CloseAllServices(ToolContext& tool);

// Ends the service at position (from 1) and marks it closed whatever the termination did.
void CloseService(ToolContext& tool, int position);

}  // namespace svcman
