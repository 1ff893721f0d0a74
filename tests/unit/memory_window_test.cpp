// The in-memory window keeps cell texts in its own blocks of characters; every other test reads
// the list through it, so a cell that lost or shared bytes would mislead them all.
#include "tests/fakes/memory_window.h"

#include <gtest/gtest.h>

#include <string>

namespace svcman {
namespace {

TEST(MemoryWindow, RewrittenCellsKeepTheirOwnTexts) {
  fake::MemoryWindow window;
  ASSERT_EQ(window.AppendRow(), 0);
  ASSERT_EQ(window.AppendRow(), 1);
  window.SetCellText(0, kColumnStatus, "running");
  window.SetCellText(1, kColumnStatus, "stopped");
  // Shorter, empty, then longer than the first text: the neighbour's bytes stay untouched.
  const std::string rewrites[] = {"up", "", "a text longer than any before it", "mid"};
  for (const std::string& text : rewrites) {
    window.SetCellText(0, kColumnStatus, text);
    EXPECT_EQ(window.GetCellText(0, kColumnStatus), text);
    EXPECT_EQ(window.GetCellText(1, kColumnStatus), "stopped");
    EXPECT_EQ(window.FindRow(kColumnStatus, text), 0);
  }
  EXPECT_EQ(window.cellWrites, 6);
}

TEST(MemoryWindow, TextsAndRowsBeyondOneBlock) {
  fake::MemoryWindow window;
  const std::string large(3u << 20, 'L');  // larger than a block of characters
  const int rows = 10000;                  // more rows than a block holds
  for (int row = 0; row < rows; ++row) {
    ASSERT_EQ(window.AppendRow(), row);
    window.SetCellText(row, kColumnName, "service " + std::to_string(row));
    if (row % 4000 == 1) window.SetCellText(row, kColumnArguments, large);
  }
  ASSERT_EQ(window.RowCount(), rows);
  for (int row = 0; row < rows; ++row) {
    ASSERT_EQ(window.GetCellText(row, kColumnName), "service " + std::to_string(row));
    ASSERT_EQ(window.GetCellText(row, kColumnArguments), row % 4000 == 1 ? large : "");
  }
  EXPECT_EQ(window.FindRow(kColumnName, "service 9999"), 9999);
  EXPECT_EQ(window.log.size(), static_cast<std::size_t>(rows));
}

TEST(MemoryWindow, CellsOutsideTheListAreNotStored) {
  fake::MemoryWindow window;
  window.SetCellText(0, kColumnName, "no row yet");
  window.AppendRow();
  window.SetCellText(0, kColumnCount, "no such column");
  window.SetCellText(0, -1, "no such column");
  EXPECT_EQ(window.cellWrites, 0);
  EXPECT_EQ(window.GetCellText(0, kColumnCount), "");
  EXPECT_EQ(window.GetCellText(1, kColumnName), "");
  // A never written cell reads as empty text, like an empty list item.
  EXPECT_EQ(window.FindRow(kColumnName, ""), 0);
  EXPECT_EQ(window.FindRow(kColumnName, "no row yet"), -1);
}

}  // namespace
}  // namespace svcman
