// Text operations over code page 936 bytes. Every search scans by characters: a byte of 0x80
// or above followed by a non-zero byte is one two-byte character, so a match never begins at
// the second byte of a character (which can be 0x5C, the backslash). A lead byte that is the
// very last byte of a text is a character by itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace svcman {

// Length in bytes (1 or 2) of the character that starts at position i of text; 0 past its end.
std::size_t CharacterLength(std::string_view text, std::size_t i);

// Pulls the items of SplitText one at a time as views into text, so a caller that wants only a
// few of them (the four fields of a line, the last component of a path) neither copies nor
// allocates. text must outlive the splitter.
class TextSplitter {
 public:
  TextSplitter(std::string_view text, std::string_view delimiter);
  // The next item; false when there are no more.
  bool Next(std::string_view& item);

 private:
  // Byte position of the next delimiter at a character start, at or after position_, or npos.
  std::size_t FindDelimiter();
  std::size_t FindDelimiterByScanning();

  std::string_view text_;
  std::string_view delimiter_;
  std::size_t position_ = 0;   // a character start: where the scan goes on
  std::size_t itemStart_ = 0;  // where the current item began
  bool done_ = false;
};

// Items between delimiters; consecutive delimiters give empty items, a trailing delimiter gives
// no empty last item, an empty text gives none, an empty delimiter gives the whole text.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// The same items as views into text, for callers that only look at them (no copies).
std::vector<std::string_view> SplitTextViews(std::string_view text, std::string_view delimiter);

// Without leading and trailing ASCII spaces and ideographic spaces (0xA1 0xA1). Tabs stay.
std::string TrimSpaces(std::string_view text);
// The same part of text as a view into it, for a caller that copies it somewhere itself.
std::string_view TrimmedSpaces(std::string_view text);

// Leading integer in 32-bit arithmetic (wrapping), after full-width forms are folded to ASCII:
// optional white space, an optional sign, decimal digits; no digits gives 0.
std::int32_t TextToInteger(std::string_view text);

// Every occurrence of search replaced; an empty text or an empty search gives text unchanged.
std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement);

// Decimal digits with a leading minus sign when negative; no leading zeros, no fill.
std::string IntegerToText(std::int64_t value);

// Byte position (from 1) of the first occurrence of search at a character start, or -1. An
// empty search is never found.
std::int64_t FindText(std::string_view text, std::string_view search);

// Byte position (from 0) of the last occurrence of the single byte c at a character start, or
// std::string_view::npos. Used for the last real backslash of a path.
std::size_t FindLastCharacter(std::string_view text, char c);

}  // namespace svcman
