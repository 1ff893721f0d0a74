#include "app/startup.h"

#include "catalogue/configuration.h"
#include "control/instance_matching.h"
#include "control/tool_context.h"
#include "platform/system.h"
#include "ui/main_window.h"

namespace svcman {

void MakeExecutableDirectoryCurrent(System& system) {
  system.SetCurrentDirectoryA(system.GetExecutableDirectory());
}

void OnMainWindowCreated(ToolContext& tool) {
  // Shown but disabled while the services are loaded and the running ones recognised: the user
  // sees the tool at work and cannot click into a half-filled list.
  tool.window.SetEnabled(false);
  tool.window.SetVisible(true);
  LoadConfiguration(tool.catalogue, tool.window, tool.system);
  AdoptRunningInstances(tool);
  tool.window.SetEnabled(true);
}

}  // namespace svcman
