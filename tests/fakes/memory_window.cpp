#include "tests/fakes/memory_window.h"

#include <cstring>

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
  const std::size_t index = static_cast<std::size_t>(rowCount_);
  if (index % kRowsPerBlock == 0) rowBlocks_.push_back(std::make_unique<Row[]>(kRowsPerBlock));
  ++rowCount_;
  log.push_back("AppendRow");
  return rowCount_ - 1;
}

MemoryWindow::Cell* MemoryWindow::FindCell(int row, int column) {
  if (row < 0 || row >= rowCount_ || column < 0 || column >= kColumnCount) return nullptr;
  const auto index = static_cast<std::size_t>(row);
  return &rowBlocks_[index / kRowsPerBlock][index % kRowsPerBlock]
                    [static_cast<std::size_t>(column)];
}

const MemoryWindow::Cell* MemoryWindow::FindCell(int row, int column) const {
  return const_cast<MemoryWindow*>(this)->FindCell(row, column);
}

char* MemoryWindow::TakeCharacters(std::size_t size) {
  if (size > freeCount_) {
    // A text longer than a block gets a block of its own; what was left of the current block
    // stays there for the next short text.
    if (size > kCharactersPerBlock / 4) {
      characterBlocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
      return characterBlocks_.back().get();
    }
    characterBlocks_.push_back(std::make_unique_for_overwrite<char[]>(kCharactersPerBlock));
    freeCharacters_ = characterBlocks_.back().get();
    freeCount_ = kCharactersPerBlock;
  }
  char* taken = freeCharacters_;
  freeCharacters_ += size;
  freeCount_ -= size;
  return taken;
}

void MemoryWindow::SetCellText(int row, int column, const std::string& text) {
  Cell* cell = FindCell(row, column);
  if (cell == nullptr) return;
  if (text.size() > cell->capacity) {
    cell->data = TakeCharacters(text.size());
    cell->capacity = text.size();
  }
  if (!text.empty()) std::memcpy(cell->data, text.data(), text.size());
  cell->size = text.size();
  ++cellWrites;
}

std::string MemoryWindow::GetCellText(int row, int column) const {
  const Cell* cell = FindCell(row, column);
  return cell == nullptr ? std::string() : std::string(cell->Text());
}

int MemoryWindow::FindRow(int column, const std::string& text) const {
  for (int row = 0; row < rowCount_; ++row) {
    const Cell* cell = FindCell(row, column);
    const std::string_view cellText = cell == nullptr ? std::string_view() : cell->Text();
    if (cellText == text) return row;
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
