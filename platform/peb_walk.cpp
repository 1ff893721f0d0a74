#include "platform/peb_walk.h"

namespace svcman {

std::uint64_t LittleEndianField(const std::string& bytes, std::size_t offset, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
  }
  return value;
}

std::optional<std::string> ReadCommandLineBytes(const PebLayout& layout, std::uint64_t pebAddress,
                                                const MemoryReader& read) {
  std::string peb(layout.pebBytes, '\0');
  if (!read(pebAddress, peb.data(), layout.pebBytes)) return std::nullopt;
  const std::uint64_t parameters =
      LittleEndianField(peb, layout.parametersOffset, layout.pointerSize);

  std::string strings(layout.stringsBytes, '\0');
  if (!read(parameters + layout.stringsOffset, strings.data(), layout.stringsBytes)) {
    return std::nullopt;
  }
  // UNICODE_STRING: Length (unsigned, so up to 65535 bytes), MaximumLength, Buffer at the
  // pointer-aligned offset.
  const auto length =
      static_cast<std::uint32_t>(LittleEndianField(strings, layout.commandLineOffset, 2));
  const std::uint64_t buffer =
      LittleEndianField(strings, layout.commandLineOffset + layout.pointerSize, layout.pointerSize);
  // A null or kernel-half address is no command line of a user process.
  if (static_cast<std::int64_t>(buffer) <= 0) return std::nullopt;

  std::string bytes(length, '\0');
  // A failed read may have copied part of the string before it stopped; a piece of a command
  // line must never pass for the whole, so failure leaves nothing but zeros.
  if (length > 0 && !read(buffer, bytes.data(), length)) bytes.assign(length, '\0');
  return bytes;
}

}  // namespace svcman
