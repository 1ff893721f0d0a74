// What the service-control operations and the command handlers act on: the one catalogue, the
// one window and the machine. Passed by reference; nothing here is global.
#pragma once

namespace svcman {

class ServiceCatalogue;
class MainWindow;
class System;

struct ToolContext {
  ServiceCatalogue& catalogue;
  MainWindow& window;
  System& system;
};

}  // namespace svcman
