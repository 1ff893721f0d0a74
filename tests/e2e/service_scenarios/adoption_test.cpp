// Services already running when the tool opens are recognised by executable name and exact
// command line (quotes removed), bound, and closed by "close all"; others are left alone.
#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

using Adoption = ServiceScenario;

TEST_F(Adoption, BindsServicesStartedBeforehandByTheirExactCommandLines) {
  const std::wstring q = L"\"";
  // No arguments: the quoted path and exactly one blank, as the shell of Windows starts it.
  const auto noArguments =
      StartOwn(kConsoleClass, q + ServicePath(kConsoleClass) + q + L" ", kConsoleClass);
  const auto visible =
      StartOwn(kWindowed, q + ServicePath(kWindowed) + q + L" win-visible", L"win-visible");
  const auto hidden =
      StartOwn(kWindowed, q + ServicePath(kWindowed) + q + L" win-hidden hidden", L"win-hidden");
  // The same rule without the trailing blank: not this service.
  const auto noBlank = StartOwn(kConsole, q + ServicePath(kConsole) + q, kConsole);
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(IsWindowVisible(visible.window));
  ASSERT_FALSE(IsWindowVisible(hidden.window));

  const ToolWindow window = OpenTool({
      Line(4, L"无空格", kConsole, L"null"),
      Line(2, L"可见窗口", kWindowed, L"win-visible"),
      Line(5, L"未运行", kWindowed, L"win-configured"),
      Line(1, L"无参数", kConsoleClass, L"null"),
      Line(3, L"隐藏窗口", kWindowed, L"win-hidden hidden"),
  });

  // Rows in id order. The console-class window is not the topmost window once the tool's own
  // window is shown, and a hidden window is never taken: both are bound without a window.
  const std::vector<std::pair<std::wstring, std::wstring>> adopted = {
      {L"启动中", L"假"}, {L"启动中", L"真"}, {L"启动中", L"假"},
      {L"未启动", L"假"}, {L"未启动", L"假"},
  };
  EXPECT_EQ(StatusAndShown(window), adopted);
  EXPECT_EQ(window.ControlText(Control::StartAll), L"关闭全部");
  EXPECT_TRUE(window.IsControlEnabled(Control::StartAll));

  WatchedProcess noArgumentsProcess(noArguments.pid), visibleProcess(visible.pid),
      hiddenProcess(hidden.pid), noBlankProcess(noBlank.pid);
  window.Click(Control::StartAll);
  ASSERT_TRUE(WaitForCaption(window, Control::StartAll, L"启动全部", 10000, true));

  const std::vector<std::pair<std::wstring, std::wstring>> closed = {
      {L"已关闭", L"假"}, {L"已关闭", L"假"}, {L"已关闭", L"假"},
      {L"未启动", L"假"}, {L"未启动", L"假"},
  };
  EXPECT_EQ(StatusAndShown(window), closed);
  EXPECT_TRUE(noArgumentsProcess.WaitForEnd(5000));
  EXPECT_TRUE(visibleProcess.WaitForEnd(5000));
  EXPECT_TRUE(hiddenProcess.WaitForEnd(5000));
  EXPECT_TRUE(noBlankProcess.IsRunning()) << "close all ended a process it never bound";
}

}  // namespace
}  // namespace svcman::e2e
