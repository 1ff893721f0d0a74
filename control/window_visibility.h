// Hiding and showing service windows and every console window.
#pragma once

namespace svcman {

struct ToolContext;

void SetServiceWindowVisible(ToolContext& tool, int position, bool visible);
void SetAllServiceWindowsVisible(ToolContext& tool, bool visible);
// Every top-level "ConsoleWindowClass" window, services' or not; no cell is written.
void SetAllConsoleWindowsVisible(ToolContext& tool, bool visible);

}  // namespace svcman
