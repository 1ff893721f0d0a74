#include "catalogue/text.h"

#include <charconv>
#include <cstring>

namespace svcman {
namespace {

constexpr unsigned char kFirstLeadByte = 0x80;

unsigned char ByteAt(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

bool MatchesAt(std::string_view text, std::size_t i, std::string_view search) {
  return text.size() - i >= search.size() && text.compare(i, search.size(), search) == 0;
}

bool IsSpaceCharacter(std::string_view text, std::size_t i, std::size_t length) {
  if (length == 1) return text[i] == ' ';
  return ByteAt(text, i) == 0xA1 && ByteAt(text, i + 1) == 0xA1;
}

// What TextToInteger sees of one character after folding full-width forms: an ASCII byte, or
// kOtherCharacter for anything that is neither white space, a sign nor a digit.
constexpr int kOtherCharacter = -1;

int FoldedCharacter(std::string_view text, std::size_t i, std::size_t length) {
  const unsigned char first = ByteAt(text, i);
  if (length == 1) return first < kFirstLeadByte ? first : kOtherCharacter;
  const unsigned char second = ByteAt(text, i + 1);
  if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) return second - 0x80;
  if (first == 0xA1) {
    if (second == 0xA1) return ' ';
    if (second == 0xAB) return '~';
    if (second == 0xEE || second == 0xEF) return '*';
  }
  return kOtherCharacter;
}

bool IsWhiteSpace(int c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::size_t CharacterLength(std::string_view text, std::size_t i) {
  if (i >= text.size()) return 0;
  const bool twoBytes =
      ByteAt(text, i) >= kFirstLeadByte && i + 1 < text.size() && text[i + 1] != '\0';
  return twoBytes ? 2 : 1;
}

TextSplitter::TextSplitter(std::string_view text, std::string_view delimiter)
    : text_(text), delimiter_(delimiter) {}

bool TextSplitter::Next(std::string_view& item) {
  if (done_) return false;
  if (delimiter_.empty()) {
    done_ = true;
    item = text_;
    return !text_.empty();
  }
  const std::size_t match = FindDelimiter();
  if (match != std::string_view::npos) {
    item = text_.substr(itemStart_, match - itemStart_);
    position_ = match + delimiter_.size();
    itemStart_ = position_;
    return true;
  }
  done_ = true;
  if (itemStart_ >= text_.size()) return false;
  item = text_.substr(itemStart_);
  return true;
}

// Lines and fields are split at ASCII delimiters over texts that can be many megabytes long, so
// candidates are found with memchr instead of a step per character. Whether a candidate begins
// a character follows from the bytes just before it: a byte below 0x80 always ends a character,
// and from there the bytes of 0x80 and above pair up (none of them is zero), so the candidate
// begins a character exactly when an even number of such bytes stands before it.
std::size_t TextSplitter::FindDelimiter() {
  const unsigned char first = ByteAt(delimiter_, 0);
  if (first == 0 || first >= kFirstLeadByte) return FindDelimiterByScanning();
  const std::size_t size = delimiter_.size();
  const char* data = text_.data();
  while (text_.size() - position_ >= size) {
    const std::size_t span = text_.size() - size + 1 - position_;
    const void* hit = std::memchr(data + position_, first, span);
    if (hit == nullptr) return std::string_view::npos;
    const std::size_t candidate = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    std::size_t highBytes = 0;
    while (candidate - highBytes > position_ &&
           ByteAt(text_, candidate - highBytes - 1) >= kFirstLeadByte) {
      ++highBytes;
    }
    if (highBytes % 2 == 0 && (size == 1 || MatchesAt(text_, candidate, delimiter_))) {
      return candidate;
    }
    // Whether the candidate was a lone character or the second byte of one, the next
    // character starts right after it.
    position_ = candidate + 1;
  }
  return std::string_view::npos;
}

std::size_t TextSplitter::FindDelimiterByScanning() {
  while (text_.size() - position_ >= delimiter_.size()) {
    if (MatchesAt(text_, position_, delimiter_)) return position_;
    position_ += CharacterLength(text_, position_);
  }
  return std::string_view::npos;
}

std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view delimiter) {
  std::vector<std::string_view> items;
  TextSplitter splitter(text, delimiter);
  std::string_view item;
  while (splitter.Next(item)) items.push_back(item);
  return items;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> items;
  TextSplitter splitter(text, delimiter);
  std::string_view item;
  while (splitter.Next(item)) items.emplace_back(item);
  return items;
}

std::string_view TrimmedSpaces(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t length = CharacterLength(text, begin);
    if (!IsSpaceCharacter(text, begin, length)) break;
    begin += length;
  }
  std::size_t end = text.size();
  const unsigned char last = end > begin ? ByteAt(text, end - 1) : 0;
  if (last == ' ' || last == 0xA1) {
    // Whether the last bytes are a space depends on where the characters before them begin,
    // so the end is found scanning forwards; any other last byte ends no space at all.
    end = begin;
    for (std::size_t i = begin; i < text.size();) {
      const std::size_t length = CharacterLength(text, i);
      if (!IsSpaceCharacter(text, i, length)) end = i + length;
      i += length;
    }
  }
  return text.substr(begin, end - begin);
}

std::string TrimSpaces(std::string_view text) {
  return std::string(TrimmedSpaces(text));
}

std::int32_t TextToInteger(std::string_view text) {
  std::size_t i = 0;
  int c = kOtherCharacter;
  // Reads the next folded character into c; false at the end of the text.
  auto next = [&]() {
    if (i >= text.size()) return false;
    const std::size_t length = CharacterLength(text, i);
    c = FoldedCharacter(text, i, length);
    i += length;
    return true;
  };
  bool more = next();
  while (more && IsWhiteSpace(c)) more = next();
  const bool negative = more && c == '-';
  if (more && (c == '-' || c == '+')) more = next();
  // Unsigned arithmetic wraps by definition, which is the 32-bit wrap the ids need.
  std::uint32_t value = 0;
  while (more && c >= '0' && c <= '9') {
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
    more = next();
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement) {
  if (text.empty() || search.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (MatchesAt(text, i, search)) {
      result.append(replacement);
      i += search.size();
      continue;
    }
    const std::size_t length = CharacterLength(text, i);
    result.append(text.substr(i, length));
    i += length;
  }
  return result;
}

std::string IntegerToText(std::int64_t value) {
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;  // 24 bytes hold every 64-bit value
  return std::string(digits, end);
}

std::int64_t FindText(std::string_view text, std::string_view search) {
  if (search.empty()) return -1;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
    if (MatchesAt(text, i, search)) return static_cast<std::int64_t>(i) + 1;
  }
  return -1;
}

std::size_t FindLastCharacter(std::string_view text, char c) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
    if (text[i] == c) last = i;
  }
  return last;
}

}  // namespace svcman
