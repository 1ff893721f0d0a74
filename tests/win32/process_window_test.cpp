// The process and window operations against real processes: a probe program is started through
// the shell, found by name, its command line read back, its window found, hidden, shown, and the
// probe ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/process_control.h"
#include "platform/process_lookup.h"
#include "platform/win32/code_page_936.h"
#include "platform/win32/win32_system.h"
#include "platform/window_lookup.h"

namespace svcman {
namespace {

constexpr const char* kProbeClass = "SvcmanProbeWindow";

std::wstring OwnDirectory() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring directory(path, length);
  directory.resize(directory.find_last_of(L'\\') + 1);
  return directory;
}

// Polls a condition for up to limitMs: Wine applies some requests of other processes late.
template <typename Condition>
bool Eventually(Condition condition, DWORD limitMs = 5000) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  while (!condition()) {
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
  return true;
}

// The command line the probe saw, as it reported it, converted straight by the system.
std::string ReportedCommandLine(const std::wstring& directory, ProcessId id) {
  const std::wstring report = directory + L"svcman_probe_" + std::to_wstring(id) + L".cmdline";
  std::string bytes;
  if (!Eventually([&] { return GetFileAttributesW(report.c_str()) != INVALID_FILE_ATTRIBUTES; })) {
    return "(no report)";
  }
  Sleep(100);  // written at once at start-up; let the write finish
  std::ifstream file(CodePage936FromWide(report), std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  file.close();
  DeleteFileW(report.c_str());
  return CodePage936FromWide(
      std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
}

class ProbeTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (ProcessId id : started) TerminateProcessById(system, id);
  }

  // Starts a probe with the arguments and returns its id, 0 when none turned up.
  ProcessId StartProbe(const std::string& arguments) {
    std::vector<ProcessId> before;
    FindProcessesByImageName(system, "svcman_probe.exe", before);
    LaunchProgram(system, CodePage936FromWide(directory + L"svcman_probe.exe"), arguments,
                  CodePage936FromWide(directory));
    ProcessId found = 0;
    Eventually([&] {
      std::vector<ProcessId> now;
      FindProcessesByImageName(system, "svcman_probe.exe", now);
      for (ProcessId id : now) {
        if (std::find(before.begin(), before.end(), id) == before.end()) found = id;
      }
      return found != 0;
    });
    if (found != 0) started.push_back(found);
    return found;
  }

  Win32System system;
  std::wstring directory = OwnDirectory();
  std::vector<ProcessId> started;
};

TEST_F(ProbeTest, StartedProbeIsFoundReadHiddenShownAndEnded) {
  // Quotes, Chinese characters (code page 936) and an argument of 20000 characters: the whole
  // command line is longer than 32768 bytes of UTF-16, so its Length needs all 16 bits.
  const std::string longArgument(20000, 'x');
  const std::string arguments =
      "-name \"two words\" \xD6\xD0\xCE\xC4\xC3\xFB\xD7\xD6 \"\xB7\xFE\xCE\xF1 q\" " + longArgument;
  const ProcessId id = StartProbe(arguments);
  ASSERT_NE(id, 0u);

  for (const char* name : {"SVCMAN_PROBE.EXE", "Svcman_Probe.exe", "svcman_probe.exe"}) {
    std::vector<ProcessId> ids;
    FindProcessesByImageName(system, name, ids);
    EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << name;
  }

  const std::string commandLine = ReadProcessCommandLine(system, id);
  EXPECT_EQ(commandLine, ReportedCommandLine(directory, id));
  ASSERT_GT(commandLine.size(), arguments.size());
  EXPECT_EQ(commandLine.substr(commandLine.size() - arguments.size()), arguments);

  const WindowHandle window = FindProcessWindow(system, id, 5000);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(GetWindowProcessId(system, window), id);
  EXPECT_EQ(GetWindowClassName(system, window), kProbeClass);

  system.ShowWindowAsync(window, kSwHide);
  EXPECT_TRUE(Eventually([&] { return system.IsWindowVisible(window) == 0; }));
  std::vector<WindowHandle> windows;
  FindTopLevelWindowsByClass(system, kProbeClass, windows);
  EXPECT_NE(std::find(windows.begin(), windows.end(), window), windows.end())
      << "hidden windows are listed too";
  // A hidden window is no window of the process for the search.
  EXPECT_EQ(FindProcessWindow(system, id, 300), 0u);
  system.ShowWindowAsync(window, kSwShowNormal);
  EXPECT_TRUE(Eventually([&] { return system.IsWindowVisible(window) != 0; }));

  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(TerminateProcessById(system, id));
  EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(process, &exitCode);
  CloseHandle(process);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_TRUE(Eventually([&] { return system.IsWindow(window) == 0; }));
}

TEST_F(ProbeTest, ProcessThatDoesNotExistGivesFalseAndEmptyText) {
  std::vector<ProcessId> ids;
  ASSERT_GE(FindProcessesByImageName(system, "svcman_probe.exe", ids), 0);
  const ProcessId unused = 0xFFFFFFF0u;  // ids are far smaller
  EXPECT_FALSE(TerminateProcessById(system, unused));
  EXPECT_EQ(ReadProcessCommandLine(system, unused), "");
  EXPECT_EQ(ReadProcessCommandLine(system, 0), "");
  EXPECT_FALSE(TerminateProcessById(system, 0));
  EXPECT_EQ(FindProcessWindow(system, unused, 200), 0u);
}

TEST_F(ProbeTest, OwnCommandLineAndNameAreFound) {
  std::vector<ProcessId> ids;
  EXPECT_GE(FindProcessesByImageName(system, "WIN32_TESTS.EXE", ids), 1);
  const ProcessId self = GetCurrentProcessId();
  EXPECT_NE(std::find(ids.begin(), ids.end(), self), ids.end());
  EXPECT_EQ(ReadProcessCommandLine(system, self), CodePage936FromWide(GetCommandLineW()));
}

}  // namespace
}  // namespace svcman
