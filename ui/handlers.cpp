#include "ui/handlers.h"

#include <string>
#include <string_view>

#include "catalogue/texts.h"
#include "control/service_close.h"
#include "control/service_start.h"
#include "control/tool_context.h"
#include "control/window_visibility.h"
#include "ui/main_window.h"

namespace svcman {
namespace {

// A button's caption is the state of its command pair: the first command runs only when the
// caption is exactly that command's caption, anything else runs the second.
bool CaptionIs(const ToolContext& tool, Button button, std::string_view caption) {
  return tool.window.GetButtonCaption(button) == caption;
}

void SetCaption(ToolContext& tool, Button button, std::string_view caption) {
  tool.window.SetButtonCaption(button, std::string(caption));
}

}  // namespace

void OnStartAllClicked(ToolContext& tool) {
  tool.window.SetButtonEnabled(Button::StartAll, false);
  if (CaptionIs(tool, Button::StartAll, texts::kStartAll)) {
    SetCaption(tool, Button::StartAll, texts::kStatusRunning);
    StartAllServices(tool);
    SetCaption(tool, Button::StartAll, texts::kCloseAll);
  } else {
    SetCaption(tool, Button::StartAll, texts::kClosingAll);
    CloseAllServices(tool);
    SetCaption(tool, Button::StartAll, texts::kStartAll);
  }
  tool.window.SetButtonEnabled(Button::StartAll, true);
}

void OnStartSelectedClicked(ToolContext& tool) {
  tool.window.SetButtonEnabled(Button::StartSelected, false);
  // The position is taken before the start waits: selecting another row meanwhile does not
  // redirect this click.
  const int row = tool.window.SelectedRow();
  if (row != -1) {
    if (CaptionIs(tool, Button::StartSelected, texts::kStartSelected)) {
      StartService(tool, row + 1);
      tool.window.SetButtonEnabled(Button::HideSelected, true);
      SetCaption(tool, Button::HideSelected, texts::kHideSelected);
      SetCaption(tool, Button::StartSelected, texts::kCloseSelected);
    } else {
      CloseService(tool, row + 1);
      tool.window.SetButtonEnabled(Button::HideSelected, false);
      SetCaption(tool, Button::StartSelected, texts::kStartSelected);
    }
  }
  tool.window.SetButtonEnabled(Button::StartSelected, true);
}

void OnHideAllClicked(ToolContext& tool) {
  tool.window.SetButtonEnabled(Button::HideAll, false);
  if (CaptionIs(tool, Button::HideAll, texts::kHideAll)) {
    SetCaption(tool, Button::HideAll, texts::kHiding);
    SetAllServiceWindowsVisible(tool, false);
    SetCaption(tool, Button::HideAll, texts::kShowAll);
  } else {
    SetCaption(tool, Button::HideAll, texts::kAboutToShow);
    SetAllServiceWindowsVisible(tool, true);
    SetCaption(tool, Button::HideAll, texts::kHideAll);
  }
  tool.window.SetButtonEnabled(Button::HideAll, true);
}

void OnHideSelectedClicked(ToolContext& tool) {
  tool.window.SetButtonEnabled(Button::HideSelected, false);
  const int row = tool.window.SelectedRow();
  if (row != -1) {
    if (CaptionIs(tool, Button::HideSelected, texts::kHideSelected)) {
      SetServiceWindowVisible(tool, row + 1, false);
      SetCaption(tool, Button::HideSelected, texts::kShowSelected);
    } else {
      SetServiceWindowVisible(tool, row + 1, true);
      SetCaption(tool, Button::HideSelected, texts::kHideSelected);
    }
  }
  tool.window.SetButtonEnabled(Button::HideSelected, true);
}

void OnCurrentRowChanged(ToolContext& tool) {
  // With no row selected both cells read empty: the service counts as stopped and hidden.
  const int row = tool.window.SelectedRow();
  const bool running = tool.window.GetCellText(row, kColumnStatus) == texts::kStatusRunning;
  SetCaption(tool, Button::StartSelected, running ? texts::kCloseSelected : texts::kStartSelected);
  tool.window.SetButtonEnabled(Button::HideSelected, running);
  const bool shown = tool.window.GetCellText(row, kColumnShown) == texts::kTrue;
  SetCaption(tool, Button::HideSelected, shown ? texts::kHideSelected : texts::kShowSelected);
}

void OnHideConsolesClicked(ToolContext& tool) {
  tool.window.SetButtonEnabled(Button::HideAll, false);
  tool.window.SetButtonEnabled(Button::HideSelected, false);
  // The click has already toggled the box: checked means hide.
  SetAllConsoleWindowsVisible(tool, !tool.window.IsCheckBoxChecked());
  tool.window.SetButtonEnabled(Button::HideAll, true);
  tool.window.SetButtonEnabled(Button::HideSelected, true);
}

}  // namespace svcman
