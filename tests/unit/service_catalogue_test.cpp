#include "catalogue/service_catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace svcman {
namespace {

ServiceRecord Record(std::int32_t id, const std::string& name) {
  ServiceRecord record;
  record.id = id;
  record.name = name;
  record.path = "D:\\srv\\" + name + ".exe";
  record.arguments = "-n " + name;
  record.imageName = name + ".exe";
  return record;
}

TEST(ServiceCatalogue, StartsEmptyAndCountsFromOne) {
  ServiceCatalogue catalogue;
  EXPECT_EQ(catalogue.Count(), 0);
  catalogue.Append(Record(5, "first"));
  catalogue.Append(Record(3, "second"));
  ASSERT_EQ(catalogue.Count(), 2);
  EXPECT_EQ(catalogue.At(1).name, "first");
  EXPECT_EQ(catalogue.At(2).name, "second");
}

TEST(ServiceCatalogue, AppendedRecordIsIndependentOfItsSource) {
  ServiceCatalogue catalogue;
  auto source = std::make_unique<ServiceRecord>(Record(1, "gate-server-with-a-long-name"));
  catalogue.Append(*source);
  source->name[0] = 'X';
  source->path.clear();
  source->arguments += " more";
  source->processId = 42;
  source.reset();  // released: the catalogue must not point into it

  const ServiceRecord& stored = catalogue.At(1);
  EXPECT_EQ(stored.name, "gate-server-with-a-long-name");
  EXPECT_EQ(stored.path, "D:\\srv\\gate-server-with-a-long-name.exe");
  EXPECT_EQ(stored.arguments, "-n gate-server-with-a-long-name");
  EXPECT_EQ(stored.processId, 0u);
}

TEST(ServiceCatalogue, ChangesThroughAtStayInTheCatalogue) {
  ServiceCatalogue catalogue;
  catalogue.Append(Record(1, "a"));
  catalogue.At(1).processId = 77;
  catalogue.At(1).windowHandle = 0x1234;
  const ServiceCatalogue& view = catalogue;
  EXPECT_EQ(view.At(1).processId, 77u);
  EXPECT_EQ(view.At(1).windowHandle, 0x1234u);
}

TEST(ServiceCatalogue, SwapExchangesAllSevenFields) {
  ServiceCatalogue catalogue;
  ServiceRecord a = Record(9, "a");
  a.processId = 100;
  a.windowHandle = 0xA;
  ServiceRecord b = Record(-2, "b");
  b.processId = 200;
  b.windowHandle = 0xB;
  catalogue.Append(a);
  catalogue.Append(b);
  catalogue.Append(Record(0, "c"));

  catalogue.Swap(1);

  const auto same = [](const ServiceRecord& x, const ServiceRecord& y) {
    return x.id == y.id && x.name == y.name && x.path == y.path && x.arguments == y.arguments &&
           x.imageName == y.imageName && x.processId == y.processId &&
           x.windowHandle == y.windowHandle;
  };
  EXPECT_TRUE(same(catalogue.At(1), b));
  EXPECT_TRUE(same(catalogue.At(2), a));
  EXPECT_EQ(catalogue.At(3).name, "c");
}

TEST(ServiceCatalogue, SwapOutsideThePositionsChangesNothing) {
  ServiceCatalogue catalogue;
  catalogue.Append(Record(1, "a"));
  catalogue.Append(Record(2, "b"));
  for (int position : {0, -1, 2, 3}) catalogue.Swap(position);
  EXPECT_EQ(catalogue.At(1).name, "a");
  EXPECT_EQ(catalogue.At(2).name, "b");
}

TEST(ServiceCatalogue, ReleaseLeavesItEmpty) {
  ServiceCatalogue catalogue;
  ServiceRecord bound = Record(1, "a");
  bound.processId = 1234;
  catalogue.Append(bound);
  catalogue.Append(Record(2, "b"));
  ReleaseServiceCatalogue(catalogue);
  EXPECT_EQ(catalogue.Count(), 0);
}

// The sort as it is defined: every pass in full, swapping neighbours whose ids are in the wrong
// order. Kept here only to hold the fast sort against.
void ExchangeSort(ServiceCatalogue& catalogue) {
  const int n = catalogue.Count();
  for (int pass = 1; pass <= n; ++pass) {
    for (int k = 1; k <= n - pass; ++k) {
      if (catalogue.At(k).id > catalogue.At(k + 1).id) catalogue.Swap(k);
    }
  }
}

TEST(ServiceCatalogue, SortByIdEqualsTheExchangeSortOnRandomInputs) {
  std::mt19937 random(7);
  const std::int32_t extremes[] = {INT32_MIN, -1, 0, INT32_MAX};
  for (int round = 0; round < 300; ++round) {
    const int n = std::uniform_int_distribution<int>(0, 60)(random);
    // Few distinct ids, so most of them repeat and the order among equals is tested.
    std::uniform_int_distribution<int> pickId(0, 1 + n / 6);
    ServiceCatalogue fast;
    ServiceCatalogue reference;
    for (int i = 0; i < n; ++i) {
      const int pick = pickId(random);
      const std::int32_t id = pick < 4 ? extremes[pick] : pick - 8;
      ServiceRecord record = Record(id, "s" + std::to_string(i));
      record.processId = static_cast<ProcessId>(i * 3);
      record.windowHandle = static_cast<WindowHandle>(i * 5);
      fast.Append(record);
      reference.Append(record);
    }
    fast.SortById();
    ExchangeSort(reference);
    ASSERT_EQ(fast.Count(), reference.Count());
    for (int p = 1; p <= n; ++p) {
      ASSERT_EQ(fast.At(p).id, reference.At(p).id) << "round " << round << " position " << p;
      ASSERT_EQ(fast.At(p).name, reference.At(p).name) << "round " << round << " position " << p;
      ASSERT_EQ(fast.At(p).path, reference.At(p).path);
      ASSERT_EQ(fast.At(p).arguments, reference.At(p).arguments);
      ASSERT_EQ(fast.At(p).imageName, reference.At(p).imageName);
      ASSERT_EQ(fast.At(p).processId, reference.At(p).processId);
      ASSERT_EQ(fast.At(p).windowHandle, reference.At(p).windowHandle);
    }
  }
}

TEST(ServiceCatalogue, SortByIdKeepsFileOrderOfEqualIdsAndSortsNegativesFirst) {
  ServiceCatalogue catalogue;
  catalogue.Append(Record(2, "login"));
  catalogue.Append(Record(1, "gate"));
  catalogue.Append(Record(0, "zero"));
  catalogue.Append(Record(1, "gate backup"));
  catalogue.Append(Record(-3, "minus"));
  catalogue.SortById();
  const std::vector<std::string> expected = {"minus", "zero", "gate", "gate backup", "login"};
  ASSERT_EQ(catalogue.Count(), 5);
  for (int p = 1; p <= 5; ++p) {
    EXPECT_EQ(catalogue.At(p).name, expected[static_cast<std::size_t>(p - 1)]);
  }
}

}  // namespace
}  // namespace svcman
