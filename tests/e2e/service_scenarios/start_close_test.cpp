// Starting and closing through the buttons: the real programs are launched with the configured
// arguments in their own folder, bound, shown as running, and really ended again.
#include <cwctype>

#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

std::wstring FolderKey(std::wstring folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  for (wchar_t& c : folder) c = static_cast<wchar_t>(std::towlower(c));
  return folder;
}

// What the tool started must be what the line says: the program with its arguments, as the
// tool's own matching rule sees the command line, started in the program's folder.
void ExpectLaunchedAsConfigured(const ServiceRecordFile& record, const std::wstring& path,
                                const std::wstring& arguments, const std::wstring& folder) {
  EXPECT_EQ(WithoutQuotes(record.commandLine), path + L" " + arguments);
  EXPECT_EQ(FolderKey(record.workingDirectory), FolderKey(folder));
}

using StartAndClose = ServiceScenario;

TEST_F(StartAndClose, StartAllLaunchesEveryServiceAndCloseAllEndsThem) {
  const ToolWindow window = OpenTool({
      Line(1, L"窗口", kWindowed, L"win-a -port 7001"),
      Line(2, L"控制台", kConsole, L"con-a"),
      Line(3, L"控制台类", kConsoleClass, L"cc-a"),
  });
  ASSERT_EQ(window.RowCount(), 3);
  ASSERT_EQ(window.ControlText(Control::StartAll), L"启动全部");

  window.Click(Control::StartAll);
  EXPECT_TRUE(WaitForCaption(window, Control::StartAll, L"启动中", 5000, false));
  ASSERT_TRUE(WaitForCaption(window, Control::StartAll, L"关闭全部", 30000, true));

  for (int row = 0; row < 3; ++row) EXPECT_EQ(window.CellText(row, kStatusColumn), L"启动中");
  EXPECT_EQ(window.CellText(0, kShownColumn), L"真");

  const auto windowed = RecordOf(L"win-a");
  const auto console = RecordOf(L"con-a");
  const auto consoleClass = RecordOf(L"cc-a");
  ExpectLaunchedAsConfigured(windowed, ServicePath(kWindowed), L"win-a -port 7001", services());
  ExpectLaunchedAsConfigured(console, ServicePath(kConsole), L"con-a", services());
  ExpectLaunchedAsConfigured(consoleClass, ServicePath(kConsoleClass), L"cc-a", services());
  EXPECT_TRUE(IsWindowVisible(windowed.window));

  WatchedProcess windowedProcess(windowed.pid), consoleProcess(console.pid),
      consoleClassProcess(consoleClass.pid);
  ASSERT_TRUE(windowedProcess.IsRunning() && consoleProcess.IsRunning() &&
              consoleClassProcess.IsRunning());

  window.Click(Control::StartAll);
  ASSERT_TRUE(WaitForCaption(window, Control::StartAll, L"启动全部", 10000, true));
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(window.CellText(row, kStatusColumn), L"已关闭");
    EXPECT_EQ(window.CellText(row, kShownColumn), L"假");
  }
  EXPECT_TRUE(windowedProcess.WaitForEnd(5000));
  EXPECT_TRUE(consoleProcess.WaitForEnd(5000));
  EXPECT_TRUE(consoleClassProcess.WaitForEnd(5000));
}

// The services live in a folder whose name holds a blank and Chinese characters, so the path
// goes through code page 936 and the shell's quoting on its way to the program and back.
class SelectedService : public ServiceScenario {
 protected:
  std::wstring ServicesFolderName() const override { return L"服务 程序"; }
};

TEST_F(SelectedService, RowSelectionDrivesTheSelectedButtonsThroughStartHideShowAndClose) {
  const ToolWindow window = OpenTool({
      Line(1, L"窗口甲", kWindowed, L"win-sel -n 1"),
      Line(2, L"窗口乙", kWindowed, L"win-other"),
  });
  ASSERT_EQ(window.RowCount(), 2);

  // A stopped row: start offered, hide-selected disabled.
  ASSERT_TRUE(window.SelectRow(0));
  ASSERT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, false));
  EXPECT_EQ(window.ControlText(Control::StartSelected), L"启动选中");

  window.Click(Control::StartSelected);
  ASSERT_TRUE(WaitForCaption(window, Control::StartSelected, L"关闭选中", 15000, true));
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"隐藏选中", 1000, true));
  EXPECT_EQ(window.CellText(0, kStatusColumn), L"启动中");
  EXPECT_EQ(window.CellText(0, kShownColumn), L"真");
  EXPECT_EQ(window.CellText(1, kStatusColumn), L"未启动");
  EXPECT_EQ(window.ControlText(Control::StartAll), L"启动全部") << "single starts leave it";
  const auto started = RecordOf(L"win-sel");
  ExpectLaunchedAsConfigured(started, ServicePath(kWindowed), L"win-sel -n 1", services());
  EXPECT_FALSE(ReadServiceRecord(services(), L"win-other").has_value());

  // The buttons follow the selected row.
  ASSERT_TRUE(window.SelectRow(1));
  EXPECT_TRUE(WaitForCaption(window, Control::StartSelected, L"启动选中", 3000));
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, false));
  ASSERT_TRUE(window.SelectRow(0));
  EXPECT_TRUE(WaitForCaption(window, Control::StartSelected, L"关闭选中", 3000));
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"隐藏选中", 3000, true));

  window.Click(Control::HideSelected);
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, true));
  EXPECT_TRUE(WaitForWindowVisible(started.window, false, 5000));
  EXPECT_EQ(window.CellText(0, kShownColumn), L"假");

  window.Click(Control::HideSelected);
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"隐藏选中", 3000, true));
  EXPECT_TRUE(WaitForWindowVisible(started.window, true, 5000));
  EXPECT_EQ(window.CellText(0, kShownColumn), L"真");

  WatchedProcess process(started.pid);
  window.Click(Control::StartSelected);
  ASSERT_TRUE(WaitForCaption(window, Control::StartSelected, L"启动选中", 5000, true));
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"隐藏选中", 1000, false));
  EXPECT_TRUE(process.WaitForEnd(5000));
  EXPECT_EQ(window.CellText(0, kStatusColumn), L"已关闭");
  EXPECT_EQ(window.CellText(0, kShownColumn), L"假");
  EXPECT_EQ(window.ControlText(Control::StartAll), L"启动全部");
}

}  // namespace
}  // namespace svcman::e2e
