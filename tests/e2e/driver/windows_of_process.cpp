// Other processes' windows: found by owner process and class, read through messages that the
// system marshals across processes.
#include <windows.h>

#include "tests/e2e/driver/tool_driver.h"

namespace svcman::e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static that holds a message box's text

struct TopLevelSearch {
  DWORD processId;
  std::wstring_view className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) noexcept {
  auto& search = *reinterpret_cast<TopLevelSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  if (!search.className.empty() && ClassName(window) != search.className) return TRUE;
  search.found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM parameter) noexcept {
  reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className) {
  TopLevelSearch search{processId, className, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::optional<MessageBoxInfo> FindMessageBox(DWORD processId) {
  const std::vector<HWND> boxes = TopLevelWindows(processId, L"#32770");
  if (boxes.empty()) return {};
  MessageBoxInfo info;
  info.window = boxes.front();
  info.title = WindowText(info.window);
  std::vector<HWND> children;
  EnumChildWindows(info.window, CollectChildren, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    const std::wstring kind = ClassName(child);
    if (GetDlgCtrlID(child) == kMessageBoxTextId && _wcsicmp(kind.c_str(), L"Static") == 0) {
      info.text = WindowText(child);
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0 && IsWindowVisible(child)) {
      info.buttons.push_back(WindowText(child));
    }
  }
  return info;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  std::optional<MessageBoxInfo> box;
  WaitFor([&] { return (box = FindMessageBox(processId)).has_value(); }, timeoutMs);
  return box;
}

void PressMessageBoxOk(HWND box) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

}  // namespace svcman::e2e
