// Paths, files and code page 936 texts for setting up a scenario.
#include <windows.h>

#include "tests/e2e/driver/tool_driver.h"

namespace svcman::e2e {

std::wstring WindowsPath(std::string_view path) {
  std::wstring result;
  if (!path.empty() && path.front() == '/') result = L"Z:";
  for (char c : path) result.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return result;
}

std::wstring JoinPath(const std::wstring& directory, const std::wstring& name) {
  if (!directory.empty() && directory.back() == L'\\') return directory + name;
  return directory + L"\\" + name;
}

std::string ToCp936(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(936, 0, text.data(), length, nullptr, 0, nullptr, &lossy);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(936, 0, text.data(), length, bytes.data(), size, nullptr, &lossy);
  return lossy ? std::string() : bytes;
}

std::wstring FromCp936(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(936, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(936, 0, text.data(), length, wide.data(), size);
  return wide;
}

namespace {

bool DeleteTree(const std::wstring& directory) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(JoinPath(directory, L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = JoinPath(directory, name);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path);
        RemoveDirectoryW(path.c_str());
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return true;
}

bool CreateDirectories(const std::wstring& directory) {
  if (CreateDirectoryW(directory.c_str(), nullptr)) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) return true;
  const auto slash = directory.find_last_of(L'\\');
  if (slash == std::wstring::npos || slash < 3) return false;
  return CreateDirectories(directory.substr(0, slash)) &&
         (CreateDirectoryW(directory.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
}

}  // namespace

bool ResetDirectory(const std::wstring& directory) {
  DeleteTree(directory);
  if (!CreateDirectories(directory)) return false;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(JoinPath(directory, L"*").c_str(), &found);
  bool empty = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") empty = false;
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return empty;
}

bool CopyFileTo(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool WriteConfiguration(const std::wstring& path, const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const std::wstring& line : lines) {
    const std::string converted = ToCp936(line);
    if (converted.empty() && !line.empty()) return false;
    bytes += converted;
    bytes += "\r\n";
  }
  return WriteBytes(path, bytes);
}

ToolInstall InstallTool(const std::wstring& toolExecutable, const std::wstring& directory,
                        const std::vector<std::wstring>& configuration) {
  ToolInstall install{directory, JoinPath(directory, L"svcman.exe")};
  const bool ready = ResetDirectory(directory) && CopyFileTo(toolExecutable, install.executable) &&
                     (configuration.empty() ||
                      WriteConfiguration(JoinPath(directory, L"Kelconfig.ini"), configuration));
  if (!ready) install.executable.clear();
  return install;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  while (!condition()) {
    if (GetTickCount64() - start >= timeoutMs) return condition();
    Sleep(20);
  }
  return true;
}

}  // namespace svcman::e2e
