// A simulated Windows machine behind the system seam: a process table, top-level windows in Z
// order, a virtual millisecond clock, a message queue fed by scheduled user actions, and a small
// file system mapped onto real files. It holds state and records calls; tests assert.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace svcman::fake {

// Where a read of a process's command line fails, for the reader's failure paths.
enum class ReadFailure { None, Open, QueryInformation, ReadPeb, ReadParameters, ReadCommandLine };

struct SimulatedProcess {
  ProcessId id = 0;
  std::string imageName;    // code page 936, as the snapshot reports it
  std::string commandLine;  // code page 936; stored in memory as UTF-16 (see SetCommandLine)
  bool alive = true;
  bool terminable = true;  // TerminateProcess on it succeeds
  ReadFailure readFailure = ReadFailure::None;
  std::uint32_t exitCode = 0;
  // The process's address space as the reader sees it: regions keyed by start address.
  std::uint64_t pebAddress = 0;
  std::map<std::uint64_t, std::string> memory;
  // Where the process parameters and the command line's UTF-16 code units live.
  std::uint64_t parametersAddress = 0;
  std::uint64_t commandLineAddress = 0;
};

struct SimulatedWindow {
  WindowHandle handle = 0;
  ProcessId owner = 0;
  std::string className;
  bool visible = true;
};

struct ShellExecuteCall {
  std::string operation, file, parameters, directory;
  int showCommand = 0;
  bool nullArgument = false;  // some string argument was a null pointer
};

struct ShowWindowCall {
  WindowHandle window = 0;
  int showCommand = 0;
};

struct OpenProcessCall {
  std::uint32_t desiredAccess = 0;
  bool inheritHandle = false;
  ProcessId processId = 0;
};

struct WaitCall {
  std::uint32_t count = 0;
  bool waitAll = false;
  std::uint32_t milliseconds = 0;
  std::uint32_t wakeMask = 0;
};

// NTSTATUS values the simulated ntdll answers with.
inline constexpr NtStatus kStatusNotImplemented = static_cast<NtStatus>(0xC0000002);
inline constexpr NtStatus kStatusInfoLengthMismatch = static_cast<NtStatus>(0xC0000004);
inline constexpr NtStatus kStatusAccessViolation = static_cast<NtStatus>(0xC0000005);
inline constexpr NtStatus kStatusInvalidHandle = static_cast<NtStatus>(0xC0000008);
inline constexpr NtStatus kStatusAccessDenied = static_cast<NtStatus>(0xC0000022);
inline constexpr NtStatus kStatusPartialCopy = static_cast<NtStatus>(0x8000000D);

// The message a scheduled user action arrives as (WM_APP + 1); wParam names the action.
inline constexpr std::uint32_t kUserActionMessage = 0x8001;
inline constexpr std::uint32_t kWaitTimeout = 0x102;

class SimulatedMachine : public System {
 public:
  SimulatedMachine();
  ~SimulatedMachine() override;

  // ---- processes -------------------------------------------------------------------------
  // Adds a running process with a fresh id (or the id given, if not 0) and a well-formed
  // memory layout holding its command line. Returns the id.
  ProcessId AddProcess(const std::string& imageName, const std::string& commandLine,
                       ProcessId id = 0);
  // Rewrites the command line in the process's memory, in the layout the reader expects for
  // this machine's bitness (see SetBitness).
  void SetCommandLine(ProcessId id, const std::string& commandLine);
  // The process ends by itself; its windows go with it. Its id stays unused until ReuseId.
  void EndProcess(ProcessId id);
  SimulatedProcess* FindProcess(ProcessId id);  // null when no such process ever existed
  bool IsAlive(ProcessId id) const;
  // Snapshot order: the order processes were added. Only running processes.
  std::vector<ProcessId> ProcessIds() const;
  // Memory the reader walks: raw bytes at an address of the process, and the CommandLine
  // UNICODE_STRING rewritten in place (Length and Buffer), for malformed layouts.
  void WriteMemory(ProcessId id, std::uint64_t address, std::string bytes);
  void SetCommandLineRecord(ProcessId id, std::uint16_t length, std::uint64_t buffer);
  // Chooses which reader services exist and the tool's pointer width, and rebuilds every
  // process's memory in the matching layout: 64-bit when the WoW64 pair exists or the tool is
  // 64-bit, else the 32-bit layout of a 32-bit Windows.
  void SetBitness(bool hasWow64ReadServices, int toolPointerSize);
  int TargetPointerSize() const { return wow64ReadServices || nativePointerSize == 8 ? 8 : 4; }
  ProcessId toolProcessId = 4;  // what GetCurrentProcessId answers

