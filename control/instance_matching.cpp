#include "control/instance_matching.h"

#include <vector>

#include "catalogue/service_catalogue.h"
#include "catalogue/text.h"
#include "catalogue/texts.h"
#include "control/tool_context.h"
#include "platform/command_line.h"
#include "platform/process_lookup.h"
#include "platform/system.h"
#include "platform/window_lookup.h"
#include "ui/main_window.h"

namespace svcman {
namespace {

// How long a newly bound process is given to show a visible window.
constexpr std::int32_t kWindowSearchMs = 1000;

std::string Entry(ProcessId processId) {
  // Appended piece by piece: "|" + text + "|" trips a false -Wrestrict in GCC 12 at -O2.
  std::string entry(1, '|');
  entry += IntegerToText(processId);
  entry += '|';
  return entry;
}

// Tries the candidates of one service in enumeration order; binds the first unclaimed match.
void AdoptOne(ToolContext& tool, int position, ClaimedIds& claimed) {
  std::vector<ProcessId> candidates;
  if (FindProcessesByImageName(tool.system, tool.catalogue.At(position).imageName, candidates) <=
      0) {
    return;
  }
  for (ProcessId candidate : candidates) {
    // A claimed id belongs to an earlier service: its command line is not worth reading.
    if (claimed.IsClaimed(candidate)) continue;
    if (!MatchesService(tool, tool.catalogue.At(position), candidate)) continue;
    BindInstance(tool, position, candidate);
    claimed.Claim(candidate);
    return;
  }
}

}  // namespace

std::string ExpectedCommandLine(const ServiceRecord& record) {
  return record.path + " " + record.arguments;
}

bool MatchesService(ToolContext& tool, const ServiceRecord& record, ProcessId processId) {
  // Quotes are dropped from what the process reports only: the shell may have quoted the path,
  // while the configuration is taken as written.
  const std::string commandLine =
      ReplaceText(ReadProcessCommandLine(tool.system, processId), "\"", "");
  return commandLine == ExpectedCommandLine(record);
}

void ClaimedIds::Claim(ProcessId processId) {
  text_ += Entry(processId);
}

bool ClaimedIds::IsClaimed(ProcessId processId) const {
  return text_.find(Entry(processId)) != std::string::npos;
}

void BindInstance(ToolContext& tool, int position, ProcessId processId) {
  const int row = position - 1;
  tool.catalogue.At(position).processId = processId;
  tool.window.SetCellText(row, kColumnStatus, std::string(texts::kStatusRunning));
  const WindowHandle window = FindProcessWindow(tool.system, processId, kWindowSearchMs);
  // The search dispatches messages; the record is looked up again afterwards rather than held.
  tool.catalogue.At(position).windowHandle = window;
  const bool visible = window != 0 && tool.system.IsWindowVisible(window) != 0;
  tool.window.SetCellText(row, kColumnShown, std::string(visible ? texts::kTrue : texts::kFalse));
}

void AdoptRunningInstances(ToolContext& tool) {
  ClaimedIds claimed;
  const int count = tool.catalogue.Count();
  for (int position = 1; position <= count; ++position) {
    tool.window.SetCellText(position - 1, kColumnStatus, std::string(texts::kStatusNotStarted));
    AdoptOne(tool, position, claimed);
  }
  if (tool.window.FindRow(kColumnStatus, std::string(texts::kStatusRunning)) != -1) {
    tool.window.SetButtonCaption(Button::StartAll, std::string(texts::kCloseAll));
  }
}

}  // namespace svcman
