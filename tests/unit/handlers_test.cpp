#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "control/instance_matching.h"
#include "tests/unit/control_fixture.h"
#include "ui/handlers.h"

namespace svcman::testing {
namespace {

using HandlersTest = ControlTest;

enum class Command { Launch, Terminate, Hide, Show };

struct CaptionCase {
  Button button;
  std::string caption;  // before the click
  bool works;           // whether the operation gets anywhere (a process turns up, ends, ...)
  Command command;
  std::string during;  // the button's caption while the command runs
  std::string after;
};

void Click(ToolContext& tool, Button button) {
  switch (button) {
    case Button::StartAll:
      return OnStartAllClicked(tool);
    case Button::StartSelected:
      return OnStartSelectedClicked(tool);
    case Button::HideAll:
      return OnHideAllClicked(tool);
    case Button::HideSelected:
      return OnHideSelectedClicked(tool);
  }
}

std::vector<CaptionCase> CaptionCases() {
  using namespace texts;
  const auto t = [](std::string_view s) { return std::string(s); };
  std::vector<CaptionCase> cases;
  for (bool works : {true, false}) {
    const std::vector<CaptionCase> rows = {
        {Button::StartAll, t(kStartAll), works, Command::Launch, t(kStatusRunning), t(kCloseAll)},
        {Button::StartAll, t(kCloseAll), works, Command::Terminate, t(kClosingAll), t(kStartAll)},
        {Button::StartAll, "", works, Command::Terminate, t(kClosingAll), t(kStartAll)},
        {Button::StartAll, t(kStartAll) + " ", works, Command::Terminate, t(kClosingAll),
         t(kStartAll)},
        {Button::StartSelected, t(kStartSelected), works, Command::Launch, t(kStartSelected),
         t(kCloseSelected)},
        {Button::StartSelected, t(kCloseSelected), works, Command::Terminate, t(kCloseSelected),
         t(kStartSelected)},
        {Button::StartSelected, "\xC6\xF4\xB6\xAF", works, Command::Terminate, "\xC6\xF4\xB6\xAF",
         t(kStartSelected)},
        {Button::HideAll, t(kHideAll), works, Command::Hide, t(kHiding), t(kShowAll)},
        {Button::HideAll, t(kShowAll), works, Command::Show, t(kAboutToShow), t(kHideAll)},
        {Button::HideAll, "", works, Command::Show, t(kAboutToShow), t(kHideAll)},
        {Button::HideSelected, t(kHideSelected), works, Command::Hide, t(kHideSelected),
         t(kShowSelected)},
        {Button::HideSelected, t(kShowSelected), works, Command::Show, t(kShowSelected),
         t(kHideSelected)},
        {Button::HideSelected, "x", works, Command::Show, "x", t(kHideSelected)},
    };
    cases.insert(cases.end(), rows.begin(), rows.end());
  }
  return cases;
}

// Each button: the caption picks the command, an interim caption stands while it runs with the
// button disabled, and the next caption is written whether or not the operation got anywhere.
TEST(CaptionStateTest, CaptionPicksTheCommandAndTurnsOverWhateverTheOutcome) {
  for (const CaptionCase& c : CaptionCases()) {
    SCOPED_TRACE(::testing::Message() << "button " << static_cast<int>(c.button) << ", caption "
                                      << c.caption << ", works " << c.works);
    ObservedMachine machine;
    fake::MemoryWindow window;
    ServiceCatalogue catalogue;
    ToolContext tool{catalogue, window, machine};
    ServiceRecord record;
    record.path = "C:\\srv\\a.exe";
    record.imageName = "a.exe";
    const bool startsBound = c.command != Command::Launch;
    ProcessId id = 0;
    if (startsBound) {
      id = machine.AddProcess("a.exe", "\"C:\\srv\\a.exe\" ");
      record.processId = id;
      if (c.works) record.windowHandle = machine.AddWindow(id, "ServerWindow");
      if (!c.works) machine.FindProcess(id)->terminable = false;
    } else if (c.works) {
      machine.onShellExecute = [&](const fake::ShellExecuteCall&) {
        machine.ScheduleWorldEvent(machine.Now() + 100,
                                   [&] { machine.AddProcess("a.exe", "\"C:\\srv\\a.exe\" "); });
      };
    }
    catalogue.Append(record);
    window.AppendRow();
    window.SelectRow(0);
    window.SetButtonCaption(c.button, c.caption);

    std::vector<std::string> captionsDuring;
    std::vector<bool> enabledDuring;
    machine.onCommand = [&] {
      captionsDuring.push_back(window.GetButtonCaption(c.button));
      enabledDuring.push_back(window.IsButtonEnabled(c.button));
    };
    Click(tool, c.button);

    EXPECT_EQ(window.GetButtonCaption(c.button), c.after);
    EXPECT_TRUE(window.IsButtonEnabled(c.button));
    for (std::size_t i = 0; i < captionsDuring.size(); ++i) {
      EXPECT_EQ(captionsDuring[i], c.during);
      EXPECT_FALSE(enabledDuring[i]);
    }
    const std::size_t hides = static_cast<std::size_t>(std::count_if(
        machine.showWindowCalls.begin(), machine.showWindowCalls.end(),
        [](const fake::ShowWindowCall& call) { return call.showCommand == kSwHide; }));
    const std::size_t shows = machine.showWindowCalls.size() - hides;
    EXPECT_EQ(machine.shellExecuteCalls.size(), c.command == Command::Launch ? 1u : 0u);
    EXPECT_EQ(machine.terminateRequests.size(), c.command == Command::Terminate ? 1u : 0u);
    // Showing or hiding all skips a service without a window; the selected one is asked anyway.
    const std::size_t asked = c.works || c.button == Button::HideSelected ? 1u : 0u;
    EXPECT_EQ(hides, c.command == Command::Hide ? asked : 0u);
    EXPECT_EQ(shows, c.command == Command::Show ? asked : 0u);
    if (c.works) {
      EXPECT_FALSE(captionsDuring.empty());
    }
    if (c.command == Command::Launch) {
      EXPECT_EQ(catalogue.At(1).processId != 0, c.works);
    }
  }
}

TEST_F(HandlersTest, SelectedButtonsWithoutASelectedRowDoNothing) {
  const int position = AddService("C:\\srv\\a.exe");
  BindRunning(position);
  window.SelectRow(-1);
  for (Button button : {Button::StartSelected, Button::HideSelected}) {
    for (bool secondCommand : {false, true}) {
      const std::string caption = secondCommand ? "other" : window.GetButtonCaption(button);
      window.SetButtonCaption(button, caption);
      const int writesBefore = window.cellWrites;
      Click(tool, button);
      EXPECT_EQ(window.GetButtonCaption(button), caption);
      EXPECT_TRUE(window.IsButtonEnabled(button));
      EXPECT_EQ(window.cellWrites, writesBefore);
    }
  }
  EXPECT_TRUE(machine.shellExecuteCalls.empty());
  EXPECT_TRUE(machine.terminateRequests.empty());
  EXPECT_TRUE(machine.showWindowCalls.empty());
  EXPECT_EQ(window.GetButtonCaption(Button::HideSelected), "other");
}

TEST_F(HandlersTest, StartOfTheSelectedServiceSetsTheHideButtonWhetherOrNotItStarted) {
  const int position = AddService("C:\\srv\\a.exe");
  window.SelectRow(position - 1);
  OnCurrentRowChanged(tool);
  ASSERT_FALSE(window.IsButtonEnabled(Button::HideSelected));
  OnStartSelectedClicked(tool);  // nothing turns up
  EXPECT_EQ(Record(position).processId, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusNotStarted));
  EXPECT_EQ(window.GetButtonCaption(Button::StartSelected), Text(texts::kCloseSelected));
  EXPECT_TRUE(window.IsButtonEnabled(Button::HideSelected));
  EXPECT_EQ(window.GetButtonCaption(Button::HideSelected), Text(texts::kHideSelected));
  // The next click closes: nothing runs under the service, yet it is marked closed.
  OnStartSelectedClicked(tool);
  EXPECT_EQ(Status(position), Text(texts::kStatusClosed));
  EXPECT_EQ(window.GetButtonCaption(Button::StartSelected), Text(texts::kStartSelected));
  EXPECT_FALSE(window.IsButtonEnabled(Button::HideSelected));
  EXPECT_TRUE(window.IsButtonEnabled(Button::StartSelected));
}

TEST_F(HandlersTest, RowChangeFollowsTheSelectedRowsStatusAndVisibility) {
  struct Case {
    const char* what;
    std::string status;
    std::string shown;
    bool selected;
    std::string startSelected;
    bool hideEnabled;
    std::string hideSelected;
  };
  using namespace texts;
  const std::vector<Case> cases = {
      {"running, shown", Text(kStatusRunning), Text(kTrue), true, Text(kCloseSelected), true,
       Text(kHideSelected)},
      {"running, hidden", Text(kStatusRunning), Text(kFalse), true, Text(kCloseSelected), true,
       Text(kShowSelected)},
      {"not started", Text(kStatusNotStarted), Text(kFalse), true, Text(kStartSelected), false,
       Text(kShowSelected)},
      {"closed but shown", Text(kStatusClosed), Text(kTrue), true, Text(kStartSelected), false,
       Text(kHideSelected)},
      {"status only begins with running", Text(kStatusRunning) + " ", Text(kTrue) + " ", true,
       Text(kStartSelected), false, Text(kShowSelected)},
      {"no row selected", Text(kStatusRunning), Text(kTrue), false, Text(kStartSelected), false,
       Text(kShowSelected)},
  };
  const int position = AddService("C:\\srv\\a.exe");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window.SetCellText(position - 1, kColumnStatus, c.status);
    window.SetCellText(position - 1, kColumnShown, c.shown);
    window.SelectRow(c.selected ? position - 1 : -1);
    window.SetButtonCaption(Button::StartAll, "a");
    window.SetButtonCaption(Button::HideAll, "b");
    window.SetButtonEnabled(Button::StartSelected, false);
    window.SetButtonEnabled(Button::HideSelected, !c.hideEnabled);
    OnCurrentRowChanged(tool);
    EXPECT_EQ(window.GetButtonCaption(Button::StartSelected), c.startSelected);
    EXPECT_EQ(window.IsButtonEnabled(Button::HideSelected), c.hideEnabled);
    EXPECT_EQ(window.GetButtonCaption(Button::HideSelected), c.hideSelected);
    EXPECT_FALSE(window.IsButtonEnabled(Button::StartSelected));
    EXPECT_EQ(window.GetButtonCaption(Button::StartAll), "a");
    EXPECT_EQ(window.GetButtonCaption(Button::HideAll), "b");
  }
}

