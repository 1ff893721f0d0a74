// A small world for the service-control and handler tests: a catalogue and its list rows filled
// as the configuration would fill them, the in-memory window, and a simulated machine that also
// notes when the tool looks at processes and what the window showed while a command ran.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/service_catalogue.h"
#include "catalogue/text.h"
#include "catalogue/texts.h"
#include "control/tool_context.h"
#include "tests/fakes/memory_window.h"
#include "tests/fakes/simulated_machine.h"
#include "ui/main_window.h"

namespace svcman::testing {

inline std::string Text(std::string_view text) {
  return std::string(text);
}

// The simulated machine plus a few notes of when things happened, in virtual milliseconds.
class ObservedMachine : public fake::SimulatedMachine {
 public:
  std::vector<std::uint64_t> lookTimes;     // every process enumeration
  std::vector<ProcessId> openedForReading;  // ids whose command line the tool opened
  std::uint64_t lastVisibilityQuery = 0;    // IsWindowVisible, the last step of a bind
  // Extra virtual time an enumeration costs, by its number (from 0), to place a look exactly.
  std::function<std::uint64_t(std::size_t)> lookCost;
  // Runs at each seam call that carries out a command (launch, termination, show request), so a
  // test can see what the window showed while the command ran.
  std::function<void()> onCommand;

  Handle CreateToolhelp32Snapshot(std::uint32_t flags, ProcessId processId) override {
    const std::size_t index = lookTimes.size();
    if (lookCost) Advance(lookCost(index));
    lookTimes.push_back(Now());
    return SimulatedMachine::CreateToolhelp32Snapshot(flags, processId);
  }
  Handle OpenProcess(std::uint32_t access, bool inherit, ProcessId processId) override {
    if (access == kProcessQueryAndRead) openedForReading.push_back(processId);
    return SimulatedMachine::OpenProcess(access, inherit, processId);
  }
  int IsWindowVisible(WindowHandle window) override {
    lastVisibilityQuery = Now();
    return SimulatedMachine::IsWindowVisible(window);
  }
  bool TerminateProcess(Handle process, std::uint32_t exitCode) override {
    if (onCommand) onCommand();
    return SimulatedMachine::TerminateProcess(process, exitCode);
  }
  int ShowWindowAsync(WindowHandle window, int showCommand) override {
    if (onCommand) onCommand();
    return SimulatedMachine::ShowWindowAsync(window, showCommand);
  }
  std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                              const char* parameters, const char* directory,
                              int showCommand) override {
    if (onCommand) onCommand();
    return SimulatedMachine::ShellExecuteA(window, operation, file, parameters, directory,
                                           showCommand);
  }
};

class ControlTest : public ::testing::Test {
 protected:
  ObservedMachine machine;
  fake::MemoryWindow window;
  ServiceCatalogue catalogue;
  ToolContext tool{catalogue, window, machine};

  // Appends a service and its row ("未启动", "假"); returns its position.
  int AddService(const std::string& path, const std::string& arguments = {}) {
    ServiceRecord record;
    record.id = catalogue.Count() + 1;
    record.name = "svc" + std::to_string(record.id);
    record.path = path;
    record.arguments = arguments;
    const std::size_t slash = FindLastCharacter(path, '\\');
    record.imageName = slash == std::string::npos ? path : path.substr(slash + 1);
    catalogue.Append(record);
    const int row = window.AppendRow();
    window.SetCellText(row, kColumnId, std::to_string(record.id));
    window.SetCellText(row, kColumnName, record.name);
    window.SetCellText(row, kColumnPath, record.path);
    window.SetCellText(row, kColumnArguments, record.arguments);
    window.SetCellText(row, kColumnStatus, Text(texts::kStatusNotStarted));
    window.SetCellText(row, kColumnShown, Text(texts::kFalse));
    return catalogue.Count();
  }

  ServiceRecord& Record(int position) { return catalogue.At(position); }
  std::string Status(int position) const { return window.GetCellText(position - 1, kColumnStatus); }
  std::string Shown(int position) const { return window.GetCellText(position - 1, kColumnShown); }

  // The command line the shell gives a program it starts: the path quoted, then the arguments.
  static std::string ShellCommandLine(const ServiceRecord& record) {
    return "\"" + record.path + "\" " + record.arguments;
  }

  // A running instance of the service, as if started before the tool looked; with a visible
  // ordinary window unless told otherwise.
  ProcessId RunInstance(int position, bool withWindow = true) {
    const ServiceRecord& record = Record(position);
    const ProcessId id = machine.AddProcess(record.imageName, ShellCommandLine(record));
    if (withWindow) machine.AddWindow(id, "ServerWindow");
    return id;
  }

  // Binds the service directly to a running instance with a visible window, as a start would.
  ProcessId BindRunning(int position) {
    const ProcessId id = RunInstance(position, false);
    const WindowHandle handle = machine.AddWindow(id, "ServerWindow");
    Record(position).processId = id;
    Record(position).windowHandle = handle;
    window.SetCellText(position - 1, kColumnStatus, Text(texts::kStatusRunning));
    window.SetCellText(position - 1, kColumnShown, Text(texts::kTrue));
    return id;
  }

  // Every launch makes the program's process appear delayMs later (with a visible window);
  // the ids that turned up are collected in started.
  void ProgramsStartAfter(std::uint64_t delayMs) {
    machine.onShellExecute = [this, delayMs](const fake::ShellExecuteCall& call) {
      launchTimes.push_back(machine.Now());
      const std::string file = call.file;
      const std::string commandLine = "\"" + call.file + "\" " + call.parameters;
      machine.ScheduleWorldEvent(machine.Now() + delayMs, [this, file, commandLine] {
        const std::size_t slash = FindLastCharacter(file, '\\');
        const std::string image = slash == std::string::npos ? file : file.substr(slash + 1);
        const ProcessId id = machine.AddProcess(image, commandLine);
        machine.AddWindow(id, "ServerWindow");
        started.push_back(id);
      });
    };
  }

  std::vector<std::uint64_t> launchTimes;
  std::vector<ProcessId> started;
};

}  // namespace svcman::testing
