// Start-up: what the tool does before its window exists, and what the window's created event
// runs: load, adopt, while the window is shown but disabled.
#pragma once

namespace svcman {

struct ToolContext;
class System;

// The configuration is found beside the executable whatever directory the tool was started in.
void MakeExecutableDirectoryCurrent(System& system);

void OnMainWindowCreated(ToolContext& tool);

}  // namespace svcman
