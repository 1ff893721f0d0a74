#include "platform/text_conversion.h"

#include <climits>

#include "platform/system.h"

namespace svcman {

std::string Utf16ToCodePage936(System& system, std::u16string_view units, std::uint32_t flags) {
  if (units.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int count = static_cast<int>(units.size());
  if (count == 0) return {};
  // Sizing call first, then the conversion into a buffer of exactly that size; the input has
  // no terminator and needs none, since the count is given.
  const int needed =
      system.WideCharToMultiByte(kCodePage936, flags, units.data(), count, nullptr, 0);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  const int written =
      system.WideCharToMultiByte(kCodePage936, flags, units.data(), count, text.data(), needed);
  if (written <= 0) return {};
  text.resize(static_cast<std::size_t>(written));
  // A zero unit inside ends the text there.
  const std::size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

}  // namespace svcman
