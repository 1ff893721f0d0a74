// The identifiers of the main window's controls and its window class. The end-to-end driver
// finds the controls by these ids from outside the process, so they live in their own header.
// Ids 1 and 2 are avoided: the dialog manager sends IDOK and IDCANCEL for Enter and Escape.
#pragma once

namespace svcman::win32 {

inline constexpr int kIdServiceList = 100;    // 超级列表框1
inline constexpr int kIdStartAll = 101;       // 启动全部按钮
inline constexpr int kIdStartSelected = 102;  // 启动选中按钮
inline constexpr int kIdHideAll = 103;        // 隐藏全部按钮
inline constexpr int kIdHideSelected = 104;   // 隐藏选中按钮
inline constexpr int kIdHideConsoles = 105;   // 选择框1

inline constexpr wchar_t kMainWindowClassName[] = L"SvcmanMainWindow";

}  // namespace svcman::win32
