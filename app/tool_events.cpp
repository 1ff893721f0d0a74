#include "app/tool_events.h"

#include "app/startup.h"
#include "ui/handlers.h"

namespace svcman {

void ToolEvents::OnCreated() {
  OnMainWindowCreated(tool_);
}

void ToolEvents::OnButtonClicked(Button button) {
  switch (button) {
    case Button::StartAll:
      return OnStartAllClicked(tool_);
    case Button::StartSelected:
      return OnStartSelectedClicked(tool_);
    case Button::HideAll:
      return OnHideAllClicked(tool_);
    case Button::HideSelected:
      return OnHideSelectedClicked(tool_);
  }
}

void ToolEvents::OnCurrentRowChanged() {
  svcman::OnCurrentRowChanged(tool_);
}

void ToolEvents::OnCheckBoxClicked() {
  OnHideConsolesClicked(tool_);
}

}  // namespace svcman
