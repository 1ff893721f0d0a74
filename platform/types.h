// The small value types shared by every layer: handles and ids as plain integers.
#pragma once

#include <cstdint>

namespace svcman {

using Handle = std::uintptr_t;        // a kernel object handle; 0 is the null handle
using WindowHandle = std::uintptr_t;  // a window of any process; 0 is no window
using ProcessId = std::uint32_t;      // 0 is no process
using NtStatus = std::int32_t;        // 0 is success

}  // namespace svcman
