// Finding running processes by executable file name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace svcman {

class System;

// ASCII letters lowered; a byte of 0x80 or above and the byte after it stay as they are.
std::string LowerCaseImageName(std::string_view name);

// Appends the id of every process whose executable name equals imageName (ASCII letters
// compared without case), in snapshot order. Returns the number of ids in the list afterwards,
// or -1 when no snapshot could be taken (the list is then untouched).
int FindProcessesByImageName(System& system, const std::string& imageName,
                             std::vector<ProcessId>& ids);

}  // namespace svcman
