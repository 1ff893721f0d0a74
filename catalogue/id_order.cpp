#include "catalogue/id_order.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <numeric>

namespace svcman {
namespace {

// Each key holds the id, shifted so that unsigned order is signed order, above the index. A
// least-significant-digit radix sort is stable, and the keys start in index order, so sorting
// by the id's four bytes alone leaves equal ids in index order. A byte that every id shares
// costs one counting pass and no moves, so small id ranges sort in fewer passes.
constexpr int kIdShift = 32;
constexpr int kDigitBits = 8;
constexpr std::size_t kDigitValues = std::size_t{1} << kDigitBits;

std::size_t DigitOf(std::uint64_t key, int shift) {
  return static_cast<std::size_t>((key >> shift) & (kDigitValues - 1));
}

// Moves keys into scratch ordered by the digit at shift; false (nothing moved) when every key
// has the same digit there.
bool SortByDigit(const std::vector<std::uint64_t>& keys, std::vector<std::uint64_t>& scratch,
                 int shift) {
  std::array<std::size_t, kDigitValues> start{};
  for (const std::uint64_t key : keys) ++start[DigitOf(key, shift)];
  if (start[DigitOf(keys.front(), shift)] == keys.size()) return false;
  std::size_t total = 0;
  for (std::size_t& place : start) {
    const std::size_t count = place;
    place = total;
    total += count;
  }
  for (const std::uint64_t key : keys) scratch[start[DigitOf(key, shift)]++] = key;
  return true;
}

}  // namespace

std::vector<std::uint32_t> StableOrderById(const std::vector<std::int32_t>& ids) {
  if (std::is_sorted(ids.begin(), ids.end())) {
    std::vector<std::uint32_t> order(ids.size());
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    return order;
  }
  std::vector<std::uint64_t> keys(ids.size());
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const std::uint32_t biased = static_cast<std::uint32_t>(ids[i]) ^ 0x80000000u;
    keys[i] = (std::uint64_t{biased} << kIdShift) | static_cast<std::uint32_t>(i);
  }
  std::vector<std::uint64_t> scratch(keys.size());
  for (int shift = kIdShift; shift < 64; shift += kDigitBits) {
    if (SortByDigit(keys, scratch, shift)) keys.swap(scratch);
  }
  std::vector<std::uint32_t> order(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = static_cast<std::uint32_t>(keys[i]);
  return order;
}

}  // namespace svcman
