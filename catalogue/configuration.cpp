#include "catalogue/configuration.h"

#include <cstring>
#include <utility>

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
  std::string_view fields[kFieldCount];
  std::size_t count = 0;
  TextSplitter splitter(line, kFieldSeparator);
  std::string_view item;
  while (splitter.Next(item)) {
    if (count == kFieldCount) return false;
    fields[count++] = item;
  }
  if (count != kFieldCount) return false;
  // An empty path has no last component to run the service by; such a line is refused like
  // one with the wrong number of fields.
  std::string_view imageName;
  if (!LastPathComponent(fields[2], imageName)) return false;

  record.id = TextToInteger(fields[0]);
  record.name.assign(fields[1]);
  record.path.assign(fields[2]);
  // "null" is compared as written: " null" or "NULL" are arguments like any other.
  if (fields[3] == texts::kNoArguments) {
    record.arguments.clear();
  } else {
    record.arguments = TrimSpaces(fields[3]);
  }
  record.imageName.assign(imageName);
  record.processId = 0;
  record.windowHandle = 0;
  return true;
}

bool ParseConfiguration(std::string_view text, ServiceCatalogue& catalogue, std::string& caption) {
  const std::vector<std::string_view> lines = SplitTextViews(text, kLineBreak);
  if (lines.empty()) return false;
  caption.assign(texts::kCaptionPrefix);
  caption.append(ReplaceText(lines.front(), texts::kTitleMarker, ""));
  catalogue.Reserve(lines.size() - 1);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    ServiceRecord record;
    if (ParseServiceLine(lines[i], record)) catalogue.Append(std::move(record));
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
  if (!ParseConfiguration(UpToFirstNul(contents), catalogue, caption)) return;
  window.SetCaption(caption);
  catalogue.SortById();
  AppendRows(catalogue, window);
}

}  // namespace svcman
