// Entry point of the Windows program: prepares the process, creates the catalogue and the
// window (whose created event loads the configuration and recognises running services), runs
// the message loop until the window is destroyed, then releases the catalogue. Exit code 0.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/startup.h"
#include "app/tool_events.h"
#include "catalogue/service_catalogue.h"
#include "control/tool_context.h"
#include "platform/win32/win32_system.h"
#include "ui/win32/win32_main_window.h"

namespace svcman {
namespace {

// OLE for the user-interface thread, uninitialised only if this initialisation succeeded.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (initialised_) OleUninitialize();
  }

 private:
  bool initialised_;
};

// Runs ReleaseServiceCatalogue once, when start-up's scope ends.
class CatalogueRelease {
 public:
  explicit CatalogueRelease(ServiceCatalogue& catalogue) : catalogue_(catalogue) {}
  CatalogueRelease(const CatalogueRelease&) = delete;
  CatalogueRelease& operator=(const CatalogueRelease&) = delete;
  ~CatalogueRelease() { ReleaseServiceCatalogue(catalogue_); }

 private:
  ServiceCatalogue& catalogue_;
};

// Before the created event runs, the pump behind the waits learns the window, so the keyboard
// moves between its controls during waits as it does in the main loop.
class StartupEvents final : public ToolEvents {
 public:
  StartupEvents(ToolContext& tool, Win32System& system, const win32::Win32MainWindow& window)
      : ToolEvents(tool), system_(system), window_(window) {}

  void OnCreated() override {
    system_.SetDialogWindow(reinterpret_cast<WindowHandle>(window_.handle()));
    ToolEvents::OnCreated();
  }

 private:
  Win32System& system_;
  const win32::Win32MainWindow& window_;
};

void RunMessageLoop(HWND window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void RunTool(HINSTANCE instance) {
  OleSession ole;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Win32System system;
  MakeExecutableDirectoryCurrent(system);
  ServiceCatalogue catalogue;
  CatalogueRelease release(catalogue);
  win32::Win32MainWindow window;
  ToolContext tool{catalogue, window, system};
  StartupEvents events(tool, system, window);
  // The window may already be gone when creation returns: closed while the created event ran.
  if (!window.Create(instance, events)) return;
  ShowWindow(window.handle(), SW_SHOW);
  RunMessageLoop(window.handle());
}

}  // namespace
}  // namespace svcman

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  svcman::RunTool(instance);
  return 0;
}
