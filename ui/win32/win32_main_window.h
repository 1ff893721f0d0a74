// MainWindow on plain Win32: one top-level window with the service list, four push buttons and
// a check box. It decides nothing: it turns messages into MainWindowEvents calls and carries out
// the seam's operations on its controls.
//
// Every caption and cell keeps the exact bytes last written, and reads are answered from them,
// so a text that does not survive a round trip through UTF-16 still compares equal. After the
// window has been destroyed (a handler nested in a wait may outlive it) every operation is
// harmless: writes only update the kept texts, reads answer from them.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/win32/window_events.h"

namespace svcman::win32 {

class Win32MainWindow final : public MainWindow {
 public:
  Win32MainWindow();
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;
  ~Win32MainWindow() override;

  // Registers the class and creates the window centred on the primary screen, with its controls;
  // events.OnCreated() runs inside, before this returns. False when the window does not exist
  // afterwards (creation failed, or it was closed while the created event ran).
  bool Create(HINSTANCE instance, MainWindowEvents& events);
  HWND handle() const { return window_; }

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

 private:
  static constexpr int kButtons = 4;
  using Row = std::array<std::string, kColumnCount>;

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate();
  bool CreateList();
  bool CreateButtons();
  void OnCommand(int controlId, int notification);
  LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
  void OnNcDestroy();
  HWND ButtonHandle(Button button) const;

  HWND window_ = nullptr;
  HWND list_ = nullptr;
  std::array<HWND, kButtons> buttons_{};
  HWND checkBox_ = nullptr;
  HWND focusBeforeDisable_ = nullptr;
  HFONT font_ = nullptr;  // a plain window keeps no font of its own
  MainWindowEvents* events_ = nullptr;

  std::string caption_;
  std::array<std::string, kButtons> buttonCaptions_;
  std::vector<Row> rows_;
};

}  // namespace svcman::win32
