#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/instance_matching.h"
#include "tests/unit/control_fixture.h"

namespace svcman::testing {
namespace {

using MatchingTest = ControlTest;

struct MatchCase {
  const char* what;
  std::string arguments;    // the service's, as configured
  std::string commandLine;  // what the process reports
  bool matches;
};

TEST_F(MatchingTest, CommandLineWithQuotesRemovedMustEqualPathSpaceArguments) {
  const std::string path = "C:\\srv\\Game Server\\run.exe";
  const std::vector<MatchCase> cases = {
      {"quoted path, one trailing space", "", "\"" + path + "\" ", true},
      {"bare path with its trailing space", "", path + " ", true},
      {"bare path without the space", "", path, false},
      {"two trailing spaces", "", path + "  ", false},
      {"other letter case", "", "\"C:\\SRV\\Game Server\\run.exe\" ", false},
      {"arguments after a quoted path", "-port 7000", "\"" + path + "\" -port 7000", true},
      {"quotes inside the arguments are removed too", "-name x y", "\"" + path + "\" -name \"x y\"",
       true},
      {"a doubled space in the arguments", "-port 7000", "\"" + path + "\" -port  7000", false},
      {"other arguments", "-port 7000", "\"" + path + "\" -port 7001", false},
      {"configured quotes are kept and never match", "-name \"x\"", "\"" + path + "\" -name \"x\"",
       false},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.what);
    ServiceRecord record;
    record.path = path;
    record.arguments = c.arguments;
    record.imageName = "run.exe";
    const ProcessId id = machine.AddProcess("run.exe", c.commandLine);
    EXPECT_EQ(MatchesService(tool, record, id), c.matches);
  }
}

TEST_F(MatchingTest, UnreadableOrVanishedProcessNeverMatches) {
  ServiceRecord record;
  record.path = "C:\\a.exe";
  record.imageName = "a.exe";
  const ProcessId unreadable = machine.AddProcess("a.exe", "C:\\a.exe ");
  machine.FindProcess(unreadable)->readFailure = fake::ReadFailure::Open;
  const ProcessId ended = machine.AddProcess("a.exe", "C:\\a.exe ");
  machine.EndProcess(ended);
  EXPECT_FALSE(MatchesService(tool, record, unreadable));
  EXPECT_FALSE(MatchesService(tool, record, ended));
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST(ClaimedIdsTest, EntriesAreWholeIdsBetweenBars) {
  ClaimedIds claimed;
  EXPECT_FALSE(claimed.IsClaimed(0));
  claimed.Claim(12);
  claimed.Claim(0);
  claimed.Claim(4294967295u);
  EXPECT_EQ(claimed.text(), "|12||0||4294967295|");
  EXPECT_TRUE(claimed.IsClaimed(12));
  EXPECT_TRUE(claimed.IsClaimed(0));
  EXPECT_TRUE(claimed.IsClaimed(4294967295u));
  // Neither a part of an entry nor digits across two entries count.
  EXPECT_FALSE(claimed.IsClaimed(1));
  EXPECT_FALSE(claimed.IsClaimed(2));
  EXPECT_FALSE(claimed.IsClaimed(120));
  EXPECT_FALSE(claimed.IsClaimed(429496729));
}

TEST_F(MatchingTest, BindTakesTheVisibleWindowAndShowsTheServiceRunning) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId id = machine.AddProcess("a.exe", "C:\\srv\\a.exe ");
  const WindowHandle handle = machine.AddWindow(id, "ServerWindow");
  BindInstance(tool, position, id);
  EXPECT_EQ(Record(position).processId, id);
  EXPECT_EQ(Record(position).windowHandle, handle);
  EXPECT_EQ(Status(position), Text(texts::kStatusRunning));
  EXPECT_EQ(Shown(position), Text(texts::kTrue));
}

TEST_F(MatchingTest, BindOfAProcessWithoutVisibleWindowGivesUpAfterOneSecond) {
  const int position = AddService("C:\\srv\\a.exe");
  const ProcessId id = machine.AddProcess("a.exe", "C:\\srv\\a.exe ");
  machine.AddWindow(id, "ServerWindow", /*visible=*/false);
  const std::uint64_t before = machine.Now();
  BindInstance(tool, position, id);
  EXPECT_GE(machine.Now() - before, 1000u);
  EXPECT_EQ(Record(position).processId, id);
  EXPECT_EQ(Record(position).windowHandle, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusRunning));
  EXPECT_EQ(Shown(position), Text(texts::kFalse));
}

