// The service list as the user works it: the rows a configuration gives, single selection by
// click or arrow keys reaching the handlers, headers that neither move columns nor reveal
// column 0, and each control's click reaching its own handler.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/e2e/window_scenarios/window_scenario.h"

namespace svcman::e2e {
namespace {

using Rows = std::vector<std::vector<std::wstring>>;

// Out of id order, with a negative id, "null" and padded arguments, and a line of five fields
// that is skipped. None of the programs runs, so every row reads not started.
const std::vector<std::wstring> kConfiguration = {
    L"标题=演示服务器",
    L"2,登录服务,C:\\srv\\login.exe,-port 7001",
    L"1,网关服务,C:\\srv\\gate.exe,null",
    L"-3,记事本,C:\\srv\\notes.exe,  -b  ",
    L"4,坏行,C:\\srv\\bad.exe,-a,-b",
};

const Rows kExpectedRows = {
    {L"", L"-3", L"记事本", L"C:\\srv\\notes.exe", L"-b", L"未启动", L"假"},
    {L"", L"1", L"网关服务", L"C:\\srv\\gate.exe", L"", L"未启动", L"假"},
    {L"", L"2", L"登录服务", L"C:\\srv\\login.exe", L"-port 7001", L"未启动", L"假"},
};

class ServiceList : public WindowScenario {
 protected:
  void SetUp() override {
    const std::wstring folder = Folder(L"tool");
    window_.emplace(StartAndWaitUntilReady(Install(folder, kConfiguration), folder));
  }
  void TearDown() override {
    if (window_ && window_->Exists()) CloseAndExpectExitCodeZero(*window_);
    WindowScenario::TearDown();
  }
  const ToolWindow& window() const { return *window_; }

  bool WaitForText(Control control, const std::wstring& text) const {
    return WaitFor([&] { return window().ControlText(control) == text; }, kActionTimeoutMs);
  }

