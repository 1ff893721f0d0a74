// What every test service program leaves behind for the end-to-end scenarios: a small record of
// who it is (process id, full command line, working directory, its window) that a scenario can
// read back to tell which real process the tool started or adopted.
#pragma once

#include <windows.h>

#include <string>

namespace svcman::e2e {

// The record's name: the first argument of the command line (only letters, digits, '-', '_' and
// '.' kept; anything else becomes '_'), or the executable's own name without ".exe" when there is
// no argument. Two services with different first arguments therefore never share a record.
std::wstring RecordName();

// The folder that holds the executable, with a trailing backslash. Records are written there, so
// a scenario that copies the programs into a folder of its own reads its records from that folder.
std::wstring ExecutableFolder();

// Writes <executable folder><record name>.rec as UTF-8 "key=value" lines: pid, command_line,
// working_directory and window (a decimal handle, 0 for none). The text goes to a temporary file
// first and is renamed over the record, so a reader never sees half a record. Returns false when
// the record could not be written.
bool WriteServiceRecord(HWND window);

// True when one of the command line's arguments is exactly the given word.
bool HasArgument(const wchar_t* word);

}  // namespace svcman::e2e
