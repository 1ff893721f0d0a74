#include "control/window_visibility.h"

#include <string>
#include <vector>

#include "catalogue/service_catalogue.h"
#include "catalogue/texts.h"
#include "control/tool_context.h"
#include "platform/system.h"
#include "platform/window_lookup.h"
#include "ui/main_window.h"

namespace svcman {
namespace {

int ShowCommand(bool visible) {
  return visible ? kSwShowNormal : kSwHide;
}

// The cell says what was asked for: the request goes to the other program's thread and the tool
// does not wait to see it carried out.
void ShowAndRecord(ToolContext& tool, int position, bool visible) {
  tool.system.ShowWindowAsync(tool.catalogue.At(position).windowHandle, ShowCommand(visible));
  tool.window.SetCellText(position - 1, kColumnShown,
                          std::string(visible ? texts::kTrue : texts::kFalse));
}

}  // namespace

void SetServiceWindowVisible(ToolContext& tool, int position, bool visible) {
  ShowAndRecord(tool, position, visible);
}

void SetAllServiceWindowsVisible(ToolContext& tool, bool visible) {
  const int count = tool.catalogue.Count();
  for (int position = 1; position <= count; ++position) {
    const ServiceRecord& record = tool.catalogue.At(position);
    if (record.windowHandle == 0 || record.processId == 0) continue;
    ShowAndRecord(tool, position, visible);
  }
}

void SetAllConsoleWindowsVisible(ToolContext& tool, bool visible) {
  std::vector<WindowHandle> windows;
  FindTopLevelWindowsByClass(tool.system, std::string(texts::kConsoleWindowClass), windows);
  for (WindowHandle window : windows) tool.system.ShowWindowAsync(window, ShowCommand(visible));
}

}  // namespace svcman
