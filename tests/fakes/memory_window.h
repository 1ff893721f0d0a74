// The window in memory: the window seam's state, plus what tests need to drive and inspect it.
#pragma once

#include <array>
#include <deque>
#include <string>
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
  int RowCount() const { return static_cast<int>(rows_.size()); }
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
  // A deque: appending a row never moves the rows before it, as in a real list.
  std::deque<std::array<std::string, kColumnCount>> rows_;
  std::array<std::string, kButtons> captions_;
  std::array<bool, kButtons> buttonEnabled_{true, true, true, true};
  int selectedRow_ = -1;
  bool checked_ = false;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = false;
};

}  // namespace svcman::fake
