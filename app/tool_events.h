// The window's events bound to the tool's handlers: created to the start-up handler, each
// control's one event to its command handler.
#pragma once

#include "ui/win32/window_events.h"

namespace svcman {

struct ToolContext;

class ToolEvents : public MainWindowEvents {
 public:
  explicit ToolEvents(ToolContext& tool) : tool_(tool) {}

  void OnCreated() override;
  void OnButtonClicked(Button button) override;
  void OnCurrentRowChanged() override;
  void OnCheckBoxClicked() override;

 private:
  ToolContext& tool_;
};

}  // namespace svcman
