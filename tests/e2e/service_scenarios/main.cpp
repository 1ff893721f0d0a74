// The scenarios run one per ctest entry, chosen by --gtest_filter. A filter that matches nothing
// would pass silently, so that is a failure here.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  // Known only after the run: the filter is applied inside it.
  if (::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fprintf(stderr, "no scenario matches the filter\n");
    return 1;
  }
  return result;
}
