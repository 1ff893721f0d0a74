// The window as designed: size and place, frame, controls with their places, kinds, styles and
// first captions, the list's settings and columns.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/e2e/window_scenarios/window_scenario.h"

namespace svcman::e2e {
namespace {

class WindowDesign : public WindowScenario {
 protected:
  void SetUp() override {
    const std::wstring folder = Folder(L"tool");
    executable_ = Install(folder, {L"标题=设计", L"1,甲,C:\\srv\\a.exe,null"});
    window_.emplace(StartAndWaitUntilReady(executable_, folder));
  }
  void TearDown() override {
    if (window_ && window_->Exists()) CloseAndExpectExitCodeZero(*window_);
    WindowScenario::TearDown();
  }
  const ToolWindow& window() const { return *window_; }

 private:
  std::wstring executable_;
  std::optional<ToolWindow> window_;
};

TEST_F(WindowDesign, OuterSizeAndCentredPlace) {
  const Rect r = window().WindowRect();
  EXPECT_EQ(r.width(), 496);
  EXPECT_EQ(r.height(), 285);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 496) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 285) / 2);
}

TEST_F(WindowDesign, FixedFrameWithCaptionSystemMenuAndMinimizeBoxOnly) {
  const LONG_PTR style = window().Style();
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(window().ExStyle() & WS_EX_TOPMOST);
}

// One font everywhere: the window's and every control's are the same handle, the stock default
// GUI font (its handle cannot be looked into from here, only compared).
TEST_F(WindowDesign, WindowAndControlsShareOneFont) {
  const std::uintptr_t font = window().WindowFont();
  EXPECT_NE(font, 0u);
  for (Control control : kAllControls) {
    SCOPED_TRACE(static_cast<int>(control));
    EXPECT_EQ(window().ControlFont(control), font);
  }
}

struct ControlDesign {
  Control control;
  Rect place;  // left, top, right, bottom in the client area
  const wchar_t* caption;
  LONG_PTR style;  // bits that must be set
};

TEST_F(WindowDesign, ControlsWithTheirPlacesCaptionsAndStyles) {
  constexpr LONG_PTR kButton = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
  const ControlDesign designs[] = {
      {Control::List, {8, 8, 8 + 476, 8 + 200}, L"", LVS_REPORT},
      {Control::StartAll, {8, 216, 8 + 96, 216 + 32}, L"启动全部", kButton},
      {Control::StartSelected, {112, 216, 112 + 96, 216 + 32}, L"启动选中", kButton},
      {Control::CheckBox,
       {233, 220, 233 + 72, 220 + 24},
       L"隐藏所有控制台",
       BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE},
      {Control::HideAll, {304, 216, 304 + 88, 216 + 32}, L"隐藏全部", kButton},
      {Control::HideSelected, {403, 216, 403 + 80, 216 + 32}, L"隐藏选中", kButton},
  };
  for (const ControlDesign& design : designs) {
    SCOPED_TRACE(static_cast<int>(design.control));
    ASSERT_NE(window().ControlHandle(design.control), nullptr);
    EXPECT_EQ(window().ControlRect(design.control), design.place);
    EXPECT_EQ(window().ControlText(design.control), design.caption);
    EXPECT_EQ(window().ControlStyle(design.control) & design.style, design.style);
    EXPECT_TRUE(window().IsControlVisible(design.control));
    EXPECT_TRUE(window().IsControlEnabled(design.control));
  }
  // Plain push buttons, none of them the default button; the box is an automatic check box.
  for (Control button :
       {Control::StartAll, Control::StartSelected, Control::HideAll, Control::HideSelected}) {
    EXPECT_EQ(window().ControlStyle(button) & BS_TYPEMASK, BS_PUSHBUTTON);
  }
  EXPECT_EQ(window().ControlStyle(Control::CheckBox) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_FALSE(window().IsChecked());
}

TEST_F(WindowDesign, ListSettings) {
  const LONG_PTR style = window().ControlStyle(Control::List);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & LVS_NOCOLUMNHEADER);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_TRUE(style & LVS_NOSORTHEADER);
  EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS));
  EXPECT_TRUE(window().ControlExStyle(Control::List) & WS_EX_CLIENTEDGE);

  const DWORD extended = window().ListExtendedStyle();
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(extended & LVS_EX_GRIDLINES);
  EXPECT_FALSE(extended &
               (LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_TRACKSELECT |
                LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE | LVS_EX_SUBITEMIMAGES));
  // Headers are neither buttons (no clicking) nor draggable.
  EXPECT_FALSE(window().HeaderStyle() & HDS_BUTTONS);
  EXPECT_FALSE(window().HeaderStyle() & HDS_DRAGDROP);

  EXPECT_EQ(window().ListTextColor(), RGB(0, 0, 0));
  EXPECT_EQ(window().ListTextBackgroundColor(), RGB(255, 255, 255));
  EXPECT_EQ(window().ListBackgroundColor(), RGB(255, 255, 255));
}

TEST_F(WindowDesign, SevenColumnsWithHeadersWidthsAndAlignments) {
  const std::vector<ListColumn> expected = {
      {L"", 0, LVCFMT_LEFT},        {L"ID", 30, LVCFMT_CENTER}, {L"服务名", 80, LVCFMT_LEFT},
      {L"路径", 180, LVCFMT_LEFT},  {L"参数", 80, LVCFMT_LEFT}, {L"状态", 50, LVCFMT_LEFT},
      {L"显示", 50, LVCFMT_CENTER},
  };
  const std::vector<ListColumn> columns = window().Columns();
  ASSERT_EQ(columns.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(columns[i].header, expected[i].header);
    EXPECT_EQ(columns[i].width, expected[i].width);
    EXPECT_EQ(columns[i].format, expected[i].format);
  }
}

}  // namespace
}  // namespace svcman::e2e
