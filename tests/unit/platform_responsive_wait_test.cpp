// The responsive wait and the message pump: time passes on the virtual clock, messages are
// dispatched as they come, the quit message stays queued, and every failure ends the wait.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/responsive_wait.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

TEST(WaitResponsive, WaitsTheAmountInItsUnitOnOneTimer) {
  struct Case {
    std::int32_t amount;
    TimeUnit unit;
    std::uint64_t ms;
    std::int64_t dueTime;
  };
  const Case cases[] = {
      {200, TimeUnit::Millisecond, 200, -2000000}, {300, TimeUnit::Millisecond, 300, -3000000},
      {2, TimeUnit::Second, 2000, -20000000},      {1, TimeUnit::Minute, 60000, -600000000},
      {1, TimeUnit::Hour, 3600000, -36000000000},  {0, TimeUnit::Millisecond, 0, 0},
  };
  for (const Case& c : cases) {
    fake::SimulatedMachine machine;
    EXPECT_TRUE(WaitResponsive(machine, c.amount, c.unit));
    EXPECT_EQ(machine.Now(), c.ms);
    EXPECT_EQ(machine.timerDueTimes, (std::vector<std::int64_t>{c.dueTime}));
    for (const fake::WaitCall& wait : machine.waitCalls) {
      EXPECT_EQ(wait.count, 1u);
      EXPECT_FALSE(wait.waitAll);
      EXPECT_EQ(wait.milliseconds, kInfinite);
      EXPECT_EQ(wait.wakeMask, kQsAllButRawInput);
    }
    EXPECT_EQ(machine.OpenHandleCount(), 0);
  }
}

TEST(WaitResponsive, AmountsBeyondTheTimersRangeStayInIt) {
  fake::SimulatedMachine machine;
  machine.waitFails = true;  // only the due time matters here
  WaitResponsive(machine, INT32_MAX, TimeUnit::Hour);
  WaitResponsive(machine, INT32_MIN, TimeUnit::Hour);
  EXPECT_EQ(machine.timerDueTimes, (std::vector<std::int64_t>{INT64_MIN, INT64_MAX}));
}

TEST(WaitResponsive, DispatchesMessagesAsTheyComeWithoutShorteningTheWait) {
  fake::SimulatedMachine machine;
  std::vector<std::uint64_t> handledAt;
  machine.ScheduleUserAction(50, [&] { handledAt.push_back(machine.Now()); });
  machine.ScheduleUserAction(120, [&] { handledAt.push_back(machine.Now()); });
  machine.ScheduleUserAction(250, [&] { handledAt.push_back(machine.Now()); });
  EXPECT_TRUE(WaitResponsive(machine, 200));
  EXPECT_EQ(machine.Now(), 200u);
  EXPECT_EQ(handledAt, (std::vector<std::uint64_t>{50, 120}));
}

TEST(WaitResponsive, NestedWaitInsideAHandlerEndsAndTheOuterKeepsItsTime) {
  fake::SimulatedMachine machine;
  std::uint64_t innerEnded = 0;
  machine.ScheduleUserAction(50, [&] {
    WaitResponsive(machine, 300);
    innerEnded = machine.Now();
  });
  EXPECT_TRUE(WaitResponsive(machine, 200));
  EXPECT_EQ(innerEnded, 350u);
  EXPECT_EQ(machine.Now(), 350u);  // the outer timer fired meanwhile; it ends at once
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST(WaitResponsive, QuitMessageStaysQueuedAndDoesNotShortenTheWait) {
  fake::SimulatedMachine machine;
  machine.ScheduleUserAction(20, [&] { machine.PostQuit(); });
  EXPECT_TRUE(WaitResponsive(machine, 200));
  EXPECT_EQ(machine.Now(), 200u);
  EXPECT_TRUE(machine.QuitPending());
  EXPECT_EQ(machine.endlessWaits, 0);
}

TEST(WaitResponsive, ReturnsAtOnceWhenTheTimerOrTheWaitFails) {
  enum Failure { Create, Set, Wait };
  for (Failure failure : {Create, Set, Wait}) {
    fake::SimulatedMachine machine;
    machine.timerCreateFails = failure == Create;
    machine.timerSetFails = failure == Set;
    machine.waitFails = failure == Wait;
    EXPECT_FALSE(WaitResponsive(machine, 200)) << failure;
    EXPECT_EQ(machine.Now(), 0u) << failure;
    EXPECT_EQ(machine.OpenHandleCount(), 0) << failure;
    EXPECT_EQ(machine.closeOfInvalidHandle, 0) << failure;
  }
}

TEST(DispatchPendingMessages, RunsDueMessagesAndStopsAtTheQuitMessage) {
  fake::SimulatedMachine machine;
  std::vector<int> ran;
  machine.ScheduleUserAction(0, [&] { ran.push_back(1); });
  machine.ScheduleUserAction(0, [&] { ran.push_back(2); });
  machine.PostQuit();
  machine.ScheduleUserAction(0, [&] { ran.push_back(3); });
  machine.ScheduleUserAction(10, [&] { ran.push_back(4); });  // not due yet
  DispatchPendingMessages(machine);
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_TRUE(machine.QuitPending());
  EXPECT_EQ(machine.callCounts["TranslateMessage"], 2);
  DispatchPendingMessages(machine);
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(DispatchPendingMessages, EmptyQueueDispatchesNothing) {
  fake::SimulatedMachine machine;
  machine.ScheduleUserAction(10, [] {});
  DispatchPendingMessages(machine);
  EXPECT_EQ(machine.dispatchedMessages, 0);
  EXPECT_EQ(machine.PendingMessageCount(), 0);
}

}  // namespace
}  // namespace svcman
