#include "catalogue/service_catalogue.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace svcman {
namespace {

std::size_t Index(int position) {
  return static_cast<std::size_t>(position - 1);
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
  struct Key {
    std::int32_t id;
    std::size_t index;
  };
  std::vector<Key> keys;
  keys.reserve(records_.size());
  for (std::size_t i = 0; i < records_.size(); ++i) keys.push_back({records_[i].id, i});
  std::stable_sort(keys.begin(), keys.end(),
                   [](const Key& a, const Key& b) { return a.id < b.id; });
  std::vector<ServiceRecord> sorted;
  sorted.reserve(records_.size());
  for (const Key& key : keys) sorted.push_back(std::move(records_[key.index]));
  records_.swap(sorted);
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
