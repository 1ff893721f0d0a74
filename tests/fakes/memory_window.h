// The window in memory: the window seam's state, plus what tests need to drive and inspect it.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/main_window.h"

namespace svcman::fake {

struct MessageBoxShown {
  std::string text;
  std::string title;
  bool windowVisible = false;  // the window's state while the box was up
  bool windowEnabled = false;
};

class MemoryWindow : public MainWindow {
 public:
  MemoryWindow();

  int AppendRow() override;
  void SetCellText(int row, int column, const std::string& text) override;
  std::string GetCellText(int row, int column) const override;
  int FindRow(int column, const std::string& text) const override;
  int SelectedRow() const override;
  std::string GetButtonCaption(Button button) const override;
  void SetButtonCaption(Button button, const std::string& caption) override;
  void SetButtonEnabled(Button button, bool enabled) override;
  bool IsCheckBoxChecked() const override;
  void SetCaption(const std::string& caption) override;
  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;
  void ShowMessageBox(const std::string& text, const std::string& title) override;

  // ---- for tests --------------------------------------------------------------------------
  int RowCount() const { return rowCount_; }
  void SelectRow(int row) { selectedRow_ = row; }  // -1 clears the selection
  void SetCheckBoxChecked(bool checked) { checked_ = checked; }
  bool IsButtonEnabled(Button button) const;
  const std::string& Caption() const { return caption_; }
  bool IsEnabled() const { return enabled_; }
  bool IsVisible() const { return visible_; }
  std::vector<MessageBoxShown> messageBoxes;
  // Every seam call that changes the window, in order ("SetEnabled(0)", "AppendRow", ...), so
  // tests can check sequences such as the start-up order.
  std::vector<std::string> log;
  int cellWrites = 0;

 private:
  static constexpr int kButtons = 4;

  // A cell's text lives in the window's own storage of characters; a rewrite that fits reuses
  // the cell's bytes, a longer one takes fresh bytes and leaves the old ones unused until the
  // window goes (tests rewrite few cells, and with texts of much the same length).
  struct Cell {
    char* data = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;
    std::string_view Text() const { return {data, size}; }
  };
  using Row = std::array<Cell, kColumnCount>;

  Cell* FindCell(int row, int column);
  const Cell* FindCell(int row, int column) const;
  // Room for size characters that stays where it is for the window's life.
  char* TakeCharacters(std::size_t size);

  // Rows and characters in blocks that never move, as rows in a real list do not: a large list
  // is filled without regrowing and copying what it already holds, and with one allocation for
  // many rows instead of several per row.
  static constexpr std::size_t kRowsPerBlock = 4096;
  static constexpr std::size_t kCharactersPerBlock = std::size_t{1} << 20;
  std::vector<std::unique_ptr<Row[]>> rowBlocks_;
  int rowCount_ = 0;
  std::vector<std::unique_ptr<char[]>> characterBlocks_;
  char* freeCharacters_ = nullptr;
  std::size_t freeCount_ = 0;
  std::array<std::string, kButtons> captions_;
  std::array<bool, kButtons> buttonEnabled_{true, true, true, true};
  int selectedRow_ = -1;
  bool checked_ = false;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = false;
};

}  // namespace svcman::fake
