// Recognising a service's running process, and binding it to the service.
#pragma once

#include <string>

#include "platform/types.h"

namespace svcman {

struct ServiceRecord;
struct ToolContext;

// The command line a running instance of the service has: path, one space, arguments.
std::string ExpectedCommandLine(const ServiceRecord& record);

// True when the process's command line, with every double quote removed, equals the record's
// expected command line byte for byte.
bool MatchesService(ToolContext& tool, const ServiceRecord& record, ProcessId processId);

// The ids bound during one operation, as "|id|" entries.
class ClaimedIds {
 public:
  void Claim(ProcessId processId);
  bool IsClaimed(ProcessId processId) const;
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Binds the process to the service at position (from 1): its id, "启动中", its window searched
// for up to 1000 ms, and the visibility cell from that window.
void BindInstance(ToolContext& tool, int position, ProcessId processId);

// Binds the services already running when the tool opens; run once, at start-up.
void AdoptRunningInstances(ToolContext& tool);

}  // namespace svcman
