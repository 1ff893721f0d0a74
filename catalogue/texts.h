// The tool's own texts, as the code page 936 bytes the tool works in. The sources stay UTF-8:
// each text is spelled in byte escapes, with its readable form in the comment above it.
#pragma once

#include <string_view>

namespace svcman::texts {

// Vantrel管理工具  Doriq1.0 - 12.28版   — the caption the window is created with
inline constexpr std::string_view kDesignCaption =
    "Vantrel\xB9\xDC\xC0\xED\xB9\xA4\xBE\xDF  Doriq1.0 - 12.28\xB0\xE6";
// Vantrel工具 Ver0.97 -    — put before the configured title
inline constexpr std::string_view kCaptionPrefix = "Vantrel\xB9\xA4\xBE\xDF Ver0.97 - ";
// 标题=   — removed from the title line
inline constexpr std::string_view kTitleMarker = "\xB1\xEA\xCC\xE2=";
// 配置文件[Kelconfig.ini]不存在！   — the one message the tool shows
inline constexpr std::string_view kMissingFileMessage =
    "\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE[Kelconfig.ini]\xB2\xBB\xB4\xE6\xD4\xDA\xA3\xA1";
// 信息：   — its title
inline constexpr std::string_view kMissingFileTitle = "\xD0\xC5\xCF\xA2\xA3\xBA";
// 未启动
inline constexpr std::string_view kStatusNotStarted = "\xCE\xB4\xC6\xF4\xB6\xAF";
// 启动中   — also the start-all button's caption while it starts
inline constexpr std::string_view kStatusRunning = "\xC6\xF4\xB6\xAF\xD6\xD0";
// 已关闭
inline constexpr std::string_view kStatusClosed = "\xD2\xD1\xB9\xD8\xB1\xD5";
// 真
inline constexpr std::string_view kTrue = "\xD5\xE6";
// 假
inline constexpr std::string_view kFalse = "\xBC\xD9";
// 启动全部
inline constexpr std::string_view kStartAll = "\xC6\xF4\xB6\xAF\xC8\xAB\xB2\xBF";
// 关闭全部
inline constexpr std::string_view kCloseAll = "\xB9\xD8\xB1\xD5\xC8\xAB\xB2\xBF";
// 关闭中
inline constexpr std::string_view kClosingAll = "\xB9\xD8\xB1\xD5\xD6\xD0";
// 启动选中
inline constexpr std::string_view kStartSelected = "\xC6\xF4\xB6\xAF\xD1\xA1\xD6\xD0";
// 关闭选中
inline constexpr std::string_view kCloseSelected = "\xB9\xD8\xB1\xD5\xD1\xA1\xD6\xD0";
// 隐藏全部
inline constexpr std::string_view kHideAll = "\xD2\xFE\xB2\xD8\xC8\xAB\xB2\xBF";
// 显示全部
inline constexpr std::string_view kShowAll = "\xCF\xD4\xCA\xBE\xC8\xAB\xB2\xBF";
// 正在隐藏
inline constexpr std::string_view kHiding = "\xD5\xFD\xD4\xDA\xD2\xFE\xB2\xD8";
// 准备显示
inline constexpr std::string_view kAboutToShow = "\xD7\xBC\xB1\xB8\xCF\xD4\xCA\xBE";
// 隐藏选中
inline constexpr std::string_view kHideSelected = "\xD2\xFE\xB2\xD8\xD1\xA1\xD6\xD0";
// 显示选中
inline constexpr std::string_view kShowSelected = "\xCF\xD4\xCA\xBE\xD1\xA1\xD6\xD0";
// 隐藏所有控制台   — the check box
inline constexpr std::string_view kHideAllConsoles =
    "\xD2\xFE\xB2\xD8\xCB\xF9\xD3\xD0\xBF\xD8\xD6\xC6\xCC\xA8";
// 服务名   — column headers
inline constexpr std::string_view kHeaderName = "\xB7\xFE\xCE\xF1\xC3\xFB";
// 路径
inline constexpr std::string_view kHeaderPath = "\xC2\xB7\xBE\xB6";
// 参数
inline constexpr std::string_view kHeaderArguments = "\xB2\xCE\xCA\xFD";
// 状态
inline constexpr std::string_view kHeaderStatus = "\xD7\xB4\xCC\xAC";
// 显示
inline constexpr std::string_view kHeaderShown = "\xCF\xD4\xCA\xBE";
inline constexpr std::string_view kHeaderId = "ID";
// The fourth field of a service line that stands for no arguments.
inline constexpr std::string_view kNoArguments = "null";
inline constexpr std::string_view kConfigurationFileName = "Kelconfig.ini";
inline constexpr std::string_view kConsoleWindowClass = "ConsoleWindowClass";

}  // namespace svcman::texts
