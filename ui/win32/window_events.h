// What the main window reports to the tool: its creation and the one event of each control.
// Plain C++, so the wiring from events to handlers builds and is tested anywhere.
#pragma once

#include "ui/main_window.h"

namespace svcman {

class MainWindowEvents {
 public:
  // Once, inside the window's creation, when the window and all its controls exist.
  virtual void OnCreated() = 0;
  virtual void OnButtonClicked(Button button) = 0;
  // The list's focused row changed to another row (a click or the arrow keys).
  virtual void OnCurrentRowChanged() = 0;
  // The check box was clicked; its checked state has already toggled.
  virtual void OnCheckBoxClicked() = 0;

 protected:
  ~MainWindowEvents() = default;
};

}  // namespace svcman