TEST_F(MatchingTest, AdoptionBindsRunningServicesAndTurnsStartAllToCloseAll) {
  const int shown = AddService("C:\\srv\\a.exe", "-x");
  const int hidden = AddService("C:\\srv\\b.exe");
  const int stopped = AddService("C:\\srv\\c.exe");
  const int otherArguments = AddService("C:\\srv\\d.exe", "-port 1");
  const ProcessId a = RunInstance(shown);
  const ProcessId b = RunInstance(hidden, false);
  machine.AddWindow(b, "ServerWindow", /*visible=*/false);
  const ProcessId d = machine.AddProcess("d.exe", "\"C:\\srv\\d.exe\" -port 2");
  // Statuses left over from before are reset, visibility cells are not.
  window.SetCellText(stopped - 1, kColumnStatus, Text(texts::kStatusClosed));
  window.SetCellText(stopped - 1, kColumnShown, "x");

  AdoptRunningInstances(tool);

  EXPECT_EQ(Record(shown).processId, a);
  EXPECT_NE(Record(shown).windowHandle, 0u);
  EXPECT_EQ(Shown(shown), Text(texts::kTrue));
  EXPECT_EQ(Record(hidden).processId, b);
  EXPECT_EQ(Record(hidden).windowHandle, 0u);
  EXPECT_EQ(Shown(hidden), Text(texts::kFalse));
  EXPECT_EQ(Status(shown), Text(texts::kStatusRunning));
  EXPECT_EQ(Status(hidden), Text(texts::kStatusRunning));
  EXPECT_EQ(Record(stopped).processId, 0u);
  EXPECT_EQ(Status(stopped), Text(texts::kStatusNotStarted));
  EXPECT_EQ(Shown(stopped), "x");
  EXPECT_EQ(Record(otherArguments).processId, 0u);
  EXPECT_EQ(Status(otherArguments), Text(texts::kStatusNotStarted));
  EXPECT_TRUE(machine.IsAlive(d));
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kCloseAll));
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST_F(MatchingTest, AdoptionWithNothingRunningLeavesStartAllAlone) {
  const int position = AddService("C:\\srv\\a.exe");
  window.SetCellText(position - 1, kColumnStatus, Text(texts::kStatusClosed));
  machine.AddProcess("a.exe", "\"C:\\srv\\a.exe\"");  // no trailing space: not the service
  AdoptRunningInstances(tool);
  EXPECT_EQ(Status(position), Text(texts::kStatusNotStarted));
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kStartAll));
}

TEST_F(MatchingTest, AdoptionFindsImageNamesWithoutRegardToCase) {
  const int position = AddService("C:\\srv\\Run.EXE");
  const ProcessId id = machine.AddProcess("run.exe", "\"C:\\srv\\Run.EXE\" ");
  AdoptRunningInstances(tool);
  EXPECT_EQ(Record(position).processId, id);
}

TEST_F(MatchingTest, TwinServicesShareRunningInstancesInCatalogueOrder) {
  struct Case {
    int instances;
  };
  for (const Case c : {Case{1}, Case{2}, Case{3}}) {
    SCOPED_TRACE(c.instances);
    ObservedMachine fresh;
    fake::MemoryWindow freshWindow;
    ServiceCatalogue freshCatalogue;
    ToolContext freshTool{freshCatalogue, freshWindow, fresh};
    for (int i = 0; i < 2; ++i) {
      ServiceRecord record;
      record.path = "C:\\srv\\twin.exe";
      record.arguments = "-same";
      record.imageName = "twin.exe";
      freshCatalogue.Append(record);
      freshWindow.AppendRow();
    }
    std::vector<ProcessId> ids;
    for (int i = 0; i < c.instances; ++i) {
      ids.push_back(fresh.AddProcess("twin.exe", "\"C:\\srv\\twin.exe\" -same"));
    }
    AdoptRunningInstances(freshTool);
    EXPECT_EQ(freshCatalogue.At(1).processId, ids[0]);
    EXPECT_EQ(freshCatalogue.At(2).processId, c.instances >= 2 ? ids[1] : 0u);
    EXPECT_EQ(freshWindow.GetCellText(1, kColumnStatus),
              Text(c.instances >= 2 ? texts::kStatusRunning : texts::kStatusNotStarted));
    // The second service does not read the command line its twin has claimed.
    EXPECT_EQ(std::count(fresh.openedForReading.begin(), fresh.openedForReading.end(), ids[0]), 1);
  }
}

TEST_F(MatchingTest, AdoptionSurvivesAFailedEnumeration) {
  const int position = AddService("C:\\srv\\a.exe");
  RunInstance(position);
  machine.snapshotFails = true;
  AdoptRunningInstances(tool);
  EXPECT_EQ(Record(position).processId, 0u);
  EXPECT_EQ(Status(position), Text(texts::kStatusNotStarted));
  EXPECT_EQ(window.GetButtonCaption(Button::StartAll), Text(texts::kStartAll));
}

}  // namespace
}  // namespace svcman::testing
