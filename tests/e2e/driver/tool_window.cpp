// The tool's main window seen from outside: its state, its controls, the service list.
#include <windows.h>

#include <commctrl.h>

#include "tests/e2e/driver/remote_memory.h"
#include "tests/e2e/driver/tool_driver.h"
#include "ui/win32/control_ids.h"

namespace svcman::e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

int ControlId(Control control) {
  switch (control) {
    case Control::List:
      return win32::kIdServiceList;
    case Control::StartAll:
      return win32::kIdStartAll;
    case Control::StartSelected:
      return win32::kIdStartSelected;
    case Control::HideAll:
      return win32::kIdHideAll;
    case Control::HideSelected:
      return win32::kIdHideSelected;
    case Control::CheckBox:
      return win32::kIdHideConsoles;
  }
  return 0;
}

Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

Rect ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return ToRect(r);
}

}  // namespace

std::optional<ToolWindow> ToolWindow::Find(DWORD processId, DWORD timeoutMs) {
  std::optional<ToolWindow> window;
  WaitFor(
      [&] {
        const auto found = TopLevelWindows(processId, win32::kMainWindowClassName);
        if (!found.empty()) window.emplace(found.front(), processId);
        return window.has_value();
      },
      timeoutMs);
  return window;
}

bool ToolWindow::Exists() const {
  return IsWindow(window_) != 0;
}

std::wstring ToolWindow::Caption() const {
  return WindowText(window_);
}
bool ToolWindow::IsEnabled() const {
  return IsWindowEnabled(window_) != 0;
}
bool ToolWindow::IsVisible() const {
  return IsWindowVisible(window_) != 0;
}
LONG_PTR ToolWindow::Style() const {
  return GetWindowLongPtrW(window_, GWL_STYLE);
}
LONG_PTR ToolWindow::ExStyle() const {
  return GetWindowLongPtrW(window_, GWL_EXSTYLE);
}
Rect ToolWindow::WindowRect() const {
  return ScreenRect(window_);
}

Rect ToolWindow::ClientRect() const {
  RECT r{};
  GetClientRect(window_, &r);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return ToRect(r);
}

HWND ToolWindow::ControlHandle(Control control) const {
  return GetDlgItem(window_, ControlId(control));
}

Rect ToolWindow::ControlRect(Control control) const {
  RECT r{};
  GetWindowRect(ControlHandle(control), &r);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
  return ToRect(r);
}

std::wstring ToolWindow::ControlText(Control control) const {
  return WindowText(ControlHandle(control));
}
bool ToolWindow::IsControlEnabled(Control control) const {
  return IsWindowEnabled(ControlHandle(control)) != 0;
}
bool ToolWindow::IsControlVisible(Control control) const {
  return IsWindowVisible(ControlHandle(control)) != 0;
}
LONG_PTR ToolWindow::ControlStyle(Control control) const {
  return GetWindowLongPtrW(ControlHandle(control), GWL_STYLE);
}
LONG_PTR ToolWindow::ControlExStyle(Control control) const {
  return GetWindowLongPtrW(ControlHandle(control), GWL_EXSTYLE);
}

std::uintptr_t ToolWindow::ControlFont(Control control) const {
  return static_cast<std::uintptr_t>(Send(ControlHandle(control), WM_GETFONT));
}

std::uintptr_t ToolWindow::WindowFont() const {
  return static_cast<std::uintptr_t>(Send(window_, WM_GETFONT));
}

bool ToolWindow::IsChecked() const {
  return Send(ControlHandle(Control::CheckBox), BM_GETCHECK) == BST_CHECKED;
}

// ---- the list -----------------------------------------------------------------------------------

int ToolWindow::ColumnCount() const {
  const auto header = reinterpret_cast<HWND>(Send(ControlHandle(Control::List), LVM_GETHEADER));
  return header == nullptr ? 0 : static_cast<int>(Send(header, HDM_GETITEMCOUNT));
}

std::vector<ListColumn> ToolWindow::Columns() const {
  constexpr int kTextChars = 256;
  RemoteBuffer remote(processId_, sizeof(LVCOLUMNW) + kTextChars * sizeof(wchar_t));
  std::vector<ListColumn> columns;
  if (!remote.valid()) return columns;
  const HWND list = ControlHandle(Control::List);
  for (int i = 0, count = ColumnCount(); i < count; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = static_cast<wchar_t*>(remote.at(sizeof(LVCOLUMNW)));
    column.cchTextMax = kTextChars;
    wchar_t text[kTextChars] = {};
    if (!remote.Write(0, &column, sizeof(column)) ||
        !remote.Write(sizeof(LVCOLUMNW), text, sizeof(text)) ||
        Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.at())) <=
            0 ||
        !remote.Read(0, &column, sizeof(column)) ||
        !remote.Read(sizeof(LVCOLUMNW), text, sizeof(text))) {
      return {};
    }
    text[kTextChars - 1] = L'\0';
    columns.push_back({text, column.cx, column.fmt & LVCFMT_JUSTIFYMASK});
  }
  return columns;
}

int ToolWindow::RowCount() const {
  return static_cast<int>(Send(ControlHandle(Control::List), LVM_GETITEMCOUNT));
}

