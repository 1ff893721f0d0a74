// Launching through the shell and ending a process.
#include <gtest/gtest.h>

#include <string>

#include "platform/process_control.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

TEST(LaunchProgram, OpensThroughTheShellWithEmptyStringsNeverNull) {
  fake::SimulatedMachine machine;
  LaunchProgram(machine, "C:\\srv\\a b.exe", "-x \"q\"", "C:\\srv\\");
  LaunchProgram(machine, "C:\\srv\\a.exe", "", "");
  ASSERT_EQ(machine.shellExecuteCalls.size(), 2u);
  const fake::ShellExecuteCall& first = machine.shellExecuteCalls[0];
  EXPECT_EQ(first.operation, "open");
  EXPECT_EQ(first.file, "C:\\srv\\a b.exe");
  EXPECT_EQ(first.parameters, "-x \"q\"");
  EXPECT_EQ(first.directory, "C:\\srv\\");
  EXPECT_EQ(first.showCommand, kSwShowNormal);
  for (const fake::ShellExecuteCall& call : machine.shellExecuteCalls) {
    EXPECT_FALSE(call.nullArgument);
  }
  EXPECT_EQ(machine.shellExecuteCalls[1].parameters, "");
}

TEST(TerminateProcessById, EndsWithExitCodeZeroAndClosesTheHandle) {
  fake::SimulatedMachine machine;
  const ProcessId running = machine.AddProcess("a.exe", "a.exe");
  machine.FindProcess(running)->exitCode = 99;
  EXPECT_TRUE(TerminateProcessById(machine, running));
  EXPECT_FALSE(machine.IsAlive(running));
  EXPECT_EQ(machine.FindProcess(running)->exitCode, 0u);
  ASSERT_EQ(machine.openProcessCalls.size(), 1u);
  EXPECT_EQ(machine.openProcessCalls[0].desiredAccess, kProcessTerminate);
  EXPECT_EQ(machine.OpenHandleCount(), 0);
}

TEST(TerminateProcessById, FalseWhenTheProcessCannotBeOpenedOrEnded) {
  fake::SimulatedMachine machine;
  const ProcessId protectedProcess = machine.AddProcess("p.exe", "p.exe");
  machine.FindProcess(protectedProcess)->terminable = false;
  const ProcessId ended = machine.AddProcess("e.exe", "e.exe");
  machine.EndProcess(ended);
  for (ProcessId id : {protectedProcess, ended, ProcessId{0}, ProcessId{4242}}) {
    EXPECT_FALSE(TerminateProcessById(machine, id)) << id;
  }
  EXPECT_TRUE(machine.IsAlive(protectedProcess));
  EXPECT_EQ(machine.OpenHandleCount(), 0);
  EXPECT_EQ(machine.closeOfInvalidHandle, 0);
}

}  // namespace
}  // namespace svcman
