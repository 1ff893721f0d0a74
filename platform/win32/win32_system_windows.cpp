// Win32System, the user32 and shell32 part: windows, the shell, the wait and the message pump.
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "platform/win32/win32_system.h"

namespace svcman {
namespace {

HWND ToWindow(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
WindowHandle FromWindow(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

MSG ToMsg(const Message& message) {
  MSG msg{};
  msg.hwnd = ToWindow(message.hwnd);
  msg.message = message.message;
  msg.wParam = static_cast<WPARAM>(message.wParam);
  msg.lParam = static_cast<LPARAM>(message.lParam);
  msg.time = message.time;
  msg.pt.x = message.x;
  msg.pt.y = message.y;
  return msg;
}

Message FromMsg(const MSG& msg) {
  Message message;
  message.hwnd = FromWindow(msg.hwnd);
  message.message = msg.message;
  message.wParam = static_cast<std::uintptr_t>(msg.wParam);
  message.lParam = static_cast<std::intptr_t>(msg.lParam);
  message.time = msg.time;
  message.x = msg.pt.x;
  message.y = msg.pt.y;
  return message;
}

}  // namespace

WindowHandle Win32System::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                        const char* className, const char* windowName) {
  return FromWindow(::FindWindowExA(ToWindow(parent), ToWindow(childAfter), className, windowName));
}

int Win32System::IsWindow(WindowHandle window) {
  return ::IsWindow(ToWindow(window));
}

int Win32System::IsWindowVisible(WindowHandle window) {
  return ::IsWindowVisible(ToWindow(window));
}

std::uint32_t Win32System::GetWindowThreadProcessId(WindowHandle window, ProcessId* processId) {
  DWORD owner = processId != nullptr ? *processId : 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToWindow(window), &owner);
  if (processId != nullptr) *processId = owner;
  return thread;
}

int Win32System::GetClassNameA(WindowHandle window, char* className, int maxCount) {
  return ::GetClassNameA(ToWindow(window), className, maxCount);
}

int Win32System::ShowWindowAsync(WindowHandle window, int showCommand) {
  return ::ShowWindowAsync(ToWindow(window), showCommand);
}

std::intptr_t Win32System::ShellExecuteA(WindowHandle window, const char* operation,
                                         const char* file, const char* parameters,
                                         const char* directory, int showCommand) {
  return reinterpret_cast<std::intptr_t>(
      ::ShellExecuteA(ToWindow(window), operation, file, parameters, directory, showCommand));
}

Handle Win32System::CreateWaitableTimerA(bool manualReset) {
  return reinterpret_cast<Handle>(::CreateWaitableTimerA(nullptr, manualReset, nullptr));
}

bool Win32System::SetWaitableTimer(Handle timer, std::int64_t dueTime, std::int32_t period,
                                   bool resume) {
  LARGE_INTEGER due;
  due.QuadPart = dueTime;
  return ::SetWaitableTimer(reinterpret_cast<HANDLE>(timer), &due, period, nullptr, nullptr,
                            resume ? TRUE : FALSE) != FALSE;
}

std::uint32_t Win32System::MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles,
                                                     bool waitAll, std::uint32_t milliseconds,
                                                     std::uint32_t wakeMask) {
  HANDLE raw[MAXIMUM_WAIT_OBJECTS - 1];
  if (count > MAXIMUM_WAIT_OBJECTS - 1 || (count > 0 && handles == nullptr)) return WAIT_FAILED;
  for (std::uint32_t i = 0; i < count; ++i) raw[i] = reinterpret_cast<HANDLE>(handles[i]);
  return ::MsgWaitForMultipleObjects(count, raw, waitAll ? TRUE : FALSE, milliseconds, wakeMask);
}

bool Win32System::PeekMessageW(Message& message, bool remove) {
  MSG msg{};
  if (!::PeekMessageW(&msg, nullptr, 0, 0, remove ? PM_REMOVE : PM_NOREMOVE)) return false;
  message = FromMsg(msg);
  return true;
}

bool Win32System::PreTranslateMessage(Message& message) {
  if (dialogWindow_ == 0) return false;
  MSG msg = ToMsg(message);
  return ::IsDialogMessageW(ToWindow(dialogWindow_), &msg) != FALSE;
}

void Win32System::TranslateMessage(const Message& message) {
  const MSG msg = ToMsg(message);
  ::TranslateMessage(&msg);
}

void Win32System::DispatchMessageW(const Message& message) {
  const MSG msg = ToMsg(message);
  ::DispatchMessageW(&msg);
}

}  // namespace svcman
