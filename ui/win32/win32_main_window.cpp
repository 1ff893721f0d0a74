// Creation of the window and its controls, and the message switch that turns notifications into
// events.
#include "ui/win32/win32_main_window.h"

#include <commctrl.h>

#include "catalogue/texts.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_layout.h"

namespace svcman::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kCheckBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                             LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
constexpr DWORD kListExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct ButtonDesign {
  int id;
  ControlPlace place;
  std::string_view caption;
};

// In Button order: StartAll, StartSelected, HideAll, HideSelected.
constexpr ButtonDesign kButtonDesigns[] = {
    {kIdStartAll, kStartAllPlace, texts::kStartAll},
    {kIdStartSelected, kStartSelectedPlace, texts::kStartSelected},
    {kIdHideAll, kHideAllPlace, texts::kHideAll},
    {kIdHideSelected, kHideSelectedPlace, texts::kHideSelected},
};

HWND CreateChild(HWND parent, const wchar_t* className, std::string_view caption, DWORD style,
                 DWORD extendedStyle, const ControlPlace& place, int id) {
  HWND child = CreateWindowExW(
      extendedStyle, className, WideFromCp936(caption).c_str(), style, place.left, place.top,
      place.width, place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (child != nullptr) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  }
  return child;
}

bool InsertColumn(HWND list, int index, const ColumnDesign& design) {
  std::wstring header = WideFromCp936(design.header);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = design.alignment == ColumnAlignment::Centre ? LVCFMT_CENTER : LVCFMT_LEFT;
  // The untitled first column must stay zero wide: the header refuses to resize it.
  if (index == 0) column.fmt |= LVCFMT_FIXED_WIDTH;
  column.cx = design.width;
  column.pszText = header.data();
  column.iSubItem = index;
  return SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&column)) == index;
}

// Header notifications that would give the hidden first column a width or move a column.
bool IsRefusedHeaderChange(const NMHDR& header, LPARAM lParam) {
  const auto& notice = *reinterpret_cast<const NMHEADERW*>(lParam);
  switch (header.code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA:
      return notice.iItem == 0;
    case HDN_BEGINDRAG:
      return true;
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
      return notice.iItem == 0 && notice.pitem != nullptr && (notice.pitem->mask & HDI_WIDTH) &&
             notice.pitem->cxy != 0;
    default:
      return false;
  }
}

}  // namespace

Win32MainWindow::Win32MainWindow() : caption_(texts::kDesignCaption) {
  for (int i = 0; i < kButtons; ++i) buttonCaptions_[i] = std::string(kButtonDesigns[i].caption);
}

Win32MainWindow::~Win32MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool Win32MainWindow::Create(HINSTANCE instance, MainWindowEvents& events) {
  events_ = &events;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClassName;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  // Centred once, on the primary screen, in whole pixels.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  CreateWindowExW(0, kMainWindowClassName, WideFromCp936(caption_).c_str(), kWindowStyle, left, top,
                  kWindowWidth, kWindowHeight, nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

LRESULT CALLBACK Win32MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_;
  switch (message) {
    case WM_CREATE:
      if (!OnCreate()) return -1;
      // The created event runs inside creation, once every control exists.
      events_->OnCreated();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32MainWindow::OnCreate() {
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return CreateList() && CreateButtons();
}

bool Win32MainWindow::CreateList() {
  list_ = CreateChild(window_, WC_LISTVIEWW, "", kListStyle, WS_EX_CLIENTEDGE, kListPlace,
                      kIdServiceList);
  if (list_ == nullptr) return false;
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, kListExtendedStyle, kListExtendedStyle);
  SendMessageW(list_, LVM_SETTEXTCOLOR, 0, kBlack);
  SendMessageW(list_, LVM_SETTEXTBKCOLOR, 0, kWhite);
  SendMessageW(list_, LVM_SETBKCOLOR, 0, kWhite);
  const auto header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
  if (header != nullptr) {
    SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    // Some list implementations give their header drag and drop by default; columns stay put.
    SetWindowLongPtrW(header, GWL_STYLE, GetWindowLongPtrW(header, GWL_STYLE) & ~HDS_DRAGDROP);
  }
  for (int i = 0; i < kColumnCount; ++i) {
    if (!InsertColumn(list_, i, kColumns[i])) return false;
  }
  return true;
}

bool Win32MainWindow::CreateButtons() {
  for (int i = 0; i < kButtons; ++i) {
    const ButtonDesign& design = kButtonDesigns[i];
    // The check box sits between the second and the third button, so the Tab key visits the
    // controls from left to right.
    if (i == 2) {
      checkBox_ = CreateChild(window_, WC_BUTTONW, texts::kHideAllConsoles, kCheckBoxStyle, 0,
                              kCheckBoxPlace, kIdHideConsoles);
      if (checkBox_ == nullptr) return false;
    }
    buttons_[i] =
        CreateChild(window_, WC_BUTTONW, design.caption, kButtonStyle, 0, design.place, design.id);
    if (buttons_[i] == nullptr) return false;
  }
  return true;
}

void Win32MainWindow::OnCommand(int controlId, int notification) {
  if (notification != BN_CLICKED) return;
  switch (controlId) {
    case kIdStartAll:
      return events_->OnButtonClicked(Button::StartAll);
    case kIdStartSelected:
      return events_->OnButtonClicked(Button::StartSelected);
    case kIdHideAll:
      return events_->OnButtonClicked(Button::HideAll);
    case kIdHideSelected:
      return events_->OnButtonClicked(Button::HideSelected);
    case kIdHideConsoles:
      return events_->OnCheckBoxClicked();
  }
}

LRESULT Win32MainWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
  if (header.hwndFrom == list_ && header.code == LVN_ITEMCHANGED) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    // A row has become the focused one: by a click or by the arrow keys. Text writes and rows
    // that only lose their selection or focus are not a change of the current row.
    if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_FOCUSED) &&
        !(change.uOldState & LVIS_FOCUSED)) {
      events_->OnCurrentRowChanged();
    }
    return 0;
  }
  if (list_ != nullptr &&
      header.hwndFrom == reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0))) {
    return IsRefusedHeaderChange(header, lParam) ? TRUE : FALSE;
  }
  return 0;
}

void Win32MainWindow::OnNcDestroy() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
  list_ = nullptr;
  buttons_.fill(nullptr);
  checkBox_ = nullptr;
  focusBeforeDisable_ = nullptr;
}

HWND Win32MainWindow::ButtonHandle(Button button) const {
  return buttons_[static_cast<std::size_t>(button)];
}

}  // namespace svcman::win32
