#include "catalogue/service_catalogue.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace svcman {
namespace {

std::size_t Index(int position) {
  return static_cast<std::size_t>(position - 1);
}

struct SortKey {
  std::int32_t id;
  std::size_t source;  // where the record for this place stands now
};

// Moves every record to its place along the cycles of the permutation, in place: a second
// array of records would double the memory a large catalogue touches.
void PlaceInOrder(std::vector<ServiceRecord>& records, std::vector<SortKey>& keys) {
  for (std::size_t start = 0; start < keys.size(); ++start) {
    if (keys[start].source == start) continue;
    ServiceRecord held = std::move(records[start]);
    std::size_t place = start;
    for (;;) {
      const std::size_t source = keys[place].source;
      keys[place].source = place;  // placed
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

// Sorting whole records moves four strings per step; sorting small (id, position) keys and
// then moving each record once keeps a large catalogue cheap. A stable sort of the keys keeps
// equal ids in file order, which is exactly what the pass-by-pass exchange sort leaves.
void ServiceCatalogue::SortById() {
  const auto byId = [](const ServiceRecord& a, const ServiceRecord& b) { return a.id < b.id; };
  if (std::is_sorted(records_.begin(), records_.end(), byId)) return;
  std::vector<SortKey> keys;
  keys.reserve(records_.size());
  for (std::size_t i = 0; i < records_.size(); ++i) keys.push_back({records_[i].id, i});
  std::stable_sort(keys.begin(), keys.end(),
                   [](const SortKey& a, const SortKey& b) { return a.id < b.id; });
  PlaceInOrder(records_, keys);
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
