#include "window_service.h"

#include "service_record.h"

namespace svcman::e2e {
namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  // Closing the window does not end the program: a service ends only when it is terminated, so a
  // test that sees it gone knows the tool ended it.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int RunWindowService(HINSTANCE instance, const wchar_t* className) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (RegisterClassW(&windowClass) == 0) return 2;

  std::wstring title = RecordName();
  HWND window = CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 320, 160, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 3;
  // Shown normally whatever the launcher asked for, so every test starts from a visible window;
  // "hidden" among the arguments keeps it hidden from the start instead.
  if (!HasArgument(L"hidden")) ShowWindow(window, SW_SHOWNORMAL);
  if (!WriteServiceRecord(window)) return 4;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace svcman::e2e
