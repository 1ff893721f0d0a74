#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "control/service_close.h"
#include "control/service_start.h"
#include "control/window_visibility.h"
#include "tests/unit/control_fixture.h"
#include "ui/handlers.h"

namespace svcman::testing {
namespace {

using StartTest = ControlTest;

// A world of its own with one service (image a.exe), for tests that need several.
struct OneServiceWorld {
  ObservedMachine machine;
  fake::MemoryWindow window;
  ServiceCatalogue catalogue;
  ToolContext tool{catalogue, window, machine};

  explicit OneServiceWorld(const std::string& path = "C:\\a.exe",
                           const std::string& arguments = {}) {
    ServiceRecord record;
    record.path = path;
    record.arguments = arguments;
    record.imageName = "a.exe";
    catalogue.Append(record);
    window.AppendRow();
  }
};

TEST(WorkingDirectoryTest, UpToAndIncludingTheLastRealBackslash) {
  struct Case {
    std::string path;
    std::string directory;
  };
  const std::vector<Case> cases = {
      {"C:\\srv\\game\\run.exe", "C:\\srv\\game\\"},
      {"run.exe", ""},
      {"", ""},
      {"C:\\run.exe", "C:\\"},
      {"\\\\host\\share\\run.exe", "\\\\host\\share\\"},
      // 0x95 0x5C is one character whose second byte is a backslash: not a separator.
      {"C:\\srv\\\x95\x5C.exe", "C:\\srv\\"},
      {"C:\\\xB7\xFE\xCE\xF1\\a.exe", "C:\\\xB7\xFE\xCE\xF1\\"},
      {"C:\\srv\\", "C:\\srv\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(WorkingDirectoryOf(c.path), c.directory);
  }
}

TEST_F(StartTest, LaunchesThroughTheShellWithPathArgumentsAndDirectory) {
  const int withArguments = AddService("C:\\srv\\game\\run.exe", "-port 7000");
  const int bare = AddService("run.exe");
  StartService(tool, withArguments);
  StartService(tool, bare);
  ASSERT_EQ(machine.shellExecuteCalls.size(), 2u);
  const fake::ShellExecuteCall& first = machine.shellExecuteCalls[0];
  EXPECT_EQ(first.operation, "open");
  EXPECT_EQ(first.file, "C:\\srv\\game\\run.exe");
  EXPECT_EQ(first.parameters, "-port 7000");
  EXPECT_EQ(first.directory, "C:\\srv\\game\\");
  EXPECT_EQ(first.showCommand, kSwShowNormal);
  const fake::ShellExecuteCall& second = machine.shellExecuteCalls[1];
  EXPECT_EQ(second.parameters, "");
  EXPECT_EQ(second.directory, "");
  EXPECT_FALSE(second.nullArgument);
}

// With nothing turning up, the looks come 200 ms after the launch and then every 500 ms, and
// the watch ends with the first look that ends more than 5000 ms after the launch.
TEST_F(StartTest, WatchWithoutResultLooksElevenTimesAndLeavesTheServiceAsItWas) {
  const int position = AddService("C:\\srv\\a.exe");
  window.SetCellText(position - 1, kColumnStatus, Text(texts::kStatusClosed));
  Record(position).processId = 0;
  const int writesBefore = window.cellWrites;
  StartService(tool, position);
  std::vector<std::uint64_t> expected;
  for (std::uint64_t look = 200; look <= 5200; look += 500) expected.push_back(look);
  EXPECT_EQ(machine.lookTimes, expected);
  EXPECT_EQ(machine.Now(), 5200u);
  EXPECT_EQ(Record(position).processId, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusClosed));
  EXPECT_EQ(window.cellWrites, writesBefore);
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST_F(StartTest, ALookEndingExactlyAtTheLimitDoesNotEndTheWatch) {
  struct Case {
    std::uint64_t delayOfTenthLook;  // extra time the tenth look (at 4700 ms) takes
    std::size_t looks;
    std::uint64_t returnsAt;
  };
  for (const Case c : {Case{300, 11, 5500}, Case{301, 10, 5001}}) {
    SCOPED_TRACE(c.delayOfTenthLook);
    OneServiceWorld world;
    ObservedMachine& fresh = world.machine;
    fresh.lookCost = [&](std::size_t index) { return index == 9 ? c.delayOfTenthLook : 0; };
    StartService(world.tool, 1);
    EXPECT_EQ(fresh.lookTimes.size(), c.looks);
    EXPECT_EQ(fresh.Now(), c.returnsAt);
  }
}

TEST_F(StartTest, WatchAcrossTheTickCountWrapStillLastsFiveSeconds) {
  for (std::uint32_t tickStart : {0xFFFFFFFFu - 1000u, 0xFFFFFFFFu, 0x7FFFFFFFu - 2000u}) {
    SCOPED_TRACE(tickStart);
    OneServiceWorld world;
    ObservedMachine& fresh = world.machine;
    fresh.SetTickStart(tickStart);
    StartService(world.tool, 1);
    EXPECT_EQ(fresh.lookTimes.size(), 11u);
    EXPECT_EQ(fresh.Now(), 5200u);
  }
}

TEST_F(StartTest, NewProcessIsBoundAtTheFirstLookAfterItAppearsThenWaits300) {
  struct Case {
    std::uint64_t appearsAfter;
    std::uint64_t boundAtLook;  // virtual time of the look that binds
  };
  for (const Case c : {Case{0, 200}, Case{150, 200}, Case{201, 700}, Case{4800, 5200}}) {
    SCOPED_TRACE(c.appearsAfter);
    OneServiceWorld world("C:\\srv\\a.exe", "-p 1");
    ObservedMachine& fresh = world.machine;
    ProcessId appeared = 0;
    fresh.onShellExecute = [&](const fake::ShellExecuteCall&) {
      fresh.ScheduleWorldEvent(fresh.Now() + c.appearsAfter, [&] {
        appeared = fresh.AddProcess("a.exe", "\"C:\\srv\\a.exe\" -p 1");
        fresh.AddWindow(appeared, "ServerWindow");
      });
    };
    StartService(world.tool, 1);
    ASSERT_NE(appeared, 0u);
    EXPECT_EQ(world.catalogue.At(1).processId, appeared);
    EXPECT_NE(world.catalogue.At(1).windowHandle, 0u);
    EXPECT_EQ(world.window.GetCellText(0, kColumnStatus), Text(texts::kStatusRunning));
    EXPECT_EQ(world.window.GetCellText(0, kColumnShown), Text(texts::kTrue));
    EXPECT_EQ(fresh.lookTimes.back(), c.boundAtLook);
    // After the bind's window search, 300 ms more, unless the limit has passed.
    const std::uint64_t pause = c.boundAtLook > 5000 ? 0 : 300;
    EXPECT_EQ(fresh.Now(), fresh.lastVisibilityQuery + pause);
  }
}

TEST_F(StartTest, ProcessThatAppearsAfterTheLastLookIsNotBound) {
  const int position = AddService("C:\\srv\\a.exe");
  ProgramsStartAfter(5201);
  StartService(tool, position);
  EXPECT_EQ(machine.Now(), 5200u);
  machine.Advance(10);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(Record(position).processId, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusNotStarted));
}

TEST_F(StartTest, AnUnboundRunningInstanceIsTakenBeforeTheNewOne) {
  const int position = AddService("C:\\srv\\a.exe", "-x");
  const ProcessId old = RunInstance(position);
  ProgramsStartAfter(100);
  StartService(tool, position);
  EXPECT_EQ(Record(position).processId, old);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(machine.IsAlive(started[0]));  // launched, and left running unbound
}

TEST_F(StartTest, TwinServicesEachGetTheirOwnProcess) {
  const int first = AddService("C:\\srv\\twin.exe", "-same");
  const int second = AddService("C:\\srv\\twin.exe", "-same");
  ProgramsStartAfter(100);
  StartService(tool, first);
  StartService(tool, second);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(Record(first).processId, started[0]);
  EXPECT_EQ(Record(second).processId, started[1]);
}

TEST_F(StartTest, AStillHeldIdOfTheServiceItselfIsClaimedAndReplaced) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId old = BindRunning(position);
  ProgramsStartAfter(100);
  StartService(tool, position);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(Record(position).processId, started[0]);
  EXPECT_TRUE(machine.IsAlive(old));
}

TEST_F(StartTest, StartAllStartsOnlyUnboundServicesOneAfterTheOther) {
  const int a = AddService("C:\\srv\\a.exe");
  const int b = AddService("C:\\srv\\b.exe");
  const int c = AddService("C:\\srv\\c.exe");
  const int d = AddService("C:\\srv\\d.exe");
  BindRunning(b);
  // A bound service whose process has ended by itself is still skipped.
  const ProcessId ended = BindRunning(d);
  machine.EndProcess(ended);
  ProgramsStartAfter(100);
  StartAllServices(tool);
  ASSERT_EQ(machine.shellExecuteCalls.size(), 2u);
  EXPECT_EQ(machine.shellExecuteCalls[0].file, Record(a).path);
  EXPECT_EQ(machine.shellExecuteCalls[1].file, Record(c).path);
  // The second launch waits for the first service's watch to end.
  ASSERT_EQ(launchTimes.size(), 2u);
  EXPECT_GE(launchTimes[1] - launchTimes[0], 500u);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(Record(a).processId, started[0]);
  EXPECT_EQ(Record(c).processId, started[1]);
  EXPECT_EQ(Record(d).processId, ended);
}

TEST_F(StartTest, StartAllWithEveryServiceBoundDoesNothing) {
  BindRunning(AddService("C:\\srv\\a.exe"));
  BindRunning(AddService("C:\\srv\\b.exe"));
  const int writesBefore = window.cellWrites;
  StartAllServices(tool);
  EXPECT_TRUE(machine.shellExecuteCalls.empty());
  EXPECT_TRUE(machine.lookTimes.empty());
  EXPECT_EQ(machine.Now(), 0u);
  EXPECT_EQ(window.cellWrites, writesBefore);
}

TEST_F(StartTest, ServiceClosedAloneIsStartedAgainByStartAll) {
  const int position = AddService("C:\\srv\\a.exe");
  BindRunning(position);
  CloseService(tool, position);
  ProgramsStartAfter(100);
  StartAllServices(tool);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(Record(position).processId, started[0]);
  EXPECT_EQ(Status(position), Text(texts::kStatusRunning));
}

// ---- other commands run inside the start's waits -----------------------------------------

TEST_F(StartTest, NestedCloseOfAnotherServiceRunsToCompletionInsideTheWait) {
  const int starting = AddService("C:\\srv\\a.exe");
  const int other = AddService("C:\\srv\\b.exe");
  const ProcessId otherId = BindRunning(other);
  ProgramsStartAfter(600);
  machine.ScheduleUserAction(100, [&] { CloseService(tool, other); });
  StartService(tool, starting);
  EXPECT_FALSE(machine.IsAlive(otherId));
  EXPECT_EQ(Record(other).processId, 0u);
  EXPECT_EQ(Status(other), Text(texts::kStatusClosed));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(Record(starting).processId, started[0]);
  EXPECT_EQ(Status(starting), Text(texts::kStatusRunning));
}

TEST_F(StartTest, IdClaimedByAnEarlierLookStaysClaimedAfterANestedCloseClearedItsRecord) {
  const int first = AddService("C:\\srv\\twin.exe", "-same");
  const int second = AddService("C:\\srv\\twin.exe", "-same");
  const ProcessId firstId = BindRunning(first);
  // The close cannot end the process: the record is cleared, the process keeps running.
  machine.FindProcess(firstId)->terminable = false;
  machine.ScheduleUserAction(100, [&] { CloseService(tool, first); });
  ProgramsStartAfter(600);
  StartService(tool, second);
  EXPECT_TRUE(machine.IsAlive(firstId));
  EXPECT_EQ(Record(first).processId, 0u);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(Record(second).processId, started[0]);
}

TEST_F(StartTest, NestedHideAllAndRowSelectionRunInsideTheWait) {
  const int starting = AddService("C:\\srv\\a.exe");
  const int other = AddService("C:\\srv\\b.exe");
  BindRunning(other);
  const WindowHandle otherWindow = Record(other).windowHandle;
  ProgramsStartAfter(100);
  machine.ScheduleUserAction(150, [&] { OnHideAllClicked(tool); });
  machine.ScheduleUserAction(160, [&] {
    window.SelectRow(other - 1);
    OnCurrentRowChanged(tool);
  });
  StartService(tool, starting);
  ASSERT_FALSE(machine.showWindowCalls.empty());
  EXPECT_EQ(machine.showWindowCalls[0].window, otherWindow);
  EXPECT_EQ(machine.showWindowCalls[0].showCommand, kSwHide);
  EXPECT_EQ(Shown(other), Text(texts::kFalse));
  EXPECT_EQ(window.GetButtonCaption(Button::HideAll), Text(texts::kShowAll));
  EXPECT_TRUE(window.IsButtonEnabled(Button::HideAll));
  EXPECT_EQ(window.GetButtonCaption(Button::StartSelected), Text(texts::kCloseSelected));
  EXPECT_EQ(window.GetButtonCaption(Button::HideSelected), Text(texts::kShowSelected));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(Record(starting).processId, started[0]);
}

// Closing the window during a watch ends it at once, and a start-all launches nothing more: a
// closed tool must not go on starting programs that nobody can see or close from it.
TEST_F(StartTest, ClosingTheWindowDuringAWatchStopsStartingServices) {
  const int first = AddService("C:\\srv\\a.exe", "-x");
  const int second = AddService("C:\\srv\\b.exe", "-y");
  // The first program never turns up, so its watch would last over five seconds.
  machine.ScheduleUserAction(1000, [&] { machine.PostQuit(); });
  StartAllServices(tool);
  ASSERT_EQ(machine.shellExecuteCalls.size(), 1u);
  EXPECT_EQ(machine.shellExecuteCalls[0].file, Record(first).path);
  EXPECT_LT(machine.Now(), 1500u);
  EXPECT_EQ(Record(first).processId, 0u);
  EXPECT_EQ(Record(second).processId, 0u);
  EXPECT_TRUE(machine.QuitPending());
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST_F(StartTest, WithoutAQuitTheSameStartAllLaunchesEveryService) {
  AddService("C:\\srv\\a.exe", "-x");
  AddService("C:\\srv\\b.exe", "-y");
  ProgramsStartAfter(100);
  StartAllServices(tool);
  EXPECT_EQ(machine.shellExecuteCalls.size(), 2u);
  EXPECT_EQ(started.size(), 2u);
}

}  // namespace
}  // namespace svcman::testing
