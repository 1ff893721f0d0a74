// Starting a program through the shell and ending a process.
#pragma once

#include <string>

#include "platform/types.h"

namespace svcman {

class System;

// Asks the shell to open the program with the arguments in the directory, normally shown.
// Empty texts are handed over as empty strings, never as null.
void LaunchProgram(System& system, const std::string& path, const std::string& arguments,
                   const std::string& directory);

// Ends the process with exit code 0; true when the system accepted the request.
bool TerminateProcessById(System& system, ProcessId processId);

}  // namespace svcman
