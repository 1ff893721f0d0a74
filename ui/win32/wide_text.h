// The tool's texts are code page 936 bytes; the controls are given UTF-16, converted from code
// page 936 explicitly so the window reads the same on a Windows of any language.
#pragma once

#include <string>
#include <string_view>

namespace svcman::win32 {

std::wstring WideFromCp936(std::string_view text);

}  // namespace svcman::win32
