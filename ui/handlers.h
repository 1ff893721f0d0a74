// The command handlers: each button's caption is the state of its command pair.
#pragma once

namespace svcman {

struct ToolContext;

void OnStartAllClicked(ToolContext& tool);
void OnStartSelectedClicked(ToolContext& tool);
void OnHideAllClicked(ToolContext& tool);
void OnHideSelectedClicked(ToolContext& tool);
void OnCurrentRowChanged(ToolContext& tool);
void OnHideConsolesClicked(ToolContext& tool);

}  // namespace svcman