TEST_F(HandlersTest, CheckBoxHidesOrShowsConsolesAndLeavesBothHideButtonsEnabled) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId stranger = machine.AddProcess("cmd.exe", "cmd.exe");
  const WindowHandle console = machine.AddWindow(stranger, "ConsoleWindowClass");
  window.SelectRow(position - 1);
  OnCurrentRowChanged(tool);  // a stopped service: the hide button is disabled
  ASSERT_FALSE(window.IsButtonEnabled(Button::HideSelected));
  std::vector<bool> enabledDuring;
  machine.onCommand = [&] {
    enabledDuring.push_back(window.IsButtonEnabled(Button::HideAll));
    enabledDuring.push_back(window.IsButtonEnabled(Button::HideSelected));
  };
  const int writesBefore = window.cellWrites;
  for (bool checked : {true, false}) {
    SCOPED_TRACE(checked);
    window.SetCheckBoxChecked(checked);
    enabledDuring.clear();
    OnHideConsolesClicked(tool);
    EXPECT_EQ(machine.FindWindow(console)->visible, !checked);
    EXPECT_EQ(enabledDuring, (std::vector<bool>{false, false}));
    EXPECT_TRUE(window.IsButtonEnabled(Button::HideAll));
    EXPECT_TRUE(window.IsButtonEnabled(Button::HideSelected));
    EXPECT_EQ(window.GetButtonCaption(Button::HideAll), Text(texts::kHideAll));
  }
  EXPECT_EQ(window.cellWrites, writesBefore);
  // Now enabled for a stopped service: the click asks about no window but writes the cell.
  OnHideSelectedClicked(tool);
  EXPECT_EQ(window.GetButtonCaption(Button::HideSelected), Text(texts::kHideSelected));
  EXPECT_EQ(Shown(position), Text(texts::kTrue));
}

