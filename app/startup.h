// What the window's created event runs: load, adopt, while the window is shown but disabled.
#pragma once

namespace svcman {

struct ToolContext;

void OnMainWindowCreated(ToolContext& tool);

}  // namespace svcman
