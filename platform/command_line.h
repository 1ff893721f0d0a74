// Reading another process's command line from its process environment block.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace svcman {

class System;

// The command line the process was started with, in code page 936; empty for every failure.
std::string ReadProcessCommandLine(System& system, ProcessId processId);

// UTF-16LE code units (an odd last byte ignored) to code page 936, up to the first zero unit.
std::string Utf16BytesToText(System& system, std::string_view bytes);

}  // namespace svcman
