// Starting the tool and watching its process end.
#include <windows.h>

#include <psapi.h>

#include "tests/e2e/driver/tool_driver.h"

namespace svcman::e2e {

ToolProcess::ToolProcess(const std::wstring& executable, const std::wstring& workingDirectory,
                         const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + executable + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                      &info)) {
    error_ = GetLastError();
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

ToolProcess::~ToolProcess() {
  if (process_ == nullptr) return;
  if (IsRunning()) Terminate();
  CloseHandle(process_);
}

bool ToolProcess::IsRunning() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ToolProcess::WaitForExit(DWORD timeoutMs) const {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return {};
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return {};
  return code;
}

void ToolProcess::Terminate() {
  if (process_ == nullptr) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

std::vector<std::wstring> ToolProcess::LoadedModules() const {
  std::vector<std::wstring> paths;
  if (process_ == nullptr) return paths;
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(process_, modules, sizeof(modules), &bytes)) return paths;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameExW(process_, modules[i], path, MAX_PATH) > 0) paths.push_back(path);
  }
  return paths;
}

}  // namespace svcman::e2e
