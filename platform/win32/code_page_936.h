// Code page 936 texts to and from the wide strings of the W API, converted explicitly so that
// Chinese paths and names work whatever the system's own ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace svcman {

std::wstring WideFromCodePage936(std::string_view text);
std::string CodePage936FromWide(std::wstring_view text);

}  // namespace svcman
