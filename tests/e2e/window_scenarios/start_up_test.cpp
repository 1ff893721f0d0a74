// What the user sees from the moment the tool starts: the configuration beside the executable,
// the missing-file message over the disabled window, and the end of the process.
#include <gtest/gtest.h>

#include "tests/e2e/window_scenarios/window_scenario.h"

namespace svcman::e2e {
namespace {

constexpr wchar_t kDesignCaption[] = L"Vantrel管理工具  Doriq1.0 - 12.28版";

using StartUp = WindowScenario;

TEST_F(StartUp, MissingFileMessageOverTheDisabledWindowThenAnEmptyEnabledWindow) {
  const std::wstring folder = Folder(L"tool");
  const std::wstring executable = Install(folder, {});
  const ToolWindow window = Start(executable, folder);

  const auto box = WaitForMessageBox(tool().id(), kStartTimeoutMs);
  ASSERT_TRUE(box.has_value()) << "no message box appeared";
  EXPECT_EQ(box->title, L"信息：");
  EXPECT_EQ(box->text, L"配置文件[Kelconfig.ini]不存在！");
  EXPECT_EQ(box->buttons.size(), 1u);
  // Behind it, the window is already shown, still disabled, with its first caption.
  EXPECT_TRUE(window.IsVisible());
  EXPECT_FALSE(window.IsEnabled());
  EXPECT_EQ(window.Caption(), kDesignCaption);

  PressMessageBoxOk(box->window);
  ASSERT_TRUE(WaitFor([&] { return window.IsEnabled(); }, kActionTimeoutMs));
  EXPECT_FALSE(FindMessageBox(tool().id()).has_value());
  EXPECT_EQ(window.Caption(), kDesignCaption);
  EXPECT_EQ(window.RowCount(), 0);
  EXPECT_EQ(window.SelectedRow(), -1);
  CloseAndExpectExitCodeZero(window);
}

// The tool reads the file beside itself, not the one in the directory it was started from.
TEST_F(StartUp, ReadsTheFileBesideItselfWhateverTheWorkingDirectory) {
  const std::wstring folder = Folder(L"tool");
  const std::wstring executable =
      Install(folder, {L"标题=身边的文件", L"1,甲,C:\\srv\\a.exe,null"});
  const std::wstring elsewhere = Folder(L"elsewhere");
  ASSERT_TRUE(ResetDirectory(elsewhere));
  ASSERT_TRUE(WriteConfiguration(
      JoinPath(elsewhere, L"Kelconfig.ini"),
      {L"标题=工作目录的文件", L"7,乙,C:\\srv\\b.exe,null", L"8,丙,C:\\srv\\c.exe,null"}));

  const ToolWindow window = StartAndWaitUntilReady(executable, elsewhere);

  EXPECT_EQ(window.Caption(), L"Vantrel工具 Ver0.97 - 身边的文件");
  ASSERT_EQ(window.RowCount(), 1);
  EXPECT_EQ(window.CellText(0, 2), L"甲");
  EXPECT_FALSE(FindMessageBox(tool().id()).has_value());
  CloseAndExpectExitCodeZero(window);
}

// A folder named in Chinese reaches the file through code page 936 paths.
TEST_F(StartUp, FindsTheFileInAFolderWithAChineseName) {
  const std::wstring folder = Folder(L"服务 管理");
  const std::wstring executable = Install(folder, {L"标题=中文目录", L"1,甲,C:\\srv\\a.exe,null"});

  const std::wstring elsewhere = Folder(L"elsewhere");
  ASSERT_TRUE(ResetDirectory(elsewhere));
  const ToolWindow window = StartAndWaitUntilReady(executable, elsewhere);

  EXPECT_EQ(window.Caption(), L"Vantrel工具 Ver0.97 - 中文目录");
  EXPECT_EQ(window.RowCount(), 1);
  EXPECT_FALSE(FindMessageBox(tool().id()).has_value());
  CloseAndExpectExitCodeZero(window);
}

TEST_F(StartUp, ClosingTheWindowEndsTheProcessWithExitCodeZero) {
  const std::wstring folder = Folder(L"tool");
  const std::wstring executable = Install(folder, {L"标题=关闭", L"1,甲,C:\\srv\\a.exe,null"});
  const ToolWindow window = StartAndWaitUntilReady(executable, folder);
  ASSERT_TRUE(tool().IsRunning());

  CloseAndExpectExitCodeZero(window);
  EXPECT_FALSE(window.Exists());
}

// A start watches for its new process for seconds while the window stays live; closing the
// window then destroys it under the running handler, which must finish harmlessly.
TEST_F(StartUp, ClosingTheWindowWhileAStartWaitsEndsWithExitCodeZero) {
  const std::wstring folder = Folder(L"tool");
  const std::wstring executable =
      Install(folder, {L"标题=等待中关闭", L"1,不存在,C:\\srv\\missing.exe,-x"});
  const ToolWindow window = StartAndWaitUntilReady(executable, folder);
  ASSERT_TRUE(window.SelectRow(0));

  window.Click(Control::StartSelected);
  ASSERT_TRUE(
      WaitFor([&] { return !window.IsControlEnabled(Control::StartSelected); }, kActionTimeoutMs))
      << "the start did not begin";
  window.Close();

  const auto exitCode = tool().WaitForExit(kStartTimeoutMs);
  ASSERT_TRUE(exitCode.has_value()) << "the tool kept running after its window was closed";
  EXPECT_EQ(*exitCode, 0u);
}

}  // namespace
}  // namespace svcman::e2e
