#include "catalogue/service_catalogue.h"

#include <cassert>
#include <cstdint>
#include <utility>

#include "catalogue/id_order.h"

namespace svcman {
namespace {

std::size_t Index(int position) {
  return static_cast<std::size_t>(position - 1);
}

// Moves every record to its place along the cycles of the permutation, in place: a second
// array of records would double the memory a large catalogue touches. order[place] is where
// the record for place stands now; it is marked as placed on the way.
void PlaceInOrder(std::vector<ServiceRecord>& records, std::vector<std::uint32_t>& order) {
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    ServiceRecord held = std::move(records[start]);
    std::size_t place = start;
    for (;;) {
      const std::size_t source = order[place];
      order[place] = static_cast<std::uint32_t>(place);
      if (source == start) {
        records[place] = std::move(held);
        break;
      }
      records[place] = std::move(records[source]);
      place = source;
    }
  }
}

}  // namespace

void ServiceCatalogue::Append(const ServiceRecord& record) {
  records_.push_back(record);
}

void ServiceCatalogue::Append(ServiceRecord&& record) {
  records_.push_back(std::move(record));
}

int ServiceCatalogue::Count() const {
  return static_cast<int>(records_.size());
}

ServiceRecord& ServiceCatalogue::At(int position) {
  assert(position >= 1 && position <= Count());
  return records_[Index(position)];
}

const ServiceRecord& ServiceCatalogue::At(int position) const {
  assert(position >= 1 && position <= Count());
  return records_[Index(position)];
}

void ServiceCatalogue::Swap(int position) {
  if (position < 1 || position >= Count()) return;
  std::swap(records_[Index(position)], records_[Index(position + 1)]);
}

// Sorting whole records moves four strings per step; ordering the bare ids and then moving
// each record once keeps a large catalogue cheap.
void ServiceCatalogue::SortById() {
  std::vector<std::int32_t> ids;
  ids.reserve(records_.size());
  for (const ServiceRecord& record : records_) ids.push_back(record.id);
  std::vector<std::uint32_t> order = StableOrderById(ids);
  PlaceInOrder(records_, order);
}

void ServiceCatalogue::Release() {
  std::vector<ServiceRecord>().swap(records_);
}

void ServiceCatalogue::Reserve(std::size_t n) {
  records_.reserve(records_.size() + n);
}

void ReleaseServiceCatalogue(ServiceCatalogue& catalogue) {
  catalogue.Release();
}

}  // namespace svcman
