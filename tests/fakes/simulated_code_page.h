// Code page 936 <-> UTF-16 for the simulated machine, through the C library's iconv, so the
// fake converts the way Windows does without any Windows code.
#pragma once

#include <string>
#include <string_view>

namespace svcman::fake {

// Code page 936 bytes to UTF-16 code units; a byte sequence iconv rejects becomes U+FFFD.
std::u16string Cp936ToUtf16(std::string_view text);

// UTF-16 code units to code page 936; a character the code page lacks (or a lone surrogate)
// becomes '?', the system's default character. Zero units convert to zero bytes.
std::string Utf16ToCp936(std::u16string_view units);

}  // namespace svcman::fake
