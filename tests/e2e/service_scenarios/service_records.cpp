#include "service_records.h"

#include <tlhelp32.h>

#include <cwctype>
#include <string>
#include <vector>

#include "tests/e2e/driver/tool_driver.h"

namespace svcman::e2e {
namespace {

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return bytes;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring ImagePath(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH * 4];
  DWORD size = MAX_PATH * 4;
  std::wstring result;
  if (QueryFullProcessImageNameW(process, 0, path, &size)) result.assign(path, size);
  CloseHandle(process);
  return result;
}

std::vector<DWORD> AllProcessIds() {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

}  // namespace

std::optional<ServiceRecordFile> ReadServiceRecord(const std::wstring& folder,
                                                   const std::wstring& name) {
  const auto bytes = ReadWholeFile(JoinPath(folder, name + L".rec"));
  if (!bytes) return std::nullopt;
  ServiceRecordFile record;
  int fields = 0;
  size_t start = 0;
  while (start < bytes->size()) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) break;  // a record always ends with a line end
    const std::string line = bytes->substr(start, end - start);
    start = end + 1;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "pid") record.pid = static_cast<DWORD>(std::stoul(value)), ++fields;
    if (key == "command_line") record.commandLine = FromUtf8(value), ++fields;
    if (key == "working_directory") record.workingDirectory = FromUtf8(value), ++fields;
    if (key == "window") {
      record.window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(value)));
      ++fields;
    }
  }
  if (fields != 4) return std::nullopt;
  return record;
}

std::optional<ServiceRecordFile> WaitForServiceRecord(const std::wstring& folder,
                                                      const std::wstring& name, DWORD timeoutMs,
                                                      DWORD notPid) {
  std::optional<ServiceRecordFile> record;
  WaitFor(
      [&] {
        record = ReadServiceRecord(folder, name);
        return record && record->pid != notPid;
      },
      timeoutMs);
  if (record && record->pid == notPid) return std::nullopt;
  return record;
}

std::wstring WithoutQuotes(std::wstring text) {
  std::erase(text, L'"');
  return text;
}

WatchedProcess::WatchedProcess(DWORD pid)
    : process_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {}

WatchedProcess::~WatchedProcess() {
  if (process_ != nullptr) CloseHandle(process_);
}

bool WatchedProcess::IsRunning() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool WatchedProcess::WaitForEnd(DWORD timeoutMs) const {
  return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD StartProgram(const std::wstring& executable, const std::wstring& commandLine,
                   const std::wstring& workingDirectory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!CreateProcessW(executable.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                      nullptr, workingDirectory.c_str(), &startup, &info)) {
    return 0;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return info.dwProcessId;
}

void EndProcessesFrom(const std::wstring& folder) {
  std::wstring prefix = Lower(folder);
  if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
  for (DWORD pid : AllProcessIds()) {
    if (pid == GetCurrentProcessId()) continue;
    if (Lower(ImagePath(pid)).rfind(prefix, 0) != 0) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

bool WaitForWindowVisible(HWND window, bool visible, DWORD timeoutMs) {
  return WaitFor([&] { return (IsWindowVisible(window) != 0) == visible; }, timeoutMs);
}

}  // namespace svcman::e2e
