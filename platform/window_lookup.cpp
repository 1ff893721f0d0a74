#include "platform/window_lookup.h"

#include "platform/responsive_wait.h"
#include "platform/system.h"

namespace svcman {
namespace {

constexpr std::int32_t kDefaultLimitMs = 31536000;  // a year: as good as no limit
constexpr const char* kConsoleWindowClass = "ConsoleWindowClass";
constexpr int kClassBufferCharacters = 50;

bool IsCandidate(System& system, WindowHandle window, ProcessId processId) {
  return system.IsWindow(window) == 1 && system.IsWindowVisible(window) != 0 &&
         GetWindowProcessId(system, window) == processId;
}

}  // namespace

WindowHandle FindProcessWindow(System& system, ProcessId processId, std::int32_t limitMs) {
  const std::uint32_t start = system.GetTickCount();
  const std::int64_t limit = limitMs == kNoTimeLimit ? kDefaultLimitMs : limitMs;
  // Only a console window that was on top when the search began counts as the process's own
  // window; further down it is some other console the process merely shares.
  const WindowHandle first = system.FindWindowExA(0, 0, nullptr, nullptr);
  WindowHandle current = 0;
  for (;;) {
    // Unsigned difference: still right when the tick count wraps during the search.
    const std::uint32_t elapsed = system.GetTickCount() - start;
    if (static_cast<std::int64_t>(elapsed) >= limit) return 0;
    // After the last window the answer is 0, and the next turn starts again from the top.
    current = system.FindWindowExA(0, current, nullptr, nullptr);
    if (current != 0 && IsCandidate(system, current, processId)) {
      if (GetWindowClassName(system, current) != kConsoleWindowClass || current == first) {
        return current;
      }
    }
    DispatchPendingMessages(system);
  }
}

int FindTopLevelWindowsByClass(System& system, const std::string& className,
                               std::vector<WindowHandle>& windows, WindowHandle parent) {
  windows.clear();
  for (WindowHandle window = system.FindWindowExA(parent, 0, className.c_str(), nullptr);
       window != 0; window = system.FindWindowExA(parent, window, className.c_str(), nullptr)) {
    windows.push_back(window);
  }
  return static_cast<int>(windows.size());
}

ProcessId GetWindowProcessId(System& system, WindowHandle window) {
  ProcessId processId = 0;
  system.GetWindowThreadProcessId(window, &processId);
  return processId;
}

std::string GetWindowClassName(System& system, WindowHandle window) {
  std::string buffer(kClassBufferCharacters, ' ');
  buffer.push_back('\0');
  // A class that cannot be read is no class at all, not the fifty blanks it was preset with.
  if (system.GetClassNameA(window, buffer.data(), kClassBufferCharacters) <= 0) return {};
  return buffer.substr(0, buffer.find('\0'));
}

}  // namespace svcman
