// A windowed service whose window class is named like the console windows of Windows. Wine's own
// consoles have another class, so this is how the console-window rules meet a real window here.
#include "window_service.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return svcman::e2e::RunWindowService(instance, L"ConsoleWindowClass");
}
