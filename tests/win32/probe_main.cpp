// The program the Windows tests start and look at: it writes its own command line (as raw
// UTF-16) to "svcman_probe_<pid>.cmdline" beside itself, shows one window of class
// "SvcmanProbeWindow" and waits. It never ends with exit code 0 by itself (7 after two minutes,
// so a failed test leaves nothing behind), so an exit code of 0 proves it was terminated so.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kClassName[] = L"SvcmanProbeWindow";
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMs = 120000;

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_TIMER && wParam == kGiveUpTimer) {
    PostQuitMessage(7);
    return 0;
  }
  if (message == WM_CLOSE) return 0;  // only termination ends it early
  return DefWindowProcW(window, message, wParam, lParam);
}

bool WriteCommandLineReport() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return false;
  std::wstring report(path, length);
  report.resize(report.find_last_of(L'\\') + 1);
  report += L"svcman_probe_" + std::to_wstring(GetCurrentProcessId()) + L".cmdline";
  const std::wstring commandLine = GetCommandLineW();
  const HANDLE file = CreateFileW(report.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const DWORD bytes = static_cast<DWORD>(commandLine.size() * sizeof(wchar_t));
  const bool ok = WriteFile(file, commandLine.data(), bytes, &written, nullptr) && written == bytes;
  CloseHandle(file);
  return ok;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!WriteCommandLineReport()) return 2;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProbeProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (RegisterClassW(&windowClass) == 0) return 3;
  const HWND window =
      CreateWindowExW(0, kClassName, L"svcman probe", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 300, 120, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 4;
  ShowWindow(window, SW_SHOWNORMAL);
  SetTimer(window, kGiveUpTimer, kGiveUpMs, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
