// Drives the real tool from outside its process, as a user would see and work it: starts the
// executable, finds its window, reads captions, states, geometry, the list and the message box,
// and clicks buttons and selects rows.
//
// Texts are UTF-16 as the controls hold them: compare them with wide literals (L"启动全部"),
// which the sources spell readably. Cross-process reads assume the tool has the driver's bitness
// (both x86_64 here), so list-view structures have the same layout on both sides.
//
// Nothing here asserts: every read returns a value (empty, -1 or false when it cannot be had),
// and the scenarios decide. Waits poll with a bound and report whether the condition came true.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace svcman::e2e {

// ---- files and paths ---------------------------------------------------------------------------

// "/work/x/y" -> "Z:\work\x\y" (Wine maps the Unix root to Z:). Windows paths pass unchanged.
std::wstring WindowsPath(std::string_view path);
// path + "\" + name, without doubling a trailing backslash.
std::wstring JoinPath(const std::wstring& directory, const std::wstring& name);

// Empties the directory (creating it and its parents if needed); false when it cannot.
bool ResetDirectory(const std::wstring& directory);
bool CopyFileTo(const std::wstring& from, const std::wstring& to);
// Writes the lines converted to code page 936, each followed by CR LF. False on failure or when
// some character has no code page 936 form.
bool WriteConfiguration(const std::wstring& path, const std::vector<std::wstring>& lines);
// Writes bytes exactly as given.
bool WriteBytes(const std::wstring& path, std::string_view bytes);

// Code page 936 <-> UTF-16, explicitly (the system's ANSI code page plays no part).
std::string ToCp936(std::wstring_view text);
std::wstring FromCp936(std::string_view text);

// ---- waiting -----------------------------------------------------------------------------------

// Polls condition every 20 ms until it is true or timeoutMs has passed; the last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

// ---- the tool's process ------------------------------------------------------------------------

// A process the driver started. Ended (if still running) and its handles closed on destruction,
// so a failed scenario leaves no tool behind.
class ToolProcess {
 public:
  // Starts executable with the given current directory and command line arguments (may be
  // empty). started() is false when CreateProcess failed; error() then holds GetLastError.
  ToolProcess(const std::wstring& executable, const std::wstring& workingDirectory,
              const std::wstring& arguments = L"");
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;
  ~ToolProcess();

  bool started() const { return process_ != nullptr; }
  DWORD error() const { return error_; }
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_; }

  bool IsRunning() const;
  // Waits for the process to end; its exit code, or nothing when it is still running.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
  void Terminate();
  // Full paths of the modules (executable and DLLs) loaded in the process.
  std::vector<std::wstring> LoadedModules() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  DWORD error_ = 0;
};

// ---- other processes' windows ------------------------------------------------------------------

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// The visible top-level windows of a process with the given class (empty: any class), in Z order.
std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className = L"");
std::wstring WindowText(HWND window);  // WM_GETTEXT, whole
std::wstring ClassName(HWND window);

// A message box (class #32770) of the process: its title, its text and its buttons.
struct MessageBoxInfo {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;  // button captions, in child order
};
std::optional<MessageBoxInfo> FindMessageBox(DWORD processId);
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// Presses the box's OK button (posted, so the call never blocks on the tool).
void PressMessageBoxOk(HWND box);

// A real left click at a screen point, through the system's input queue (SendInput).
bool MouseClickAt(int screenX, int screenY);
// A real drag with the left button held, in small steps, from one screen point to another.
bool MouseDrag(int fromX, int fromY, int toX, int toY);

// ---- the tool's main window --------------------------------------------------------------------

enum class Control { List, StartAll, StartSelected, HideAll, HideSelected, CheckBox };
inline constexpr Control kAllControls[] = {Control::List,          Control::StartAll,
                                           Control::StartSelected, Control::HideAll,
                                           Control::HideSelected,  Control::CheckBox};

struct ListColumn {
  std::wstring header;
  int width = 0;
  int format = 0;  // LVCFMT_LEFT, LVCFMT_CENTER or LVCFMT_RIGHT (the justification bits)
};

class ToolWindow {
 public:
  // Waits up to timeoutMs for the tool's main window of that process to exist.
  static std::optional<ToolWindow> Find(DWORD processId, DWORD timeoutMs);
  explicit ToolWindow(HWND window, DWORD processId) : window_(window), processId_(processId) {}

  HWND handle() const { return window_; }
  bool Exists() const;

  // The window.
  std::wstring Caption() const;
  bool IsEnabled() const;
  bool IsVisible() const;
  LONG_PTR Style() const;
  LONG_PTR ExStyle() const;
  Rect WindowRect() const;  // screen coordinates, frame included
  Rect ClientRect() const;  // screen coordinates of the client area

  // Its controls.
  HWND ControlHandle(Control control) const;
  Rect ControlRect(Control control) const;  // relative to the top-left corner of the client area
  std::wstring ControlText(Control control) const;
  bool IsControlEnabled(Control control) const;
  bool IsControlVisible(Control control) const;
  LONG_PTR ControlStyle(Control control) const;
  LONG_PTR ControlExStyle(Control control) const;
  // The font handle the control (or the window itself) was given (WM_GETFONT); 0 when none.
  // Only the value can be compared: another process's font handles cannot be looked into.
  std::uintptr_t ControlFont(Control control) const;
  std::uintptr_t WindowFont() const;
  bool IsChecked() const;  // the check box

  // The service list.
  int ColumnCount() const;
  std::vector<ListColumn> Columns() const;
  int RowCount() const;
  std::wstring CellText(int row, int column) const;
  std::vector<std::vector<std::wstring>> Rows() const;  // every cell of every row, column 0 on
  int SelectedRow() const;                              // first selected row, or -1
  std::vector<int> ColumnOrder() const;                 // left to right, as shown
  int SelectedCount() const;
  int FocusedRow() const;
  DWORD ListExtendedStyle() const;
  LONG_PTR HeaderStyle() const;
  COLORREF ListTextColor() const;
  COLORREF ListTextBackgroundColor() const;
  COLORREF ListBackgroundColor() const;

  // Actions. Each is posted to the tool, so the driver never waits on a busy handler; use
  // WaitFor to see its effect.
  void Click(Control control) const;  // BM_CLICK on a button or the check box
  // Makes the row the selected and focused one, as a click on it would (LVM_SETITEMSTATE).
  bool SelectRow(int row) const;
  // A key press on the list, e.g. VK_DOWN: the list's own keyboard handling runs.
  void PressKeyInList(WORD virtualKey) const;
  // A real left click through the system's input queue at the centre of the control: it reaches
  // whatever window is there, and a disabled control ignores it as it would a user's click.
  bool MouseClick(Control control) const;
  Rect HeaderItemRect(int column) const;  // screen coordinates of a column's header item
  void Close() const;                     // the close box: WM_SYSCOMMAND SC_CLOSE

 private:
  HWND window_;
  DWORD processId_;
};

// ---- a scenario's tool installation
// --------------------------------------------------------------

// A folder holding a copy of the tool and, when lines are given, its Kelconfig.ini beside it.
struct ToolInstall {
  std::wstring directory;
  std::wstring executable;
};
// Recreates directory, copies the tool into it and writes the configuration (none when
// configuration is empty). Empty executable on failure.
ToolInstall InstallTool(const std::wstring& toolExecutable, const std::wstring& directory,
                        const std::vector<std::wstring>& configuration);

}  // namespace svcman::e2e
