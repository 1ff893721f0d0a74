// The walk from a process's PEB to its command line, over a "read memory at an address"
// primitive, so the one walk serves the 64-bit layout (read natively by a 64-bit tool, or through
// the WoW64 services by a 32-bit tool on 64-bit Windows) and the 32-bit layout of 32-bit Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace svcman {

struct PebLayout {
  std::uint32_t pointerSize;        // 8 or 4
  std::uint32_t pebBytes;           // PEB bytes read: up to and including ProcessParameters
  std::uint32_t parametersOffset;   // PEB.ProcessParameters
  std::uint32_t stringsOffset;      // RTL_USER_PROCESS_PARAMETERS.ImagePathName
  std::uint32_t stringsBytes;       // ImagePathName and CommandLine, read together
  std::uint32_t commandLineOffset;  // CommandLine, within the strings read
};

inline constexpr PebLayout kPebLayout64{8, 40, 0x20, 0x60, 32, 16};
inline constexpr PebLayout kPebLayout32{4, 20, 0x10, 0x38, 16, 8};

// Reads size bytes at address into buffer; true on success.
using MemoryReader = std::function<bool(std::uint64_t address, void* buffer, std::uint32_t size)>;

// The command line's UTF-16LE bytes (Length bytes; zero bytes where the last read failed), or
// nothing when the PEB, the parameters or a usable Buffer address cannot be had.
std::optional<std::string> ReadCommandLineBytes(const PebLayout& layout, std::uint64_t pebAddress,
                                                const MemoryReader& read);

// A little-endian unsigned field of width bytes (at most 8) at offset.
std::uint64_t LittleEndianField(const std::string& bytes, std::size_t offset, std::size_t width);

}  // namespace svcman
