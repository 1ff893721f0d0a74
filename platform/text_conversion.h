// UTF-16 from other processes and from the system, converted to the tool's code page 936 texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace svcman {

class System;

// The code units up to the first zero unit, in code page 936 (WideCharToMultiByte with the
// given flags; characters the code page lacks become its default character). Empty on failure.
std::string Utf16ToCodePage936(System& system, std::u16string_view units, std::uint32_t flags);

}  // namespace svcman
