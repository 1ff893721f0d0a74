#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/service_close.h"
#include "control/window_visibility.h"
#include "tests/unit/control_fixture.h"

namespace svcman::testing {
namespace {

using CloseTest = ControlTest;

TEST_F(CloseTest, CloseAllEndsBoundServicesLastPositionFirst) {
  const int a = AddService("C:\\srv\\a.exe");
  const int idle = AddService("C:\\srv\\idle.exe");
  const int b = AddService("C:\\srv\\b.exe");
  const int c = AddService("C:\\srv\\c.exe");
  const ProcessId ia = BindRunning(a);
  const ProcessId ib = BindRunning(b);
  const ProcessId ic = BindRunning(c);
  window.SetCellText(idle - 1, kColumnShown, "x");
  CloseAllServices(tool);
  EXPECT_EQ(machine.terminateRequests, (std::vector<ProcessId>{ic, ib, ia}));
  for (int position : {a, b, c}) {
    SCOPED_TRACE(position);
    EXPECT_EQ(Record(position).processId, 0u);
    EXPECT_EQ(Record(position).windowHandle, 0u);
    EXPECT_EQ(Status(position), Text(texts::kStatusClosed));
    EXPECT_EQ(Shown(position), Text(texts::kFalse));
  }
  EXPECT_FALSE(machine.IsAlive(ia));
  EXPECT_FALSE(machine.IsAlive(ib));
  EXPECT_FALSE(machine.IsAlive(ic));
  EXPECT_EQ(Status(idle), Text(texts::kStatusNotStarted));
  EXPECT_EQ(Shown(idle), "x");
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST_F(CloseTest, CloseAllWithNothingBoundChangesNothing) {
  AddService("C:\\srv\\a.exe");
  const ProcessId stranger = machine.AddProcess("a.exe", "\"C:\\srv\\a.exe\" ");
  const int writesBefore = window.cellWrites;
  CloseAllServices(tool);
  EXPECT_TRUE(machine.terminateRequests.empty());
  EXPECT_TRUE(machine.IsAlive(stranger));
  EXPECT_EQ(window.cellWrites, writesBefore);
}

// What each close does with a bound id whose process cannot be ended or is not the service's
// any more. The close of one service unbinds it whatever happened; close-all keeps the binding.
enum class Fate { Refuses, Ended, IdReusedByOtherProgram, IdReusedBySameProgramOtherArguments };

struct FateCase {
  const char* what;
  Fate fate;
};

class CloseFateTest : public ControlTest, public ::testing::WithParamInterface<FateCase> {
 protected:
  // Binds the service, then arranges the fate; returns the process now under the bound id, or
  // 0 when none runs.
  ProcessId Arrange(int position) {
    const ProcessId id = BindRunning(position);
    switch (GetParam().fate) {
      case Fate::Refuses:
        machine.FindProcess(id)->terminable = false;
        return id;
      case Fate::Ended:
        machine.EndProcess(id);
        return 0;
      case Fate::IdReusedByOtherProgram:
        machine.EndProcess(id);
        return machine.AddProcess("notepad.exe", "notepad.exe C:\\work\\notes.txt", id);
      case Fate::IdReusedBySameProgramOtherArguments:
        machine.EndProcess(id);
        return machine.AddProcess("a.exe", "\"C:\\srv\\a.exe\" -other", id);
    }
    return 0;
  }

  // Whatever runs under the id goes on running; only a process that is still the service's
  // own is ever asked to end.
  void ExpectNoStrangerEnded(ProcessId under) {
    if (under != 0) {
      EXPECT_TRUE(machine.IsAlive(under));
    }
    if (GetParam().fate != Fate::Refuses) {
      EXPECT_TRUE(machine.terminateRequests.empty());
    }
  }
};

TEST_P(CloseFateTest, CloseAllLeavesTheServiceBoundAndTheProcessAlone) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId under = Arrange(position);
  const ServiceRecord before = Record(position);
  CloseAllServices(tool);
  ExpectNoStrangerEnded(under);
  EXPECT_EQ(Record(position).processId, before.processId);
  EXPECT_EQ(Record(position).windowHandle, before.windowHandle);
  EXPECT_EQ(Status(position), Text(texts::kStatusRunning));
  EXPECT_EQ(Shown(position), Text(texts::kTrue));
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST_P(CloseFateTest, CloseServiceUnbindsAndMarksClosedButEndsNoStranger) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId under = Arrange(position);
  CloseService(tool, position);
  ExpectNoStrangerEnded(under);
  EXPECT_EQ(Record(position).processId, 0u);
  EXPECT_EQ(Record(position).windowHandle, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusClosed));
  EXPECT_EQ(Shown(position), Text(texts::kFalse));
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fates, CloseFateTest,
    ::testing::Values(FateCase{"refuses", Fate::Refuses}, FateCase{"ended", Fate::Ended},
                      FateCase{"other program", Fate::IdReusedByOtherProgram},
                      FateCase{"same program", Fate::IdReusedBySameProgramOtherArguments}),
    [](const auto& info) {
      std::string name;
      for (const char* p = info.param.what; *p != '\0'; ++p) {
        if (*p != ' ') name += *p;
      }
      return name;
    });

TEST_F(CloseTest, CloseAllStillEndsTheOthersWhenOneCannotBeEnded) {
  const int a = AddService("C:\\srv\\a.exe");
  const int b = AddService("C:\\srv\\b.exe");
  const ProcessId ia = BindRunning(a);
  const ProcessId ib = BindRunning(b);
  machine.FindProcess(ib)->terminable = false;
  CloseAllServices(tool);
  EXPECT_FALSE(machine.IsAlive(ia));
  EXPECT_EQ(Status(a), Text(texts::kStatusClosed));
  EXPECT_TRUE(machine.IsAlive(ib));
  EXPECT_EQ(Record(b).processId, ib);
  EXPECT_EQ(Status(b), Text(texts::kStatusRunning));
}

TEST_F(CloseTest, CloseServiceEndsItsOwnProcess) {
  const int position = AddService("C:\\srv\\a.exe", "-p 1");
  const ProcessId id = BindRunning(position);
  CloseService(tool, position);
  EXPECT_FALSE(machine.IsAlive(id));
  EXPECT_EQ(machine.FindProcess(id)->exitCode, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusClosed));
}