  // ---- windows (top-level, index 0 is the topmost) --------------------------------------
  WindowHandle AddWindow(ProcessId owner, const std::string& className, bool visible = true,
                         bool topmost = false);
  void DestroyWindow(WindowHandle window);
  void BringToTop(WindowHandle window);
  const SimulatedWindow* FindWindow(WindowHandle window) const;
  const std::vector<SimulatedWindow>& Windows() const { return windows_; }

  // ---- clock ------------------------------------------------------------------------------
  // Virtual milliseconds since the simulation began (never wraps); GetTickCount reports
  // tickStart + Now() modulo 2^32.
  std::uint64_t Now() const { return now_; }
  void SetTickStart(std::uint32_t tickStart) { tickStart_ = tickStart; }
  void Advance(std::uint64_t ms);  // applies world events that fall due
  // What each FindWindowExA call costs, so a busy window search ends in virtual time.
  std::uint64_t windowStepCostMs = 1;

  // ---- the world and the user -------------------------------------------------------------
  // A change of the machine (a process starting, ending, a window appearing) at a virtual time.
  void ScheduleWorldEvent(std::uint64_t atMs, std::function<void()> event);
  // A user action (a click) delivered as a message: it becomes pending at atMs and runs when the
  // tool dispatches it.
  void ScheduleUserAction(std::uint64_t atMs, std::function<void()> action);
  // Posts the quit message (the window was closed).
  void PostQuit();
  bool QuitPending() const;
  // Messages queued now (due user actions and the quit message).
  int PendingMessageCount() const;
  int dispatchedMessages = 0;

  // What ShellExecuteA does besides recording the call: by default nothing; tests set it to
  // make a program start (typically by scheduling world events).
  std::function<void(const ShellExecuteCall&)> onShellExecute;

  // ---- failure injection --------------------------------------------------------------------
  bool snapshotFails = false;
  bool timerCreateFails = false;
  bool timerSetFails = false;
  bool waitFails = false;
  // Change these two through SetBitness once processes exist, so their memory follows.
  bool wow64ReadServices = true;  // false: a 32-bit Windows without the WoW64 pair
  int nativePointerSize = 4;      // the tool's own bitness

  // ---- records -----------------------------------------------------------------------------
  std::vector<ShellExecuteCall> shellExecuteCalls;
  std::vector<ShowWindowCall> showWindowCalls;
  std::vector<ProcessId> terminateRequests;  // ids of processes TerminateProcess was called on
  std::vector<OpenProcessCall> openProcessCalls;
  std::vector<std::uint32_t> snapshotFlags;  // flags of every CreateToolhelp32Snapshot
  std::vector<std::int64_t> timerDueTimes;   // due time of every SetWaitableTimer
  std::vector<WaitCall> waitCalls;
  // Waits that could never have ended (no timer, no input, no time-out): a hang on Windows.
  int endlessWaits = 0;
  std::map<std::string, long> callCounts;  // per seam method name
  int OpenHandleCount() const;             // handles opened and not yet closed
  int closeOfInvalidHandle = 0;            // CloseHandle on something not open: a bug

  // ---- file system: paths with backslashes map onto real paths with slashes ----------------
  std::string executableDirectory = "C:\\tool";
  std::string currentDirectory;

  // ---- System -----------------------------------------------------------------------------
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
  struct Impl;
  std::unique_ptr<Impl> impl_;  // handles, timers, queues: details the tests need not see
  std::vector<SimulatedProcess> processes_;
  std::vector<SimulatedWindow> windows_;
  std::uint64_t now_ = 0;
  std::uint32_t tickStart_ = 0;
};

}  // namespace svcman::fake
