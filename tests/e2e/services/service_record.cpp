#include "service_record.h"

#include <shellapi.h>

#include <cwctype>
#include <string>

namespace svcman::e2e {
namespace {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring ExecutablePath() {
  std::wstring path(32768, L'\0');
  DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path;
}

std::wstring CurrentDirectory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(size, L'\0');
  DWORD length = GetCurrentDirectoryW(size, dir.data());
  dir.resize(length);
  return dir;
}

std::wstring FirstArgument() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) return {};
  std::wstring first = count > 1 ? args[1] : L"";
  LocalFree(args);
  return first;
}

std::wstring Sanitised(const std::wstring& name) {
  std::wstring out = name;
  for (wchar_t& c : out) {
    bool keep = (c < 0x80 && std::iswalnum(c)) || c == L'-' || c == L'_' || c == L'.';
    if (!keep) c = L'_';
  }
  return out;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace

std::wstring ExecutableFolder() {
  std::wstring path = ExecutablePath();
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring RecordName() {
  std::wstring first = FirstArgument();
  if (!first.empty()) return Sanitised(first);
  std::wstring path = ExecutablePath();
  std::wstring file = path.substr(path.find_last_of(L'\\') + 1);
  size_t dot = file.rfind(L'.');
  return Sanitised(dot == std::wstring::npos ? file : file.substr(0, dot));
}

bool HasArgument(const wchar_t* word) {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) return false;
  bool found = false;
  for (int i = 1; i < count && !found; ++i) found = std::wstring(args[i]) == word;
  LocalFree(args);
  return found;
}

bool WriteServiceRecord(HWND window) {
  std::string text;
  text += "pid=" + std::to_string(GetCurrentProcessId()) + "\n";
  text += "command_line=" + ToUtf8(GetCommandLineW()) + "\n";
  text += "working_directory=" + ToUtf8(CurrentDirectory()) + "\n";
  text += "window=" + std::to_string(reinterpret_cast<UINT_PTR>(window)) + "\n";
  std::wstring record = ExecutableFolder() + RecordName() + L".rec";
  std::wstring temporary = record + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  if (!WriteWholeFile(temporary, text)) return false;
  if (MoveFileExW(temporary.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileW(temporary.c_str());
  return false;
}

}  // namespace svcman::e2e
