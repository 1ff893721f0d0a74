// Finding a process's window and the windows of a class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace svcman {

class System;

inline constexpr std::int32_t kNoTimeLimit = -1;  // stands for 31536000 ms

// The first acceptable visible top-level window of the process (a console window only when it
// was the topmost window at the start), or 0 when the limit runs out. Dispatches pending
// messages between the windows it examines.
WindowHandle FindProcessWindow(System& system, ProcessId processId,
                               std::int32_t limitMs = kNoTimeLimit);

// Empties windows, then fills it with every window of the class, topmost first, hidden ones
// included. Returns the number found.
int FindTopLevelWindowsByClass(System& system, const std::string& className,
                               std::vector<WindowHandle>& windows, WindowHandle parent = 0);

ProcessId GetWindowProcessId(System& system, WindowHandle window);    // 0 when it is gone
std::string GetWindowClassName(System& system, WindowHandle window);  // at most 49 bytes

}  // namespace svcman
