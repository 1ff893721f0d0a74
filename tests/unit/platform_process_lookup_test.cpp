// Finding processes by executable name: the lower-casing rule and the snapshot walk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process_lookup.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

TEST(LowerCaseImageName, LowersAsciiLettersOnly) {
  struct Case {
    std::string name, lowered;
  };
  const Case cases[] = {
      {"", ""},
      {"SERVER.EXE", "server.exe"},
      {"Mixed_09@[`{Z", "mixed_09@[`{z"},  // the neighbours of A-Z stay
      {"\xD6\xD0\xCE\xC4.EXE", "\xD6\xD0\xCE\xC4.exe"},
      {"\x81\x41Z", "\x81\x41z"},                // second byte in A-Z is no letter
      {"\xA3\xC1\xA3\xC2", "\xA3\xC1\xA3\xC2"},  // full-width letters keep their case
      {"\xC0\xC9", "\xC0\xC9"},                  // nor do bytes that look like accented Latin-1
      {"AB\xB7", "ab\xB7"},                      // a lead byte at the very end ends the scan
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LowerCaseImageName(c.name), c.lowered) << c.name;
  }
}

class ProcessLookupTest : public ::testing::Test {
 protected:
  fake::SimulatedMachine machine;
};

TEST_F(ProcessLookupTest, MatchesWholeNamesWithoutAsciiCaseInSnapshotOrder) {
  const ProcessId server1 = machine.AddProcess("Server.exe", "server.exe");
  machine.AddProcess("other.exe", "other.exe");
  const ProcessId server2 = machine.AddProcess("server.EXE", "server.exe");
  const ProcessId chinese = machine.AddProcess("\xD6\xD0\xCE\xC4.exe", "x");
  const ProcessId secondByteUpper = machine.AddProcess("\x81\x41.exe", "x");
  const ProcessId secondByteLower = machine.AddProcess("\x81\x61.exe", "x");

  struct Case {
    std::string query;
    std::vector<ProcessId> ids;
  };
  const Case cases[] = {
      {"SERVER.EXE", {server1, server2}},
      {"server.exe", {server1, server2}},
      {"\xD6\xD0\xCE\xC4.EXE", {chinese}},
      {"\x81\x41.exe", {secondByteUpper}},
      {"\x81\x61.EXE", {secondByteLower}},
      {"C:\\bin\\server.exe", {}},  // entries carry no directory
      {"", {}},
      {"server", {}},
      {"server.exe ", {}},  // no trimming
      {"erver.exe", {}},
  };
  for (const Case& c : cases) {
    std::vector<ProcessId> ids;
    EXPECT_EQ(FindProcessesByImageName(machine, c.query, ids), static_cast<int>(c.ids.size()))
        << c.query;
    EXPECT_EQ(ids, c.ids) << c.query;
  }
  EXPECT_EQ(machine.OpenHandleCount(), 0);
  EXPECT_EQ(machine.closeOfInvalidHandle, 0);
  for (std::uint32_t flags : machine.snapshotFlags) EXPECT_EQ(flags, kTh32csSnapAll);
}

TEST_F(ProcessLookupTest, AppendsAfterIdsAlreadyInTheListAndCountsThemToo) {
  const ProcessId id = machine.AddProcess("a.exe", "a.exe");
  std::vector<ProcessId> ids{7, 9};
  EXPECT_EQ(FindProcessesByImageName(machine, "A.exe", ids), 3);
  EXPECT_EQ(ids, (std::vector<ProcessId>{7, 9, id}));
}

TEST_F(ProcessLookupTest, NoSnapshotGivesMinusOneAndLeavesTheListAlone) {
  machine.AddProcess("a.exe", "a.exe");
  machine.snapshotFails = true;
  std::vector<ProcessId> ids{7};
  EXPECT_EQ(FindProcessesByImageName(machine, "a.exe", ids), -1);
  EXPECT_EQ(ids, (std::vector<ProcessId>{7}));
  EXPECT_EQ(machine.callCounts["Process32FirstW"], 0);
  EXPECT_EQ(machine.callCounts["CloseHandle"], 0);  // INVALID_HANDLE_VALUE is never closed
}

TEST_F(ProcessLookupTest, EmptyProcessTableGivesZeroAndClosesTheSnapshot) {
  std::vector<ProcessId> ids;
  EXPECT_EQ(FindProcessesByImageName(machine, "a.exe", ids), 0);
  EXPECT_TRUE(ids.empty());
  EXPECT_EQ(machine.callCounts["CloseHandle"], 1);
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace svcman
