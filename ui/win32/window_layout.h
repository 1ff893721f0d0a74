// The window's fixed design: outer size, the places of the controls in the client area, and the
// list's columns. Captions are the tool's texts (catalogue/texts.h).
#pragma once

#include <string_view>

#include "catalogue/texts.h"

namespace svcman::win32 {

inline constexpr int kWindowWidth = 496;  // frame and title bar included
inline constexpr int kWindowHeight = 285;

struct ControlPlace {
  int left, top, width, height;
};

inline constexpr ControlPlace kListPlace{8, 8, 476, 200};
inline constexpr ControlPlace kStartAllPlace{8, 216, 96, 32};
inline constexpr ControlPlace kStartSelectedPlace{112, 216, 96, 32};
inline constexpr ControlPlace kCheckBoxPlace{233, 220, 72, 24};
inline constexpr ControlPlace kHideAllPlace{304, 216, 88, 32};
inline constexpr ControlPlace kHideSelectedPlace{403, 216, 80, 32};

enum class ColumnAlignment { Left, Centre };

struct ColumnDesign {
  std::string_view header;
  int width;
  ColumnAlignment alignment;
};

// Column 0 is untitled and zero wide: it holds the row's own item text, which is never written,
// so every column the tool writes is a subitem and can be aligned freely.
inline constexpr ColumnDesign kColumns[] = {
    {"", 0, ColumnAlignment::Left},
    {texts::kHeaderId, 30, ColumnAlignment::Centre},
    {texts::kHeaderName, 80, ColumnAlignment::Left},
    {texts::kHeaderPath, 180, ColumnAlignment::Left},
    {texts::kHeaderArguments, 80, ColumnAlignment::Left},
    {texts::kHeaderStatus, 50, ColumnAlignment::Left},
    {texts::kHeaderShown, 50, ColumnAlignment::Centre},
};

}  // namespace svcman::win32
