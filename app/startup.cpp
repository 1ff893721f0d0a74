#include "app/startup.h"

#include "catalogue/configuration.h"
#include "control/instance_matching.h"
#include "control/tool_context.h"
#include "ui/main_window.h"

namespace svcman {

void OnMainWindowCreated(ToolContext& tool) {
  tool.window.SetEnabled(false);
  tool.window.SetVisible(true);
  LoadConfiguration(tool.catalogue, tool.window, tool.system);
  AdoptRunningInstances(tool);
  tool.window.SetEnabled(true);
}

}  // namespace svcman
