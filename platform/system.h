// The system seam: every Windows call the tool makes, with the call's own name and arguments but
// the project's own small types, so nothing above this line includes <windows.h>.
//
// platform/win32/ forwards each method to the real call; tests/fakes/ holds a simulated machine.
// No decision lives in an implementation of this interface: the rules are written once, above it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace svcman {

inline constexpr Handle kInvalidHandleValue = static_cast<Handle>(-1);  // INVALID_HANDLE_VALUE

inline constexpr std::uint32_t kTh32csSnapAll = 15;            // TH32CS_SNAPALL
inline constexpr std::uint32_t kProcessTerminate = 0x0001;     // PROCESS_TERMINATE
inline constexpr std::uint32_t kProcessQueryAndRead = 0x0410;  // QUERY_INFORMATION | VM_READ
inline constexpr std::uint32_t kSeDebugPrivilege = 20;
inline constexpr std::uint32_t kCodePage936 = 936;
inline constexpr std::uint32_t kWcCompositeCheck = 0x200;
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr std::uint32_t kWaitObject0 = 0;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
inline constexpr std::uint32_t kQsAllButRawInput = 0xFF;  // the wake mask of the responsive wait
inline constexpr std::uint32_t kWmQuit = 0x0012;

// PROCESSENTRY32W, the fields the tool reads. The name arrives in UTF-16 and is converted to
// code page 936 above the seam, so names match the configuration on a Windows of any language.
struct ProcessEntry {
  std::uint32_t th32ProcessID = 0;
  std::u16string szExeFile;
};

// MSG, enough of it to hand back to the pump unchanged.
struct Message {
  WindowHandle hwnd = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  std::uint32_t time = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class System {
 public:
  virtual ~System() = default;

  // kernel32: processes and handles
  virtual Handle CreateToolhelp32Snapshot(std::uint32_t flags, ProcessId processId) = 0;
  virtual bool Process32FirstW(Handle snapshot, ProcessEntry& entry) = 0;
  virtual bool Process32NextW(Handle snapshot, ProcessEntry& entry) = 0;
  virtual Handle OpenProcess(std::uint32_t desiredAccess, bool inheritHandle,
                             ProcessId processId) = 0;
  virtual bool TerminateProcess(Handle process, std::uint32_t exitCode) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  virtual ProcessId GetCurrentProcessId() = 0;
  virtual std::uint32_t GetTickCount() = 0;
  // lpDefaultChar and lpUsedDefaultChar are always null in this tool, so they are not passed.
  virtual int WideCharToMultiByte(std::uint32_t codePage, std::uint32_t flags, const char16_t* wide,
                                  int wideCount, char* multiByte, int multiByteSize) = 0;

  // ntdll: another process's memory, always through 64-bit addresses and sizes.
  virtual NtStatus RtlAdjustPrivilege(std::uint32_t privilege, bool enable, bool currentThread,
                                      bool* wasEnabled) = 0;
  // True when the NtWow64* pair below is available (a 32-bit tool on 64-bit Windows).
  virtual bool HasWow64ReadServices() = 0;
  virtual NtStatus NtWow64QueryInformationProcess64(Handle process, std::uint32_t infoClass,
                                                    void* buffer, std::uint32_t length,
                                                    std::uint32_t* returnLength) = 0;
  virtual NtStatus NtWow64ReadVirtualMemory64(Handle process, std::uint64_t address, void* buffer,
                                              std::uint64_t size, std::uint64_t* bytesRead) = 0;
  // The same two services in the tool's own bitness (native layout of the tool's build).
  virtual NtStatus NtQueryInformationProcess(Handle process, std::uint32_t infoClass, void* buffer,
                                             std::uint32_t length, std::uint32_t* returnLength) = 0;
  virtual NtStatus NtReadVirtualMemory(Handle process, std::uint64_t address, void* buffer,
                                       std::uint64_t size, std::uint64_t* bytesRead) = 0;
  // Pointer width of the tool's own process, in bytes: 4 for the i686 build, 8 for x86_64.
  virtual int NativePointerSize() = 0;

  // user32: windows
  virtual WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                     const char* className, const char* windowName) = 0;
  virtual int IsWindow(WindowHandle window) = 0;
  virtual int IsWindowVisible(WindowHandle window) = 0;
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window, ProcessId* processId) = 0;
  virtual int GetClassNameA(WindowHandle window, char* className, int maxCount) = 0;
  virtual int ShowWindowAsync(WindowHandle window, int showCommand) = 0;

  // shell32
  virtual std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                                      const char* parameters, const char* directory,
                                      int showCommand) = 0;

  // kernel32 + user32: the responsive wait
  virtual Handle CreateWaitableTimerA(bool manualReset) = 0;
  virtual bool SetWaitableTimer(Handle timer, std::int64_t dueTime, std::int32_t period,
                                bool resume) = 0;
  virtual std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles,
                                                  bool waitAll, std::uint32_t milliseconds,
                                                  std::uint32_t wakeMask) = 0;

  // user32: the message pump behind DispatchPendingMessages
  virtual bool PeekMessageW(Message& message, bool remove) = 0;
  // IsDialogMessage for the tool's own window (keyboard navigation); true when it took the message.
  virtual bool PreTranslateMessage(Message& message) = 0;
  virtual void TranslateMessage(const Message& message) = 0;
  virtual void DispatchMessageW(const Message& message) = 0;

  // File system: the executable's directory, and the configuration file beside it.
  // Paths are code page 936 texts with backslashes.
  virtual std::string GetExecutableDirectory() = 0;  // no trailing backslash
  virtual bool SetCurrentDirectoryA(const std::string& path) = 0;
  virtual bool PathExists(const std::string& path) = 0;  // a file or a directory of that name
  // The whole file, opened for reading with other writers denied; false when it cannot be
  // opened or read.
  virtual bool ReadWholeFile(const std::string& path, std::string& contents) = 0;
};

}  // namespace svcman
