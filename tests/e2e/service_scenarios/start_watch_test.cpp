// A service that exits at once is never found: the start gives up after a little more than
// five seconds, the window stays usable meanwhile, and closing the tool during the wait is safe.
#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

using StartWatch = ServiceScenario;

TEST_F(StartWatch, GivesUpOnAServiceThatExitsAtOnceAndHandlesAClickMeanwhile) {
  const ToolWindow window = OpenTool({
      Line(1, L"即退", kExitAtOnce, L"quick-1"),
      Line(2, L"窗口", kWindowed, L"win-w"),
  });
  ASSERT_TRUE(window.SelectRow(0));
  ASSERT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, false));

  const ULONGLONG clicked = GetTickCount64();
  window.Click(Control::StartSelected);
  ASSERT_TRUE(WaitFor([&] { return !window.IsControlEnabled(Control::StartSelected); }, 3000));
  const auto launched = RecordOf(L"quick-1");
  EXPECT_EQ(WithoutQuotes(launched.commandLine), ServicePath(kExitAtOnce) + L" quick-1");

  // A click on another button during the watch runs its handler to the end inside the wait.
  window.Click(Control::HideAll);
  EXPECT_TRUE(WaitForCaption(window, Control::HideAll, L"显示全部", 3000, true));
  EXPECT_FALSE(window.IsControlEnabled(Control::StartSelected)) << "the start is still watching";

  ASSERT_TRUE(WaitForCaption(window, Control::StartSelected, L"关闭选中", 20000, true));
  EXPECT_GE(GetTickCount64() - clicked, 5000u);
  // Nothing was bound: the row is as it was, yet the buttons read as after a start.
  EXPECT_EQ(window.CellText(0, kStatusColumn), L"未启动");
  EXPECT_EQ(window.CellText(0, kShownColumn), L"假");
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"隐藏选中", 1000, true));
  EXPECT_EQ(window.ControlText(Control::HideAll), L"显示全部");
}

TEST_F(StartWatch, ClosingTheToolDuringTheWaitEndsItWithExitCodeZero) {
  const ToolWindow window = OpenTool({Line(1, L"即退", kExitAtOnce, L"quick-2")});
  window.Click(Control::StartAll);
  ASSERT_TRUE(WaitForCaption(window, Control::StartAll, L"启动中", 5000, false));
  RecordOf(L"quick-2");

  window.Close();
  EXPECT_TRUE(WaitFor([&] { return !window.Exists(); }, 5000)) << "the window stayed";
  const auto exitCode = tool().WaitForExit(20000);
  ASSERT_TRUE(exitCode.has_value()) << "the tool did not end";
  EXPECT_EQ(*exitCode, 0u);
}

}  // namespace
}  // namespace svcman::e2e
