#include "tests/fakes/memory_window.h"

#include "catalogue/texts.h"

namespace svcman::fake {
namespace {

int Index(Button button) {
  return static_cast<int>(button);
}

}  // namespace

MemoryWindow::MemoryWindow()
    : captions_{std::string(texts::kStartAll), std::string(texts::kStartSelected),
                std::string(texts::kHideAll), std::string(texts::kHideSelected)},
      caption_(texts::kDesignCaption) {}

int MemoryWindow::AppendRow() {
  rows_.emplace_back();
  log.push_back("AppendRow");
  return static_cast<int>(rows_.size()) - 1;
}

void MemoryWindow::SetCellText(int row, int column, const std::string& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
  ++cellWrites;
}

std::string MemoryWindow::GetCellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) return {};
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int MemoryWindow::FindRow(int column, const std::string& text) const {
  for (int row = 0; row < RowCount(); ++row) {
    if (GetCellText(row, column) == text) return row;
  }
  return -1;
}

int MemoryWindow::SelectedRow() const {
  return selectedRow_ >= 0 && selectedRow_ < RowCount() ? selectedRow_ : -1;
}

std::string MemoryWindow::GetButtonCaption(Button button) const {
  return captions_[static_cast<std::size_t>(Index(button))];
}

void MemoryWindow::SetButtonCaption(Button button, const std::string& caption) {
  captions_[static_cast<std::size_t>(Index(button))] = caption;
}

void MemoryWindow::SetButtonEnabled(Button button, bool enabled) {
  buttonEnabled_[static_cast<std::size_t>(Index(button))] = enabled;
}

bool MemoryWindow::IsButtonEnabled(Button button) const {
  return buttonEnabled_[static_cast<std::size_t>(Index(button))];
}

bool MemoryWindow::IsCheckBoxChecked() const {
  return checked_;
}

void MemoryWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  log.push_back("SetCaption");
}

void MemoryWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  log.push_back(enabled ? "SetEnabled(1)" : "SetEnabled(0)");
}

void MemoryWindow::SetVisible(bool visible) {
  visible_ = visible;
  log.push_back(visible ? "SetVisible(1)" : "SetVisible(0)");
}

void MemoryWindow::ShowMessageBox(const std::string& text, const std::string& title) {
  messageBoxes.push_back({text, title, visible_, enabled_});
  log.push_back("ShowMessageBox");
}

}  // namespace svcman::fake
