#include "catalogue/configuration.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "catalogue/id_order.h"
#include "catalogue/service_catalogue.h"
#include "catalogue/text.h"
#include "catalogue/texts.h"
#include "platform/system.h"
#include "ui/main_window.h"

namespace svcman {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kFieldSeparator = ",";
constexpr std::string_view kPathSeparator = "\\";
constexpr std::size_t kFieldCount = 4;

std::string_view UpToFirstNul(std::string_view text) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  if (nul == nullptr) return text;
  return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
}

// The last item of the path split at backslashes; false only for an empty path, which has no
// item at all.
bool LastPathComponent(std::string_view path, std::string_view& component) {
  TextSplitter splitter(path, kPathSeparator);
  std::string_view item;
  bool found = false;
  while (splitter.Next(item)) {
    component = item;
    found = true;
  }
  return found;
}

// The parts of an accepted service line, as views into it.
struct ServiceFields {
  std::string_view id;
  std::string_view name;
  std::string_view path;
  std::string_view arguments;
  std::string_view imageName;
};

// Splits one service line; false when the line is not accepted.
bool SplitServiceLine(std::string_view line, ServiceFields& fields) {
  std::string_view parts[kFieldCount];
  std::size_t count = 0;
  TextSplitter splitter(line, kFieldSeparator);
  std::string_view item;
  while (splitter.Next(item)) {
    if (count == kFieldCount) return false;
    parts[count++] = item;
  }
  if (count != kFieldCount) return false;
  // An empty path has no last component to run the service by; such a line is refused like
  // one with the wrong number of fields.
  if (!LastPathComponent(parts[2], fields.imageName)) return false;
  fields.id = parts[0];
  fields.name = parts[1];
  fields.path = parts[2];
  fields.arguments = parts[3];
  return true;
}

// Copies each text once, straight from the line into the record.
void FillRecord(const ServiceFields& fields, ServiceRecord& record) {
  record.id = TextToInteger(fields.id);
  record.name.assign(fields.name);
  record.path.assign(fields.path);
  // "null" is compared as written: " null" or "NULL" are arguments like any other.
  if (fields.arguments == texts::kNoArguments) {
    record.arguments.clear();
  } else {
    record.arguments.assign(TrimmedSpaces(fields.arguments));
  }
  record.imageName.assign(fields.imageName);
  record.processId = 0;
  record.windowHandle = 0;
}

// At least as many as the text has line breaks, counted far more cheaply than it is split.
std::size_t LineBreakBound(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The title line starts the text; false when the text has no line at all.
bool ReadTitle(TextSplitter& lines, std::string& caption) {
  std::string_view title;
  if (!lines.Next(title)) return false;
  caption.assign(texts::kCaptionPrefix);
  caption.append(ReplaceText(title, texts::kTitleMarker, ""));
  return true;
}

// The accepted service lines with their ids, in file order.
struct ServiceLines {
  std::vector<std::string_view> lines;
  std::vector<std::int32_t> ids;
};

// In list order the lines are scattered over the text, and reading each one is a wait for
// memory (and for its page's address). Asking for the bytes of a line a few lines ahead
// overlaps those waits.
constexpr std::size_t kLinesAhead = 16;
constexpr std::size_t kCacheLine = 64;

// Forced inline: GCC takes a function whose only effect is a prefetch for one without effect
// and drops the call.
[[gnu::always_inline]] inline void PrefetchLine(std::string_view line) {
  for (std::size_t offset = 0; offset < line.size() && offset < 2 * kCacheLine;
       offset += kCacheLine) {
    __builtin_prefetch(line.data() + offset);
  }
}

// Fills the catalogue in the order the list shows it. Only the small id of every line is
// sorted; each record is then built once, in its final place, and its texts are allocated
// in list order, so filling the list afterwards walks memory front to back.
bool LoadSortedConfiguration(std::string_view text, ServiceCatalogue& catalogue,
                             std::string& caption) {
  TextSplitter splitter(text, kLineBreak);
  if (!ReadTitle(splitter, caption)) return false;
  ServiceLines accepted;
  const std::size_t bound = LineBreakBound(text);
  accepted.lines.reserve(bound);
  accepted.ids.reserve(bound);
  std::string_view line;
  ServiceFields fields;
  while (splitter.Next(line)) {
    if (!SplitServiceLine(line, fields)) continue;
    accepted.lines.push_back(line);
    accepted.ids.push_back(TextToInteger(fields.id));
  }
  catalogue.Reserve(accepted.lines.size());
  // The views are gathered into list order first: a loop that does nothing else waits for
  // many of them at once.
  std::vector<std::string_view> sorted;
  sorted.reserve(accepted.lines.size());
  for (const std::uint32_t index : StableOrderById(accepted.ids)) {
    sorted.push_back(accepted.lines[index]);
  }
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    if (k + kLinesAhead < sorted.size()) PrefetchLine(sorted[k + kLinesAhead]);
    ServiceRecord record;
    SplitServiceLine(sorted[k], fields);
    FillRecord(fields, record);
    catalogue.Append(std::move(record));
  }
  return true;
}

void AppendRows(const ServiceCatalogue& catalogue, MainWindow& window) {
  const std::string notStarted(texts::kStatusNotStarted);
  const std::string notShown(texts::kFalse);
  for (int position = 1; position <= catalogue.Count(); ++position) {
    const ServiceRecord& record = catalogue.At(position);
    const int row = window.AppendRow();
    window.SetCellText(row, kColumnId, IntegerToText(record.id));
    window.SetCellText(row, kColumnName, record.name);
    window.SetCellText(row, kColumnPath, record.path);
    window.SetCellText(row, kColumnArguments, record.arguments);
    window.SetCellText(row, kColumnStatus, notStarted);
    window.SetCellText(row, kColumnShown, notShown);
  }
}

}  // namespace

bool ParseServiceLine(std::string_view line, ServiceRecord& record) {
  ServiceFields fields;
  if (!SplitServiceLine(line, fields)) return false;
  FillRecord(fields, record);
  return true;
}

bool ParseConfiguration(std::string_view text, ServiceCatalogue& catalogue, std::string& caption) {
  TextSplitter splitter(text, kLineBreak);
  if (!ReadTitle(splitter, caption)) return false;
  catalogue.Reserve(LineBreakBound(text));
  std::string_view line;
  ServiceFields fields;
  while (splitter.Next(line)) {
    if (!SplitServiceLine(line, fields)) continue;
    ServiceRecord record;
    FillRecord(fields, record);
    catalogue.Append(std::move(record));
  }
  return true;
}

void LoadConfiguration(ServiceCatalogue& catalogue, MainWindow& window, System& system) {
  const std::string path = system.GetExecutableDirectory() + std::string(kPathSeparator) +
                           std::string(texts::kConfigurationFileName);
  if (!system.PathExists(path)) {
    window.ShowMessageBox(std::string(texts::kMissingFileMessage),
                          std::string(texts::kMissingFileTitle));
    return;
  }
  // A file that exists but cannot be read (a directory of that name, one locked by another
  // program) counts as empty: no message, the caption and the list stay as they are.
  std::string contents;
  if (!system.ReadWholeFile(path, contents)) contents.clear();
  std::string caption;
  if (!LoadSortedConfiguration(UpToFirstNul(contents), catalogue, caption)) return;
  window.SetCaption(caption);
  AppendRows(catalogue, window);
}

}  // namespace svcman
