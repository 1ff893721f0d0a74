// The body of the test services that own a top-level window: register the given class, create
// one visible window (or a hidden one when an argument reads "hidden"), record it, pump messages
// until the process is ended from outside.
#pragma once

#include <windows.h>

namespace svcman::e2e {

int RunWindowService(HINSTANCE instance, const wchar_t* className);

}  // namespace svcman::e2e
