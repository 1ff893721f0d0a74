// Closing the tool ends no service and shows no hidden window; the next start of the tool
// recognises the services again.
#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

using Restart = ServiceScenario;

TEST_F(Restart, ClosingLeavesServicesRunningAndHiddenAndReopeningAdoptsThem) {
  ToolWindow window = OpenTool({
      Line(1, L"显示的", kWindowed, L"win-shown"),
      Line(2, L"隐藏的", kWindowed, L"win-hid"),
  });
  window.Click(Control::StartAll);
  ASSERT_TRUE(WaitForCaption(window, Control::StartAll, L"关闭全部", 30000, true));
  const auto shown = RecordOf(L"win-shown");
  const auto hidden = RecordOf(L"win-hid");
  ASSERT_TRUE(window.SelectRow(1));
  ASSERT_TRUE(WaitForCaption(window, Control::HideSelected, L"隐藏选中", 3000, true));
  window.Click(Control::HideSelected);
  ASSERT_TRUE(WaitForWindowVisible(hidden.window, false, 5000));

  WatchedProcess shownProcess(shown.pid), hiddenProcess(hidden.pid);
  window.Close();
  const auto exitCode = tool().WaitForExit(10000);
  ASSERT_TRUE(exitCode.has_value()) << "the tool did not end";
  EXPECT_EQ(*exitCode, 0u);
  EXPECT_TRUE(shownProcess.IsRunning());
  EXPECT_TRUE(hiddenProcess.IsRunning());
  EXPECT_TRUE(IsWindowVisible(shown.window));
  EXPECT_FALSE(IsWindowVisible(hidden.window));

  window = ReopenTool();
  const std::vector<std::pair<std::wstring, std::wstring>> adopted = {{L"启动中", L"真"},
                                                                      {L"启动中", L"假"}};
  EXPECT_EQ(StatusAndShown(window), adopted);
  EXPECT_EQ(window.ControlText(Control::StartAll), L"关闭全部");
  EXPECT_EQ(ReadServiceRecord(services(), L"win-shown")->pid, shown.pid) << "started again";
  EXPECT_EQ(ReadServiceRecord(services(), L"win-hid")->pid, hidden.pid) << "started again";

  window.Click(Control::StartAll);
  ASSERT_TRUE(WaitForCaption(window, Control::StartAll, L"启动全部", 10000, true));
  EXPECT_TRUE(shownProcess.WaitForEnd(5000));
  EXPECT_TRUE(hiddenProcess.WaitForEnd(5000));
}

}  // namespace
}  // namespace svcman::e2e
