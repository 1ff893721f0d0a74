// The simulated machine's top-level windows (index 0 is the topmost) and the shell.
#include <algorithm>
#include <cstring>

#include "tests/fakes/simulated_machine.h"
#include "tests/fakes/simulated_machine_impl.h"

namespace svcman::fake {
namespace {

// Window classes are matched without regard to ASCII case, as Windows does.
bool SameClass(const std::string& a, const char* b) {
  const std::size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 0x20 : c; };
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

WindowHandle SimulatedMachine::AddWindow(ProcessId owner, const std::string& className,
                                         bool visible, bool topmost) {
  SimulatedWindow window{impl_->nextWindow, owner, className, visible};
  impl_->nextWindow += 0x10;
  windows_.insert(topmost ? windows_.begin() : windows_.end(), window);
  return window.handle;
}

void SimulatedMachine::DestroyWindow(WindowHandle window) {
  std::erase_if(windows_, [window](const SimulatedWindow& w) { return w.handle == window; });
}

void SimulatedMachine::BringToTop(WindowHandle window) {
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [window](const SimulatedWindow& w) { return w.handle == window; });
  if (it != windows_.end()) std::rotate(windows_.begin(), it, it + 1);
}

const SimulatedWindow* SimulatedMachine::FindWindow(WindowHandle window) const {
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [window](const SimulatedWindow& w) { return w.handle == window; });
  return it == windows_.end() ? nullptr : &*it;
}

WindowHandle SimulatedMachine::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                             const char* className, const char* windowName) {
  ++callCounts["FindWindowExA"];
  WindowHandle found = 0;
  // Child windows and titles are not simulated: the tool searches top-level windows by class.
  if (parent == 0 && windowName == nullptr) {
    std::size_t start = 0;
    if (childAfter != 0) {
      const auto it =
          std::find_if(windows_.begin(), windows_.end(),
                       [childAfter](const SimulatedWindow& w) { return w.handle == childAfter; });
      // A window that no longer exists has no successor.
      start = it == windows_.end() ? windows_.size() : (it - windows_.begin()) + 1;
    }
    for (std::size_t i = start; i < windows_.size() && found == 0; ++i) {
      if (className == nullptr || SameClass(windows_[i].className, className)) {
        found = windows_[i].handle;
      }
    }
  }
  // The answer reflects the desktop at the moment of the call; the time the call takes may
  // then bring world events that change it.
  Advance(windowStepCostMs);
  return found;
}

int SimulatedMachine::IsWindow(WindowHandle window) {
  ++callCounts["IsWindow"];
  return FindWindow(window) != nullptr ? 1 : 0;
}

int SimulatedMachine::IsWindowVisible(WindowHandle window) {
  ++callCounts["IsWindowVisible"];
  const SimulatedWindow* found = FindWindow(window);
  return found != nullptr && found->visible ? 1 : 0;
}

std::uint32_t SimulatedMachine::GetWindowThreadProcessId(WindowHandle window,
                                                         ProcessId* processId) {
  ++callCounts["GetWindowThreadProcessId"];
  const SimulatedWindow* found = FindWindow(window);
  if (found == nullptr) return 0;
  if (processId != nullptr) *processId = found->owner;
  return found->owner + 1;  // a thread id of the owner; never 0
}

int SimulatedMachine::GetClassNameA(WindowHandle window, char* className, int maxCount) {
  ++callCounts["GetClassNameA"];
  const SimulatedWindow* found = FindWindow(window);
  if (found == nullptr || className == nullptr || maxCount <= 0) return 0;
  // Like Windows: at most maxCount - 1 bytes, then the terminating zero.
  const int copied = std::min(static_cast<int>(found->className.size()), maxCount - 1);
  std::memcpy(className, found->className.data(), static_cast<std::size_t>(copied));
  className[copied] = '\0';
  return copied;
}

int SimulatedMachine::ShowWindowAsync(WindowHandle window, int showCommand) {
  ++callCounts["ShowWindowAsync"];
  showWindowCalls.push_back({window, showCommand});
  const auto it = std::find_if(windows_.begin(), windows_.end(),
                               [window](const SimulatedWindow& w) { return w.handle == window; });
  if (it == windows_.end()) return 0;
  it->visible = showCommand != kSwHide;
  return 1;
}

std::intptr_t SimulatedMachine::ShellExecuteA(WindowHandle /*window*/, const char* operation,
                                              const char* file, const char* parameters,
                                              const char* directory, int showCommand) {
  ++callCounts["ShellExecuteA"];
  auto text = [](const char* s) { return s == nullptr ? std::string() : std::string(s); };
  ShellExecuteCall call{
      text(operation),
      text(file),
      text(parameters),
      text(directory),
      showCommand,
      operation == nullptr || file == nullptr || parameters == nullptr || directory == nullptr};
  shellExecuteCalls.push_back(call);
  if (onShellExecute) onShellExecute(call);
  return 42;  // above 32: the shell accepted the request
}

}  // namespace svcman::fake