TEST_F(CloseTest, CloseServiceWithoutProcessEndsNothingAndStillMarksClosed) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId unbound = RunInstance(position);
  window.SetCellText(position - 1, kColumnShown, Text(texts::kTrue));
  CloseService(tool, position);
  EXPECT_TRUE(machine.terminateRequests.empty());
  EXPECT_TRUE(machine.IsAlive(unbound));
  EXPECT_EQ(Status(position), Text(texts::kStatusClosed));
  EXPECT_EQ(Shown(position), Text(texts::kFalse));
}

// ---- hiding and showing ------------------------------------------------------------------

TEST_F(CloseTest, OneServiceWindowIsAskedAndTheCellWrittenWhateverTheHandle) {
  struct Case {
    const char* what;
    bool visible;
    bool bound;
    bool vanished;
  };
  const std::vector<Case> cases = {
      {"hide a live window", false, true, false},     {"show a live window", true, true, false},
      {"hide without a window", false, false, false}, {"show without a window", true, false, false},
      {"show a vanished window", true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int position = AddService("C:\\srv\\a.exe");
    WindowHandle handle = 0;
    if (c.bound) {
      BindRunning(position);
      handle = Record(position).windowHandle;
      if (c.vanished) machine.DestroyWindow(handle);
    }
    window.SetCellText(position - 1, kColumnShown, "x");
    machine.showWindowCalls.clear();
    SetServiceWindowVisible(tool, position, c.visible);
    ASSERT_EQ(machine.showWindowCalls.size(), 1u);
    EXPECT_EQ(machine.showWindowCalls[0].window, handle);
    EXPECT_EQ(machine.showWindowCalls[0].showCommand, c.visible ? kSwShowNormal : kSwHide);
    EXPECT_EQ(Shown(position), Text(c.visible ? texts::kTrue : texts::kFalse));
    if (c.bound && !c.vanished) {
      EXPECT_EQ(machine.FindWindow(handle)->visible, c.visible);
    }
  }
}

TEST_F(CloseTest, AllServiceWindowsSkipsServicesWithoutWindowOrProcess) {
  const int shown = AddService("C:\\srv\\a.exe");
  const int noWindow = AddService("C:\\srv\\b.exe");
  const int noProcess = AddService("C:\\srv\\c.exe");
  const int vanished = AddService("C:\\srv\\d.exe");
  BindRunning(shown);
  BindRunning(noWindow);
  Record(noWindow).windowHandle = 0;
  BindRunning(noProcess);
  Record(noProcess).processId = 0;
  BindRunning(vanished);
  machine.DestroyWindow(Record(vanished).windowHandle);
  for (bool visible : {false, true}) {
    SCOPED_TRACE(visible);
    machine.showWindowCalls.clear();
    SetAllServiceWindowsVisible(tool, visible);
    ASSERT_EQ(machine.showWindowCalls.size(), 2u);
    EXPECT_EQ(machine.showWindowCalls[0].window, Record(shown).windowHandle);
    EXPECT_EQ(machine.showWindowCalls[1].window, Record(vanished).windowHandle);
    for (const auto& call : machine.showWindowCalls) {
      EXPECT_EQ(call.showCommand, visible ? kSwShowNormal : kSwHide);
    }
    const std::string expected = Text(visible ? texts::kTrue : texts::kFalse);
    EXPECT_EQ(Shown(shown), expected);
    EXPECT_EQ(Shown(vanished), expected);
    EXPECT_EQ(Shown(noWindow), Text(texts::kTrue));  // as BindRunning left it
    EXPECT_EQ(Shown(noProcess), Text(texts::kTrue));
  }
}

TEST_F(CloseTest, ConsoleWindowsOfEveryProgramAreHiddenAndShownWithoutTouchingTheList) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId service = BindRunning(position);
  const WindowHandle serviceConsole = machine.AddWindow(service, "ConsoleWindowClass");
  const ProcessId stranger = machine.AddProcess("cmd.exe", "cmd.exe");
  const WindowHandle strangerConsole = machine.AddWindow(stranger, "ConsoleWindowClass");
  const WindowHandle hiddenConsole =
      machine.AddWindow(stranger, "ConsoleWindowClass", /*visible=*/false);
  const WindowHandle ordinary = machine.AddWindow(stranger, "Notepad");
  const int writesBefore = window.cellWrites;
  for (bool visible : {false, true}) {
    SCOPED_TRACE(visible);
    machine.showWindowCalls.clear();
    SetAllConsoleWindowsVisible(tool, visible);
    std::vector<WindowHandle> asked;
    for (const auto& call : machine.showWindowCalls) {
      asked.push_back(call.window);
      EXPECT_EQ(call.showCommand, visible ? kSwShowNormal : kSwHide);
    }
    std::sort(asked.begin(), asked.end());
    std::vector<WindowHandle> consoles = {serviceConsole, strangerConsole, hiddenConsole};
    std::sort(consoles.begin(), consoles.end());
    EXPECT_EQ(asked, consoles);
    for (WindowHandle console : consoles) {
      EXPECT_EQ(machine.FindWindow(console)->visible, visible);
    }
    EXPECT_TRUE(machine.FindWindow(ordinary)->visible);
  }
  EXPECT_EQ(window.cellWrites, writesBefore);
  EXPECT_EQ(Shown(position), Text(texts::kTrue));
}

}  // namespace
}  // namespace svcman::testing
