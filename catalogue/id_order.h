// The order the list shows services in: ascending by signed id, equal ids in file order.
#pragma once

#include <cstdint>
#include <vector>

namespace svcman {

// The indexes of ids arranged ascending by id, equal ids keeping their relative order: the
// order the pass-by-pass exchange sort leaves, found in linear time. At most 2^32 - 1 ids (the
// catalogue counts in int).
std::vector<std::uint32_t> StableOrderById(const std::vector<std::int32_t>& ids);

}  // namespace svcman
