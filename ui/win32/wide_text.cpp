#include "ui/win32/wide_text.h"

#include <windows.h>

namespace svcman::win32 {

namespace {
constexpr UINT kCodePage936 = 936;
}

std::wstring WideFromCp936(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(kCodePage936, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(kCodePage936, 0, text.data(), length, wide.data(), size);
  return wide;
}

}  // namespace svcman::win32