std::wstring ToolWindow::CellText(int row, int column) const {
  const HWND list = ControlHandle(Control::List);
  // The list copies at most the buffer's size; grow until the whole text fits.
  for (int chars = 256; chars <= (1 << 20); chars *= 4) {
    const std::size_t bytes = static_cast<std::size_t>(chars) * sizeof(wchar_t);
    RemoteBuffer remote(processId_, sizeof(LVITEMW) + bytes);
    if (!remote.valid()) return {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = static_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
    item.cchTextMax = chars;
    if (!remote.Write(0, &item, sizeof(item))) return {};
    const LRESULT length = Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                reinterpret_cast<LPARAM>(remote.at()));
    if (length <= 0) return {};
    if (length < chars - 1) {
      std::wstring text(static_cast<std::size_t>(length), L'\0');
      if (!remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t))) return {};
      return text;
    }
  }
  return {};
}

std::vector<std::vector<std::wstring>> ToolWindow::Rows() const {
  std::vector<std::vector<std::wstring>> rows;
  const int columns = ColumnCount();
  for (int row = 0, count = RowCount(); row < count; ++row) {
    auto& cells = rows.emplace_back();
    for (int column = 0; column < columns; ++column) cells.push_back(CellText(row, column));
  }
  return rows;
}

int ToolWindow::SelectedRow() const {
  return static_cast<int>(
      Send(ControlHandle(Control::List), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
std::vector<int> ToolWindow::ColumnOrder() const {
  const int count = ColumnCount();
  RemoteBuffer remote(processId_, sizeof(int) * static_cast<std::size_t>(count > 0 ? count : 1));
  std::vector<int> order(static_cast<std::size_t>(count));
  if (count <= 0 || !remote.valid() ||
      !Send(ControlHandle(Control::List), LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count),
            reinterpret_cast<LPARAM>(remote.at())) ||
      !remote.Read(0, order.data(), order.size() * sizeof(int))) {
    return {};
  }
  return order;
}

int ToolWindow::SelectedCount() const {
  return static_cast<int>(Send(ControlHandle(Control::List), LVM_GETSELECTEDCOUNT));
}
int ToolWindow::FocusedRow() const {
  return static_cast<int>(
      Send(ControlHandle(Control::List), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}
DWORD ToolWindow::ListExtendedStyle() const {
  return static_cast<DWORD>(Send(ControlHandle(Control::List), LVM_GETEXTENDEDLISTVIEWSTYLE));
}
LONG_PTR ToolWindow::HeaderStyle() const {
  const auto header = reinterpret_cast<HWND>(Send(ControlHandle(Control::List), LVM_GETHEADER));
  return header == nullptr ? 0 : GetWindowLongPtrW(header, GWL_STYLE);
}
COLORREF ToolWindow::ListTextColor() const {
  return static_cast<COLORREF>(Send(ControlHandle(Control::List), LVM_GETTEXTCOLOR));
}
COLORREF ToolWindow::ListTextBackgroundColor() const {
  return static_cast<COLORREF>(Send(ControlHandle(Control::List), LVM_GETTEXTBKCOLOR));
}
COLORREF ToolWindow::ListBackgroundColor() const {
  return static_cast<COLORREF>(Send(ControlHandle(Control::List), LVM_GETBKCOLOR));
}

Rect ToolWindow::HeaderItemRect(int column) const {
  const auto header = reinterpret_cast<HWND>(Send(ControlHandle(Control::List), LVM_GETHEADER));
  RemoteBuffer remote(processId_, sizeof(RECT));
  RECT r{};
  if (header == nullptr || !remote.valid() ||
      !Send(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
            reinterpret_cast<LPARAM>(remote.at())) ||
      !remote.Read(0, &r, sizeof(r))) {
    return {};
  }
  MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return ToRect(r);
}

// ---- actions ------------------------------------------------------------------------------------

void ToolWindow::Click(Control control) const {
  PostMessageW(ControlHandle(control), BM_CLICK, 0, 0);
}

bool ToolWindow::SelectRow(int row) const {
  RemoteBuffer remote(processId_, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  return remote.Write(0, &item, sizeof(item)) &&
         Send(ControlHandle(Control::List), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
              reinterpret_cast<LPARAM>(remote.at())) == TRUE;
}

void ToolWindow::PressKeyInList(WORD virtualKey) const {
  const HWND list = ControlHandle(Control::List);
  PostMessageW(list, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(list, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

bool ToolWindow::MouseClick(Control control) const {
  RECT r{};
  GetWindowRect(ControlHandle(control), &r);
  return MouseClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void ToolWindow::Close() const {
  PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

namespace {

bool SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

}  // namespace

bool MouseDrag(int fromX, int fromY, int toX, int toY) {
  if (!SetCursorPos(fromX, fromY) || !SendMouse(MOUSEEVENTF_LEFTDOWN)) return false;
  constexpr int kSteps = 12;
  for (int step = 1; step <= kSteps; ++step) {
    SetCursorPos(fromX + (toX - fromX) * step / kSteps, fromY + (toY - fromY) * step / kSteps);
    SendMouse(MOUSEEVENTF_MOVE);
    Sleep(10);
  }
  return SendMouse(MOUSEEVENTF_LEFTUP);
}

bool MouseClickAt(int screenX, int screenY) {
  if (!SetCursorPos(screenX, screenY)) return false;
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

}  // namespace svcman::e2e
