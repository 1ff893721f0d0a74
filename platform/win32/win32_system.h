// The system seam on real Windows: each method forwards to the Windows call of the same name.
// Nothing is decided here; the rules live above the seam.
#pragma once

#include "platform/system.h"

namespace svcman {

class Win32System final : public System {
 public:
  Win32System();
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  // The tool's own window, whose keyboard navigation (Tab between controls) PreTranslateMessage
  // handles through IsDialogMessageW. 0 (the default) means none.
  void SetDialogWindow(WindowHandle window) { dialogWindow_ = window; }

  Handle CreateToolhelp32Snapshot(std::uint32_t flags, ProcessId processId) override;
  bool Process32FirstW(Handle snapshot, ProcessEntry& entry) override;
  bool Process32NextW(Handle snapshot, ProcessEntry& entry) override;
  Handle OpenProcess(std::uint32_t desiredAccess, bool inheritHandle, ProcessId processId) override;
  bool TerminateProcess(Handle process, std::uint32_t exitCode) override;
  bool CloseHandle(Handle handle) override;
  ProcessId GetCurrentProcessId() override;
  std::uint32_t GetTickCount() override;
  int WideCharToMultiByte(std::uint32_t codePage, std::uint32_t flags, const char16_t* wide,
                          int wideCount, char* multiByte, int multiByteSize) override;
  NtStatus RtlAdjustPrivilege(std::uint32_t privilege, bool enable, bool currentThread,
                              bool* wasEnabled) override;
  bool HasWow64ReadServices() override;
  NtStatus NtWow64QueryInformationProcess64(Handle process, std::uint32_t infoClass, void* buffer,
                                            std::uint32_t length,
                                            std::uint32_t* returnLength) override;
  NtStatus NtWow64ReadVirtualMemory64(Handle process, std::uint64_t address, void* buffer,
                                      std::uint64_t size, std::uint64_t* bytesRead) override;
  NtStatus NtQueryInformationProcess(Handle process, std::uint32_t infoClass, void* buffer,
                                     std::uint32_t length, std::uint32_t* returnLength) override;
  NtStatus NtReadVirtualMemory(Handle process, std::uint64_t address, void* buffer,
                               std::uint64_t size, std::uint64_t* bytesRead) override;
  int NativePointerSize() override;
  WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter, const char* className,
                             const char* windowName) override;
  int IsWindow(WindowHandle window) override;
  int IsWindowVisible(WindowHandle window) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window, ProcessId* processId) override;
  int GetClassNameA(WindowHandle window, char* className, int maxCount) override;
  int ShowWindowAsync(WindowHandle window, int showCommand) override;
  std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                              const char* parameters, const char* directory,
                              int showCommand) override;
  Handle CreateWaitableTimerA(bool manualReset) override;
  bool SetWaitableTimer(Handle timer, std::int64_t dueTime, std::int32_t period,
                        bool resume) override;
  std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles, bool waitAll,
                                          std::uint32_t milliseconds,
                                          std::uint32_t wakeMask) override;
  bool PeekMessageW(Message& message, bool remove) override;
  bool PreTranslateMessage(Message& message) override;
  void TranslateMessage(const Message& message) override;
  void DispatchMessageW(const Message& message) override;
  std::string GetExecutableDirectory() override;
  bool SetCurrentDirectoryA(const std::string& path) override;
  bool PathExists(const std::string& path) override;
  bool ReadWholeFile(const std::string& path, std::string& contents) override;

 private:
  using NtFunction = void (*)();  // an ntdll export, cast to its real type where it is called
  NtFunction rtlAdjustPrivilege_ = nullptr;
  NtFunction ntQueryInformationProcess_ = nullptr;
  NtFunction ntReadVirtualMemory_ = nullptr;
  NtFunction ntWow64QueryInformationProcess64_ = nullptr;
  NtFunction ntWow64ReadVirtualMemory64_ = nullptr;
  WindowHandle dialogWindow_ = 0;
};

}  // namespace svcman