 private:
  std::optional<ToolWindow> window_;
};

TEST_F(ServiceList, CaptionAndRowsInIdOrder) {
  EXPECT_EQ(window().Caption(), L"Vantrel工具 Ver0.97 - 演示服务器");
  EXPECT_EQ(window().Rows(), kExpectedRows);
  EXPECT_EQ(window().SelectedRow(), -1);
  EXPECT_FALSE(FindMessageBox(tool().id()).has_value());
}

TEST_F(ServiceList, SelectingARowRunsTheRowHandler) {
  // Before any row is selected the button for the selected service is enabled; selecting a
  // service that is not running turns it off and shows its "show" caption.
  ASSERT_TRUE(window().IsControlEnabled(Control::HideSelected));
  ASSERT_TRUE(window().SelectRow(1));
  EXPECT_TRUE(WaitForText(Control::HideSelected, L"显示选中"));
  EXPECT_FALSE(window().IsControlEnabled(Control::HideSelected));
  EXPECT_EQ(window().ControlText(Control::StartSelected), L"启动选中");
  EXPECT_EQ(window().SelectedRow(), 1);
}

TEST_F(ServiceList, OneRowSelectedAtATimeAndArrowKeysMoveIt) {
  ASSERT_TRUE(window().SelectRow(0));
  ASSERT_TRUE(window().SelectRow(2));
  EXPECT_EQ(window().SelectedCount(), 1);
  EXPECT_EQ(window().SelectedRow(), 2);

  window().PressKeyInList(VK_UP);
  EXPECT_TRUE(WaitFor([&] { return window().SelectedRow() == 1; }, kActionTimeoutMs));
  EXPECT_EQ(window().SelectedCount(), 1);
}

TEST_F(ServiceList, ArrowKeysRaiseTheRowChangeAsAClickDoes) {
  ASSERT_TRUE(window().SelectRow(0));
  ASSERT_TRUE(WaitForText(Control::HideSelected, L"显示选中"));
  // The check box's handler enables the button again; a row change must turn it off once more.
  window().Click(Control::CheckBox);
  ASSERT_TRUE(
      WaitFor([&] { return window().IsControlEnabled(Control::HideSelected); }, kActionTimeoutMs));

  window().PressKeyInList(VK_DOWN);
  EXPECT_TRUE(
      WaitFor([&] { return !window().IsControlEnabled(Control::HideSelected); }, kActionTimeoutMs));
  EXPECT_EQ(window().SelectedRow(), 1);
}

TEST_F(ServiceList, HeaderMouseWorkNeitherOpensColumnZeroNorMovesColumns) {
  // Column 0's divider lies at the left edge of the "ID" header: drag it to the right.
  const Rect id = window().HeaderItemRect(1);
  const int y = (id.top + id.bottom) / 2;
  ASSERT_TRUE(MouseDrag(id.left, y, id.left + 60, y));
  // A double click on that divider would size the column to its contents.
  ASSERT_TRUE(MouseClickAt(id.left, y));
  ASSERT_TRUE(MouseClickAt(id.left, y));
  // Drag the "ID" header onto "参数", as one would to reorder columns.
  const Rect arguments = window().HeaderItemRect(4);
  ASSERT_TRUE(MouseDrag((id.left + id.right) / 2, y, (arguments.left + arguments.right) / 2, y));
  Sleep(300);

  const std::vector<ListColumn> columns = window().Columns();
  ASSERT_EQ(columns.size(), 7u);
  EXPECT_EQ(columns[0].width, 0);
  EXPECT_EQ(columns[1].width, 30);
  EXPECT_EQ(window().ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(window().Rows(), kExpectedRows);
}

// Each control's click reaches its own handler: the captions turn over on that button only.
TEST_F(ServiceList, EachButtonRunsItsOwnCommand) {
  struct Case {
    Control control;
    const wchar_t* before;
    const wchar_t* after;
  };
  const Case cases[] = {
      {Control::HideAll, L"隐藏全部", L"显示全部"},
      {Control::HideAll, L"显示全部", L"隐藏全部"},
      {Control::StartAll, L"启动全部", L"关闭全部"},  // nothing of it runs: nothing to start
      {Control::StartAll, L"关闭全部", L"启动全部"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.control) << " " << ToCp936(c.before));
    ASSERT_EQ(window().ControlText(c.control), c.before);
    window().Click(c.control);
    EXPECT_TRUE(WaitFor(
        [&] {
          return window().ControlText(c.control) == c.after && window().IsControlEnabled(c.control);
        },
        kStartTimeoutMs));
  }
  EXPECT_EQ(window().ControlText(Control::StartSelected), L"启动选中");
  EXPECT_EQ(window().ControlText(Control::HideSelected), L"隐藏选中");
  EXPECT_EQ(window().Rows(), kExpectedRows);
}

TEST_F(ServiceList, CheckBoxTogglesAndEnablesTheSelectedServiceButton) {
  ASSERT_TRUE(window().SelectRow(0));
  ASSERT_TRUE(
      WaitFor([&] { return !window().IsControlEnabled(Control::HideSelected); }, kActionTimeoutMs));

  window().Click(Control::CheckBox);
  EXPECT_TRUE(WaitFor([&] { return window().IsChecked(); }, kActionTimeoutMs));
  EXPECT_TRUE(
      WaitFor([&] { return window().IsControlEnabled(Control::HideSelected); }, kActionTimeoutMs));
  EXPECT_EQ(window().ControlText(Control::HideAll), L"隐藏全部");

  window().Click(Control::CheckBox);
  EXPECT_TRUE(WaitFor([&] { return !window().IsChecked(); }, kActionTimeoutMs));
}

TEST_F(ServiceList, ClickOnTheSelectedServiceButtonWithoutASelectionChangesNothing) {
  window().Click(Control::StartSelected);
  window().Click(Control::HideSelected);
  Sleep(300);
  EXPECT_EQ(window().ControlText(Control::StartSelected), L"启动选中");
  EXPECT_EQ(window().ControlText(Control::HideSelected), L"隐藏选中");
  EXPECT_TRUE(window().IsControlEnabled(Control::StartSelected));
  EXPECT_TRUE(window().IsControlEnabled(Control::HideSelected));
  EXPECT_EQ(window().Rows(), kExpectedRows);
}

}  // namespace
}  // namespace svcman::e2e
