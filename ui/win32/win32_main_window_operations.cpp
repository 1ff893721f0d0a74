// The window seam's operations on the real controls. Texts are kept as the bytes written and
// shown converted from code page 936; every operation is harmless once the window is gone.
#include <windows.h>

#include <commctrl.h>

#include "ui/win32/wide_text.h"
#include "ui/win32/win32_main_window.h"

namespace svcman::win32 {
namespace {

bool ValidColumn(int column) {
  return column >= 0 && column < kColumnCount;
}

}  // namespace

int Win32MainWindow::AppendRow() {
  const int row = static_cast<int>(rows_.size());
  rows_.emplace_back();
  if (list_ != nullptr) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  return row;
}

void Win32MainWindow::SetCellText(int row, int column, const std::string& text) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || !ValidColumn(column)) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
  if (list_ == nullptr) return;
  std::wstring wide = WideFromCp936(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string Win32MainWindow::GetCellText(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || !ValidColumn(column)) return {};
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int Win32MainWindow::FindRow(int column, const std::string& text) const {
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    if (GetCellText(row, column) == text) return row;
  }
  return -1;
}

int Win32MainWindow::SelectedRow() const {
  if (list_ == nullptr) return -1;
  const auto row = static_cast<int>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

std::string Win32MainWindow::GetButtonCaption(Button button) const {
  return buttonCaptions_[static_cast<std::size_t>(button)];
}

void Win32MainWindow::SetButtonCaption(Button button, const std::string& caption) {
  buttonCaptions_[static_cast<std::size_t>(button)] = caption;
  if (HWND control = ButtonHandle(button)) SetWindowTextW(control, WideFromCp936(caption).c_str());
}

void Win32MainWindow::SetButtonEnabled(Button button, bool enabled) {
  HWND control = ButtonHandle(button);
  if (control == nullptr) return;
  // Disabling the focused button drops the keyboard focus; give it back when the button returns,
  // so the keyboard keeps working after a click.
  if (!enabled && GetFocus() == control) focusBeforeDisable_ = control;
  EnableWindow(control, enabled ? TRUE : FALSE);
  if (enabled && focusBeforeDisable_ == control) {
    focusBeforeDisable_ = nullptr;
    if (GetFocus() == nullptr && GetActiveWindow() == window_) SetFocus(control);
  }
}

bool Win32MainWindow::IsCheckBoxChecked() const {
  return checkBox_ != nullptr && SendMessageW(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32MainWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (window_ != nullptr) SetWindowTextW(window_, WideFromCp936(caption).c_str());
}

void Win32MainWindow::SetEnabled(bool enabled) {
  if (window_ != nullptr) EnableWindow(window_, enabled ? TRUE : FALSE);
}

void Win32MainWindow::SetVisible(bool visible) {
  if (window_ == nullptr) return;
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
  // Painted now, so the user sees the window while the start-up goes on.
  if (visible) UpdateWindow(window_);
}

void Win32MainWindow::ShowMessageBox(const std::string& text, const std::string& title) {
  // No owner; task-modal, so every window of the tool waits for it.
  MessageBoxW(nullptr, WideFromCp936(text).c_str(), WideFromCp936(title).c_str(),
              MB_OK | MB_TASKMODAL);
}

}  // namespace svcman::win32
