// Win32System, the file system part. Paths arrive as code page 936 texts and go to the W API,
// so a folder with Chinese characters works on a Windows of any language.
#include <windows.h>

#include "platform/win32/code_page_936.h"
#include "platform/win32/win32_system.h"

namespace svcman {
namespace {

// Closes a file handle on every path out of ReadWholeFile.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

constexpr LONGLONG kLargestFile = 64LL * 1024 * 1024;  // far beyond any configuration

}  // namespace

std::string Win32System::GetExecutableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: try a larger buffer
  }
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) path.resize(slash);
  return CodePage936FromWide(path);
}

bool Win32System::SetCurrentDirectoryA(const std::string& path) {
  return ::SetCurrentDirectoryW(WideFromCodePage936(path).c_str()) != FALSE;
}

bool Win32System::PathExists(const std::string& path) {
  return ::GetFileAttributesW(WideFromCodePage936(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32System::ReadWholeFile(const std::string& path, std::string& contents) {
  // Other readers are welcome; a writer would change the file under us.
  FileHandle file(::CreateFileW(WideFromCodePage936(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile) return false;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                    nullptr)) {
      return false;
    }
    if (read == 0) break;  // the file shrank meanwhile: keep what there is
    done += read;
  }
  bytes.resize(done);
  contents = std::move(bytes);
  return true;
}

}  // namespace svcman
