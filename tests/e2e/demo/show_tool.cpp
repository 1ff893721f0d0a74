// Shows the tool for a screenshot: starts it from its folder, waits until its start-up is over,
// writes the window's screen rectangle ("left top width height") to the ready file, and closes
// the tool once the done file appears. Exit code 0 when the tool was shown and ended with exit
// code 0.
//
//   show_tool <folder holding svcman.exe> <ready file> <done file>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver/tool_driver.h"

namespace svcman::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kScreenshotTimeoutMs = 120000;

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int Show(const std::wstring& folder, const std::wstring& readyFile, const std::wstring& doneFile) {
  ToolProcess tool(JoinPath(folder, L"svcman.exe"), folder);
  const auto window = ToolWindow::Find(tool.id(), kStartTimeoutMs);
  if (!tool.started() || !window ||
      !WaitFor([&] { return window->IsVisible() && window->IsEnabled(); }, kStartTimeoutMs)) {
    std::fprintf(stderr, "show_tool: the tool's window did not become ready\n");
    return 1;
  }
  Sleep(500);  // let the filled list be painted
  const Rect r = window->WindowRect();
  const std::string rectangle = std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                std::to_string(r.width()) + " " + std::to_string(r.height()) + "\n";
  if (!WriteBytes(readyFile, rectangle)) return 1;
  WaitFor([&] { return FileExists(doneFile); }, kScreenshotTimeoutMs);
  window->Close();
  const auto exitCode = tool.WaitForExit(kStartTimeoutMs);
  return exitCode && *exitCode == 0 ? 0 : 1;
}

}  // namespace
}  // namespace svcman::e2e

int main(int argc, char** argv) {
  using namespace svcman::e2e;
  if (argc != 4) {
    std::fprintf(stderr, "usage: show_tool <folder> <ready file> <done file>\n");
    return 2;
  }
  return Show(WindowsPath(argv[1]), WindowsPath(argv[2]), WindowsPath(argv[3]));
}
