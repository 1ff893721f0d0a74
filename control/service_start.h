// Starting services and watching for their new processes.
#pragma once

#include <string>
#include <string_view>

namespace svcman {

struct ToolContext;

// The path up to and including its last real backslash; empty when it has none.
std::string WorkingDirectoryOf(std::string_view path);

// Launches the service at position (from 1) and binds the first unclaimed matching process that
// turns up within the watch. Leaves record and row untouched when none does.
void StartService(ToolContext& tool, int position);

// StartService for every service without a bound process, one after the other.
void StartAllServices(ToolContext& tool);

}  // namespace svcman
