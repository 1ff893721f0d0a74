#include "platform/win32/code_page_936.h"

#include <windows.h>

#include <climits>

namespace svcman {

constexpr UINT kCodePage936 = 936;

std::wstring WideFromCodePage936(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(text.size());
  const int needed = ::MultiByteToWideChar(kCodePage936, 0, text.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  const int written =
      ::MultiByteToWideChar(kCodePage936, 0, text.data(), size, wide.data(), needed);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

std::string CodePage936FromWide(std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(text.size());
  const int needed =
      ::WideCharToMultiByte(kCodePage936, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  const int written = ::WideCharToMultiByte(kCodePage936, 0, text.data(), size, bytes.data(),
                                            needed, nullptr, nullptr);
  bytes.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return bytes;
}

}  // namespace svcman
