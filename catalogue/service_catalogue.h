// The configured services, in the order the list shows them. Filled once by LoadConfiguration;
// from then on only processId and windowHandle change, so a position stays valid for the run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace svcman {

struct ServiceRecord {
  std::int32_t id = 0;
  std::string name;
  std::string path;
  std::string arguments;  // empty when the configuration says "null"
  std::string imageName;  // the last backslash-separated component of path
  ProcessId processId = 0;
  WindowHandle windowHandle = 0;
};

class ServiceCatalogue {
 public:
  ServiceCatalogue() = default;
  ServiceCatalogue(const ServiceCatalogue&) = delete;
  ServiceCatalogue& operator=(const ServiceCatalogue&) = delete;

  // Stores a copy: the catalogue owns its texts, independent of the record handed in.
  void Append(const ServiceRecord& record);
  // Takes over a record nobody else holds (a freshly parsed one) without copying its texts.
  void Append(ServiceRecord&& record);
  int Count() const;
  // position counts from 1; valid positions are 1 to Count().
  ServiceRecord& At(int position);
  const ServiceRecord& At(int position) const;
  // Exchanges the records at position and position + 1, every field included.
  void Swap(int position);

  // Sorts ascending by id, keeping the file order of equal ids: the same result as the
  // pass-by-pass exchange sort, in O(n log n).
  void SortById();

  // Releases every record and the storage itself (run once, at exit).
  void Release();

  // Room for n more records, so a large file is appended without repeated regrowth.
  void Reserve(std::size_t n);

 private:
  std::vector<ServiceRecord> records_;
};

// Registered at start-up and run once at exit. Running services are not touched.
void ReleaseServiceCatalogue(ServiceCatalogue& catalogue);

}  // namespace svcman
