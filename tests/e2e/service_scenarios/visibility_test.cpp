// Hiding and showing real windows: the services' windows through "hide all", and every window
// of the console class through the check box, which leaves the list's cells alone.
#include "tests/e2e/service_scenarios/scenario.h"

namespace svcman::e2e {
namespace {

using Visibility = ServiceScenario;

TEST_F(Visibility, HideAllAndShowAllActOnTheWindowsOfTheBoundServices) {
  const ToolWindow window = OpenTool({
      Line(1, L"窗口一", kWindowed, L"win-1"),
      Line(2, L"窗口二", kWindowed, L"win-2"),
      Line(3, L"未启动", kWindowed, L"win-never"),
  });
  // Start the first two singly, so the third stays without a process.
  for (int row : {0, 1}) {
    ASSERT_TRUE(window.SelectRow(row));
    ASSERT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, false));
    window.Click(Control::StartSelected);
    ASSERT_TRUE(WaitForCaption(window, Control::StartSelected, L"关闭选中", 15000, true));
  }
  const auto first = RecordOf(L"win-1");
  const auto second = RecordOf(L"win-2");
  const auto before = StatusAndShown(window);
  ASSERT_EQ(before[0].second, L"真");
  ASSERT_EQ(before[1].second, L"真");

  window.Click(Control::HideAll);
  ASSERT_TRUE(WaitForCaption(window, Control::HideAll, L"显示全部", 3000, true));
  EXPECT_TRUE(WaitForWindowVisible(first.window, false, 5000));
  EXPECT_TRUE(WaitForWindowVisible(second.window, false, 5000));
  const std::vector<std::pair<std::wstring, std::wstring>> hidden = {
      {L"启动中", L"假"}, {L"启动中", L"假"}, {L"未启动", L"假"}};
  EXPECT_EQ(StatusAndShown(window), hidden);

  window.Click(Control::HideAll);
  ASSERT_TRUE(WaitForCaption(window, Control::HideAll, L"隐藏全部", 3000, true));
  EXPECT_TRUE(WaitForWindowVisible(first.window, true, 5000));
  EXPECT_TRUE(WaitForWindowVisible(second.window, true, 5000));
  const std::vector<std::pair<std::wstring, std::wstring>> shown = {
      {L"启动中", L"真"}, {L"启动中", L"真"}, {L"未启动", L"假"}};
  EXPECT_EQ(StatusAndShown(window), shown);
}

TEST_F(Visibility, CheckBoxHidesAndShowsEveryConsoleClassWindowWithoutTouchingACell) {
  const std::wstring q = L"\"";
  const auto service =
      StartOwn(kConsoleClass, q + ServicePath(kConsoleClass) + q + L" cc-svc", L"cc-svc");
  // A console window that belongs to no service is hidden and shown all the same.
  const auto stranger =
      StartOwn(kConsoleClass, q + ServicePath(kConsoleClass) + q + L" cc-stranger", L"cc-stranger");
  const auto windowed = StartOwn(kWindowed, q + ServicePath(kWindowed) + q + L" win-v", L"win-v");
  ASSERT_FALSE(HasFailure());

  const ToolWindow window = OpenTool({
      Line(1, L"控制台类", kConsoleClass, L"cc-svc"),
      Line(2, L"窗口", kWindowed, L"win-v"),
      Line(3, L"未启动", kWindowed, L"win-never"),
  });
  // A stopped row selected: hide-selected disabled, until the check box enables it.
  ASSERT_TRUE(window.SelectRow(2));
  ASSERT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, false));
  const auto cells = StatusAndShown(window);
  ASSERT_EQ(cells[0].first, L"启动中");
  ASSERT_EQ(cells[1], std::make_pair(std::wstring(L"启动中"), std::wstring(L"真")));

  window.Click(Control::CheckBox);
  ASSERT_TRUE(WaitFor([&] { return window.IsChecked(); }, 3000));
  EXPECT_TRUE(WaitForWindowVisible(service.window, false, 5000));
  EXPECT_TRUE(WaitForWindowVisible(stranger.window, false, 5000));
  EXPECT_TRUE(WaitForCaption(window, Control::HideSelected, L"显示选中", 3000, true));
  EXPECT_TRUE(window.IsControlEnabled(Control::HideAll));
  EXPECT_TRUE(IsWindowVisible(windowed.window)) << "not a console window";
  EXPECT_EQ(StatusAndShown(window), cells);
  EXPECT_EQ(window.ControlText(Control::HideAll), L"隐藏全部");

  window.Click(Control::CheckBox);
  ASSERT_TRUE(WaitFor([&] { return !window.IsChecked(); }, 3000));
  EXPECT_TRUE(WaitForWindowVisible(service.window, true, 5000));
  EXPECT_TRUE(WaitForWindowVisible(stranger.window, true, 5000));
  EXPECT_TRUE(IsWindowVisible(windowed.window));
  EXPECT_EQ(StatusAndShown(window), cells);
  EXPECT_EQ(window.ControlText(Control::HideAll), L"隐藏全部");
}

}  // namespace
}  // namespace svcman::e2e
