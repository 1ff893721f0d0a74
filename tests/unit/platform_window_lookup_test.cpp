// Window lookup: the Z-order walk for a process's window with its console-window rule and time
// limit, the windows of a class, and the two small window queries.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_lookup.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

constexpr const char* kConsole = "ConsoleWindowClass";

class WindowLookupTest : public ::testing::Test {
 protected:
  fake::SimulatedMachine machine;
  ProcessId process = machine.AddProcess("srv.exe", "srv.exe");
  ProcessId other = machine.AddProcess("other.exe", "other.exe");
};

TEST_F(WindowLookupTest, TakesTheTopmostVisibleNonConsoleWindowOnTheFirstPass) {
  machine.AddWindow(other, "Main");
  machine.AddWindow(process, "Hidden", /*visible=*/false);
  machine.AddWindow(process, kConsole);
  const WindowHandle main = machine.AddWindow(process, "Main");
  machine.AddWindow(process, "Second");
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), main);
  // The noting of the first window, then one step per window down to the one taken.
  EXPECT_EQ(machine.callCounts["FindWindowExA"], 5);
  EXPECT_LT(machine.Now(), 1000u);
}

TEST_F(WindowLookupTest, ConsoleWindowIsTakenOnlyWhenItWasTopmostAtTheStart) {
  const WindowHandle console = machine.AddWindow(process, kConsole);
  machine.AddWindow(other, "Main");
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), console);

  machine.BringToTop(machine.AddWindow(other, "Main"));
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), 0u);
  EXPECT_GE(machine.Now(), 1000u);
}

TEST_F(WindowLookupTest, ClassIsComparedWithItsCase) {
  // Only the exact class name counts as a console window: another case is an ordinary window.
  machine.AddWindow(other, "Top");
  const WindowHandle window = machine.AddWindow(process, "consolewindowclass");
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), window);
}

TEST_F(WindowLookupTest, HiddenWindowsAreNeverTaken) {
  machine.AddWindow(process, "Main", /*visible=*/false, /*topmost=*/true);
  machine.AddWindow(process, kConsole, /*visible=*/false);
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), 0u);
  EXPECT_GE(machine.Now(), 1000u);
  EXPECT_LT(machine.Now(), 1000u + 3 * machine.windowStepCostMs);
}

TEST_F(WindowLookupTest, LimitOfZeroOrBelowMinusOneEndsBeforeExaminingAnyWindow) {
  machine.AddWindow(process, "Main");
  for (std::int32_t limit : {0, -2, INT32_MIN}) {
    machine.callCounts.clear();
    EXPECT_EQ(FindProcessWindow(machine, process, limit), 0u) << limit;
    EXPECT_EQ(machine.callCounts["IsWindow"], 0) << limit;
    EXPECT_LE(machine.callCounts["FindWindowExA"], 1) << limit;
  }
}

TEST_F(WindowLookupTest, NoLimitAndMinusOneMeanAYear) {
  machine.windowStepCostMs = 1000;  // few turns for a year of virtual time
  machine.AddWindow(other, "Main");
  const std::uint64_t year = 31536000;
  for (bool explicitMinusOne : {false, true}) {
    const std::uint64_t start = machine.Now();
    const WindowHandle found = explicitMinusOne ? FindProcessWindow(machine, process, -1)
                                                : FindProcessWindow(machine, process);
    EXPECT_EQ(found, 0u);
    EXPECT_GE(machine.Now() - start, year);
    EXPECT_LT(machine.Now() - start, year + 3 * machine.windowStepCostMs);
  }
}

TEST_F(WindowLookupTest, SearchAcrossTheTickCountWrapOrItsSignBitStillEnds) {
  machine.AddWindow(other, "Main");
  for (std::uint32_t tickStart : {0xFFFFFFFFu - 300, 0x7FFFFFFFu - 300, 0xFFFFFFFFu}) {
    machine.SetTickStart(tickStart - static_cast<std::uint32_t>(machine.Now()));
    const std::uint64_t start = machine.Now();
    EXPECT_EQ(FindProcessWindow(machine, process, 1000), 0u);
    EXPECT_GE(machine.Now() - start, 1000u) << tickStart;
    EXPECT_LT(machine.Now() - start, 1000u + 3 * machine.windowStepCostMs) << tickStart;
  }
}