TEST_F(HandlersTest, OuterStartWritesOverWhatANestedRowChangeWrote) {
  const int starting = AddService("C:\\srv\\a.exe");
  const int stopped = AddService("C:\\srv\\b.exe");
  ProgramsStartAfter(100);
  window.SelectRow(starting - 1);
  bool startSelectedEnabledInside = true;
  machine.ScheduleUserAction(50, [&] {
    startSelectedEnabledInside = window.IsButtonEnabled(Button::StartSelected);
    window.SelectRow(stopped - 1);
    OnCurrentRowChanged(tool);
  });
  OnStartSelectedClicked(tool);
  EXPECT_FALSE(startSelectedEnabledInside);
  EXPECT_EQ(Status(starting), Text(texts::kStatusRunning));
  EXPECT_EQ(Status(stopped), Text(texts::kStatusNotStarted));
  EXPECT_EQ(window.GetButtonCaption(Button::StartSelected), Text(texts::kCloseSelected));
  EXPECT_TRUE(window.IsButtonEnabled(Button::StartSelected));
  EXPECT_TRUE(window.IsButtonEnabled(Button::HideSelected));
  EXPECT_EQ(window.GetButtonCaption(Button::HideSelected), Text(texts::kHideSelected));
}

TEST_F(HandlersTest, ClicksInsideStartAllRunWhileItShowsStarting) {
  const int first = AddService("C:\\srv\\a.exe");
  const int second = AddService("C:\\srv\\b.exe");
  const int running = AddService("C:\\srv\\c.exe");
  BindRunning(running);
  ProgramsStartAfter(100);
  std::string startAllCaptionInside;
  bool startAllEnabledInside = true;
  machine.ScheduleUserAction(50, [&] {
    startAllCaptionInside = window.GetButtonCaption(Button::StartAll);
    startAllEnabledInside = window.IsButtonEnabled(Button::StartAll);
    OnHideAllClicked(tool);
  });
  // While the second service is being watched, the user closes the first one again.
  machine.ScheduleUserAction(900, [&] {
    window.SelectRow(first - 1);
    OnCurrentRowChanged(tool);
    OnStartSelectedClicked(tool);
  });
  OnStartAllClicked(tool);
  EXPECT_EQ(startAllCaptionInside, Text(texts::kStatusRunning));
  EXPECT_FALSE(startAllEnabledInside);
  EXPECT_EQ(window.GetButtonCaption(Button::HideAll), Text(texts::kShowAll));
  EXPECT_EQ(Shown(running), Text(texts::kFalse));
  ASSERT_EQ(started.size(), 2u);
  EXPECT_FALSE(machine.IsAlive(started[0]));
  EXPECT_EQ(Status(first), Text(texts::kStatusClosed));
  EXPECT_EQ(Record(second).processId, started[1]);
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kCloseAll));
  EXPECT_TRUE(window.IsButtonEnabled(Button::StartAll));
}

TEST_F(HandlersTest, StartAllCaptionIsNotRefreshedBySingleCloses) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId id = RunInstance(position);
  AdoptRunningInstances(tool);
  ASSERT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kCloseAll));
  window.SelectRow(position - 1);
  OnCurrentRowChanged(tool);
  OnStartSelectedClicked(tool);
  EXPECT_FALSE(machine.IsAlive(id));
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kCloseAll));
  OnStartAllClicked(tool);  // finds nothing to close
  EXPECT_EQ(machine.terminateRequests.size(), 1u);
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kStartAll));
}

}  // namespace
}  // namespace svcman::testing
