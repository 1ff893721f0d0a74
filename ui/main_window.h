// The window seam: what the rest of the tool needs of its one window. ui/win32/ is the real
// window; tests use an in-memory one. Texts are code page 936 bytes throughout.
#pragma once

#include <string>

namespace svcman {

// The service list's columns. Column 0 is untitled, zero wide and never written.
inline constexpr int kColumnId = 1;
inline constexpr int kColumnName = 2;
inline constexpr int kColumnPath = 3;
inline constexpr int kColumnArguments = 4;
inline constexpr int kColumnStatus = 5;
inline constexpr int kColumnShown = 6;
inline constexpr int kColumnCount = 7;

// The four push buttons, named after the window's design:
// 启动全部按钮, 启动选中按钮, 隐藏全部按钮, 隐藏选中按钮.
enum class Button { StartAll, StartSelected, HideAll, HideSelected };

class MainWindow {
 public:
  virtual ~MainWindow() = default;

  // The service list (超级列表框1). Rows count from 0.
  virtual int AppendRow() = 0;  // the new row's index: the number of rows before the call
  virtual void SetCellText(int row, int column, const std::string& text) = 0;  // no such row: no-op
  virtual std::string GetCellText(int row, int column) const = 0;      // no such row: empty text
  virtual int FindRow(int column, const std::string& text) const = 0;  // first exact match, or -1
  virtual int SelectedRow() const = 0;                                 // -1 when none

  // The buttons: a caption read returns exactly the bytes last written.
  virtual std::string GetButtonCaption(Button button) const = 0;
  virtual void SetButtonCaption(Button button, const std::string& caption) = 0;
  virtual void SetButtonEnabled(Button button, bool enabled) = 0;

  // The check box 选择框1.
  virtual bool IsCheckBoxChecked() const = 0;

  // The window itself.
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetVisible(bool visible) = 0;

  // A modal message box with only an OK button, no icon and no owner; returns when it is closed.
  virtual void ShowMessageBox(const std::string& text, const std::string& title) = 0;
};

}  // namespace svcman