TEST_F(WindowLookupTest, WindowsVanishingUnderTheWalkRestartItFromTheTop) {
  machine.AddWindow(other, "Top");
  const WindowHandle doomed = machine.AddWindow(process, "Main");
  machine.AddWindow(other, "Bottom");
  // Gone just after FindWindowExA handed it out: it fails IsWindow, and as the current window it
  // has no successor, so the walk starts over.
  machine.ScheduleWorldEvent(3, [&] { machine.DestroyWindow(doomed); });
  WindowHandle late = 0;
  machine.ScheduleWorldEvent(400, [&] { late = machine.AddWindow(process, "Late"); });
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), late);
  EXPECT_NE(late, 0u);
  EXPECT_LT(machine.Now(), 1000u);
}

TEST_F(WindowLookupTest, DispatchesMessagesBetweenTurnsAndLeavesTheQuitQueued) {
  machine.AddWindow(other, "Main");
  std::uint64_t clickedAt = 0;
  machine.ScheduleUserAction(5, [&] { clickedAt = machine.Now(); });
  machine.PostQuit();
  machine.ScheduleUserAction(6, [] { FAIL() << "a message behind the quit message ran"; });
  EXPECT_EQ(FindProcessWindow(machine, process, 1000), 0u);
  EXPECT_TRUE(machine.QuitPending());
  EXPECT_EQ(clickedAt, 0u) << "the click came after the quit message";

  fake::SimulatedMachine fresh;
  const ProcessId id = fresh.AddProcess("srv.exe", "srv.exe");
  fresh.AddWindow(id + 4, "Main");
  fresh.ScheduleUserAction(5, [&] { clickedAt = fresh.Now(); });
  EXPECT_EQ(FindProcessWindow(fresh, id, 1000), 0u);
  EXPECT_GE(clickedAt, 5u);
  EXPECT_LE(clickedAt, 5u + 2 * fresh.windowStepCostMs) << "dispatched on the next turn";
}

TEST_F(WindowLookupTest, WindowsOfAClassTopmostFirstHiddenIncluded) {
  std::vector<WindowHandle> windows{111, 222};  // emptied first
  EXPECT_EQ(FindTopLevelWindowsByClass(machine, kConsole, windows), 0);
  EXPECT_TRUE(windows.empty());

  const WindowHandle first = machine.AddWindow(process, kConsole);
  machine.AddWindow(other, "Main");
  const WindowHandle hidden = machine.AddWindow(other, kConsole, /*visible=*/false);
  const WindowHandle top = machine.AddWindow(other, kConsole, true, /*topmost=*/true);
  EXPECT_EQ(FindTopLevelWindowsByClass(machine, kConsole, windows), 3);
  EXPECT_EQ(windows, (std::vector<WindowHandle>{top, first, hidden}));
}

TEST_F(WindowLookupTest, WindowQueries) {
  const std::string long60(60, 'C');
  const WindowHandle longClass = machine.AddWindow(process, long60);
  const WindowHandle exact49 = machine.AddWindow(process, std::string(49, 'D'));
  const WindowHandle gone = machine.AddWindow(other, kConsole);
  machine.DestroyWindow(gone);

  EXPECT_EQ(GetWindowClassName(machine, longClass), long60.substr(0, 49));
  EXPECT_EQ(GetWindowClassName(machine, exact49), std::string(49, 'D'));
  EXPECT_EQ(GetWindowClassName(machine, gone), "");
  EXPECT_EQ(GetWindowProcessId(machine, longClass), process);
  EXPECT_EQ(GetWindowProcessId(machine, gone), 0u);
  EXPECT_EQ(GetWindowProcessId(machine, 0), 0u);
}

}  // namespace
}  // namespace svcman
