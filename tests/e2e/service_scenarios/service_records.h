// Reading back what the test service programs record about themselves (pid, command line,
// working directory, window), and the real processes behind those records.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace svcman::e2e {

struct ServiceRecordFile {
  DWORD pid = 0;
  std::wstring commandLine;
  std::wstring workingDirectory;
  HWND window = nullptr;
};

// The record <folder>\<name>.rec, or nothing while it does not exist or cannot be read whole.
std::optional<ServiceRecordFile> ReadServiceRecord(const std::wstring& folder,
                                                   const std::wstring& name);
// Waits until the record exists and names a process other than notPid.
std::optional<ServiceRecordFile> WaitForServiceRecord(const std::wstring& folder,
                                                      const std::wstring& name, DWORD timeoutMs,
                                                      DWORD notPid = 0);

// The command line as the tool compares it: every double quote removed, nothing else changed.
std::wstring WithoutQuotes(std::wstring text);

// A process watched from the test: held open from the moment it is known, so its end is seen
// even once its id has passed to another process.
class WatchedProcess {
 public:
  explicit WatchedProcess(DWORD pid);
  WatchedProcess(const WatchedProcess&) = delete;
  WatchedProcess& operator=(const WatchedProcess&) = delete;
  ~WatchedProcess();

  bool IsRunning() const;
  // True when the process has ended within the time.
  bool WaitForEnd(DWORD timeoutMs) const;

 private:
  HANDLE process_ = nullptr;
};

// Starts a program ourselves with exactly this command line and current directory, as a user
// would have before opening the tool. A console program gets a console of its own. Returns the
// process id, 0 on failure.
DWORD StartProgram(const std::wstring& executable, const std::wstring& commandLine,
                   const std::wstring& workingDirectory);

// Ends every process whose executable lives in the folder, and waits for each to be gone.
void EndProcessesFrom(const std::wstring& folder);

// Polls IsWindowVisible until it reports the wanted state (ShowWindowAsync on another program's
// window can take about a second to act under Wine).
bool WaitForWindowVisible(HWND window, bool visible, DWORD timeoutMs);

}  // namespace svcman::e2e
