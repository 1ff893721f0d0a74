// The text rules over code page 936 bytes. The byte strings are spelled out: "\x81\\" is one
// two-byte character whose second byte is a backslash, "\xA1\xA1" the ideographic space,
// "\xA3\xB7" the full-width 7.
#include "catalogue/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace svcman {
namespace {

using namespace std::string_literals;
using Items = std::vector<std::string>;

TEST(CharacterLength, TwoBytesOnlyForALeadByteWithANonZeroFollower) {
  struct Case {
    std::string text;
    std::size_t at;
    std::size_t expected;
  };
  const Case cases[] = {
      {"a", 0, 1},         // ASCII
      {"\xB0\xA1", 0, 2},  // a two-byte character
      {"\x81\\", 0, 2},    // the backslash is the second byte
      {"\x81,", 0, 2},     // so is an ASCII comma
      {"\xB0", 0, 1},      // a lead byte as the last byte stands alone
      {"a\xB0", 1, 1},     // also after other characters
      {"\x81\0x"s, 0, 1},  // a lead byte before a NUL stands alone
      {"\xB0\xA1", 1, 1},  // from the second byte the first is not seen
      {"ab", 2, 0},        // past the end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharacterLength(c.text, c.at), c.expected)
        << testing::PrintToString(c.text) << " at " << c.at;
  }
}

struct SplitCase {
  std::string text;
  std::string delimiter;
  Items expected;
};

const SplitCase kSplitCases[] = {
    {"", ",", {}},
    {"", "", {}},
    {"abc", "", {"abc"}},
    {"a,b,c", ",", {"a", "b", "c"}},
    {"a,,b", ",", {"a", "", "b"}},
    {",a", ",", {"", "a"}},
    {"a,", ",", {"a"}},  // a trailing delimiter gives no empty last item
    {"a,,", ",", {"a", ""}},
    {",", ",", {""}},
    {",,", ",", {"", ""}},
    {"ab", "abc", {"ab"}},  // fewer bytes left than the delimiter has
    {"D:\\srv\\gate.exe", "\\", {"D:", "srv", "gate.exe"}},
    {"D:\\srv\\", "\\", {"D:", "srv"}},
    {"D:\\srv\\\\", "\\", {"D:", "srv", ""}},
    {"\\", "\\", {""}},
    // 0x5C as the second byte of a character is not a backslash.
    {"D:\\a\x81\\.exe", "\\", {"D:", "a\x81\\.exe"}},
    {"\x81\\\x81\\", "\\", {"\x81\\\x81\\"}},
    // A lead byte at the very end is a character by itself, after a delimiter or not.
    {"a,\x81", ",", {"a", "\x81"}},
    {"\x81", ",", {"\x81"}},
    // Runs of high bytes: an odd run swallows the comma, an even one does not.
    {"\x81,x", ",", {"\x81,x"}},
    {"\x81\x81,x", ",", {"\x81\x81", "x"}},
    {"\x81\x81\x81,x", ",", {"\x81\x81\x81,x"}},
    {"a\x81\x81\x81\x81,b,\x81,c", ",", {"a\x81\x81\x81\x81", "b", "\x81,c"}},
    // A lead byte before a NUL stands alone, so the comma after the NUL is a delimiter.
    {"\x81\0,x"s, ",", {"\x81\0"s, "x"}},
    {"line1\r\nline2\r\n", "\r\n", {"line1", "line2"}},
    {"\r\n", "\r\n", {""}},
    {"\r\n\r\n", "\r\n", {"", ""}},
    {"a\nb\rc", "\r\n", {"a\nb\rc"}},  // lone LF and CR stay inside the line
    {"a\r\r\nb", "\r\n", {"a\r", "b"}},
    // A line ending in a lone lead byte takes the CR as its second byte: no line break there.
    {"x\x81\r\ny", "\r\n", {"x\x81\r\ny"}},
    {"x\x81\x81\r\ny", "\r\n", {"x\x81\x81", "y"}},
    // A delimiter that is itself a two-byte character (\xB1\xEA), aligned and misaligned.
    {"a\xB1\xEA"s + "b\xB1\xEA", "\xB1\xEA", {"a", "b"}},
    {"\xC4\xB1\xEA", "\xB1\xEA", {"\xC4\xB1\xEA"}},
};

TEST(SplitText, Cases) {
  for (const SplitCase& c : kSplitCases) {
    EXPECT_EQ(SplitText(c.text, c.delimiter), c.expected)
        << testing::PrintToString(c.text) << " split at " << testing::PrintToString(c.delimiter);
  }
}

TEST(SplitTextViews, GivesTheSameItemsAsViewsIntoTheText) {
  for (const SplitCase& c : kSplitCases) {
    const std::vector<std::string_view> views = SplitTextViews(c.text, c.delimiter);
    ASSERT_EQ(views.size(), c.expected.size()) << testing::PrintToString(c.text);
    for (std::size_t i = 0; i < views.size(); ++i) {
      EXPECT_EQ(std::string(views[i]), c.expected[i]);
      if (!views[i].empty()) {
        EXPECT_GE(views[i].data(), c.text.data());
        EXPECT_LE(views[i].data() + views[i].size(), c.text.data() + c.text.size());
      }
    }
  }
}

// The plain reading of the splitting rule, one character at a time, to hold the fast search
// for ASCII delimiters against on texts full of lead bytes, backslashes, CRs and NULs.
Items SplitOneCharacterAtATime(const std::string& text, const std::string& delimiter) {
  Items items;
  if (text.empty()) return items;
  std::size_t start = 0;
  std::size_t i = 0;
  while (text.size() - i >= delimiter.size()) {
    if (text.compare(i, delimiter.size(), delimiter) == 0) {
      items.push_back(text.substr(start, i - start));
      i += delimiter.size();
      start = i;
      continue;
    }
    const bool lead = static_cast<unsigned char>(text[i]) >= 0x80;
    i += lead && i + 1 < text.size() && text[i + 1] != '\0' ? 2 : 1;
  }
  if (start < text.size()) items.push_back(text.substr(start));
  return items;
}

TEST(SplitText, AgreesWithTheCharacterByCharacterRuleOnRandomBytes) {
  const char alphabet[] = {'a', ',', '\\', '\r', '\n', '\0', '\x81', '\xA1', '\xB1', '\xEA'};
  const std::string delimiters[] = {",", "\\", "\r\n", "\xB1\xEA", "a,a"};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
  std::uniform_int_distribution<std::size_t> length(0, 40);
  for (int round = 0; round < 4000; ++round) {
    std::string text(length(random), ' ');
    for (char& c : text) c = alphabet[pick(random)];
    for (const std::string& delimiter : delimiters) {
      ASSERT_EQ(SplitText(text, delimiter), SplitOneCharacterAtATime(text, delimiter))
          << testing::PrintToString(text) << " split at " << testing::PrintToString(delimiter);
    }
  }
}

TEST(SplitText, TextSplitterStopsWhenAskedAndNeverRestarts) {
  TextSplitter splitter("a,b", ",");
  std::string_view item;
  ASSERT_TRUE(splitter.Next(item));
  EXPECT_EQ(item, "a");
  ASSERT_TRUE(splitter.Next(item));
  EXPECT_EQ(item, "b");
  EXPECT_FALSE(splitter.Next(item));
  EXPECT_FALSE(splitter.Next(item));
}

TEST(TrimSpaces, Cases) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"   ", ""},
      {" \xA1\xA1 ", ""},
      {"  -b  ", "-b"},
      {"\xA1\xA1-b\xA1\xA1", "-b"},
      {"a b", "a b"},
      {"\t-b\t", "\t-b\t"},  // tabs stay
      {" \t-b ", "\t-b"},
      {"\r\n", "\r\n"},
      // [B0 A1] is a character, so the last A1 stands alone and is no ideographic space.
      {"x\xB0\xA1\xA1", "x\xB0\xA1\xA1"},
      // [A1 A1] then a lone A1: only the first is a space.
      {"\xA1\xA1\xA1", "\xA1"},
      // The space after a lead byte is that character's second byte.
      {"\x81 ", "\x81 "},
      {" \x81", "\x81"},
      // A last byte of 0xA1 that ends another character, or stands alone, is no space.
      {" -b\xB0\xA1", "-b\xB0\xA1"},
      {"a\xA1", "a\xA1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrimSpaces(c.text), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(TextToInteger, Cases) {
  struct Case {
    std::string text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"7", 7},
      {"007", 7},
      {" 7", 7},
      {"+7", 7},
      {"\xA3\xB7", 7},  // full-width 7
      {"-3", -3},
      {"12abc", 12},
      {"3.9", 3},
      {"a", 0},
      {"", 0},
      {"-", 0},
      {"- 3", 0},
      {"--3", 0},
      {"+-3", 0},
      {"\t\n\v\f\r 5", 5},
      {"\xA1\xA1"s + "5", 5},            // ideographic space
      {"\xA3\xAD\xA3\xB5", -5},          // full-width minus and 5
      {"\xA3\xAB\xA3\xB1\xA3\xB2", 12},  // full-width plus, 1, 2
      {"1\xA3\xB2"s + "3", 123},         // mixed widths
      {"\xA3\xB3\xA3\xAE\xA3\xB5", 3},   // full-width 3.5
      {"\xA1\xAB"s + "5", 0},            // folds to a tilde
      {"\xA1\xEE"s + "5", 0},            // folds to an asterisk
      {"\x81\xA3\xB5", 0},               // [81 A3] is one character, B5 another: no digit
      {"\xA3\xB1\xA3", 1},               // a trailing lead byte ends the digits
      {"12\0"s + "34", 12},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MIN},  // wraps
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967297", 1},
      {"-4294967297", -1},
      {"99999999999999999999", 1661992959},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToInteger(c.text), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(ReplaceText, Cases) {
  struct Case {
    std::string text, search, replacement, expected;
  };
  const std::string marker = "\xB1\xEA\xCC\xE2=";  // the title marker
  const Case cases[] = {
      {marker + "Game", marker, "", "Game"},
      {marker + "a" + marker + "b", marker, "", "ab"},
      {"Game", marker, "", "Game"},
      {"", "a", "x", ""},
      {"abc", "", "x", "abc"},
      {"\"C:\\a b\\x.exe\" -p", "\"", "", "C:\\a b\\x.exe -p"},
      {"aaa", "aa", "b", "ba"},  // goes on after the match
      {"a,b", ",", ", ", "a, b"},
      // The marker starting at the second byte of a character is not an occurrence.
      {"\xC4" + marker, marker, "", "\xC4" + marker},
      {"x\x81\"", "\"", "", "x\x81\""},
      {"x\x81\x81\"", "\"", "", "x\x81\x81"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement), c.expected)
        << testing::PrintToString(c.text);
  }
}

TEST(IntegerToText, Cases) {
  struct Case {
    std::int64_t value;
    std::string expected;
  };
  const Case cases[] = {
      {0, "0"},
      {7, "7"},
      {-3, "-3"},
      {INT32_MAX, "2147483647"},
      {INT32_MIN, "-2147483648"},
      {4294967295, "4294967295"},
  };
  for (const Case& c : cases) EXPECT_EQ(IntegerToText(c.value), c.expected);
}

TEST(FindText, Cases) {
  struct Case {
    std::string text, search;
    std::int64_t expected;
  };
  const Case cases[] = {
      {"|1||23|", "|23|", 4},   {"|23|", "|23|", 1},    {"|1||23|", "|2|", -1},
      {"abc", "", -1},          {"", "a", -1},          {"ab", "abc", -1},
      {"a|5|", "|5|", 2},       {"\x81|5|", "|5|", -1},  // [81 7C] takes the first bar
      {"\x81|5||5|", "|5|", 5},                          // the next one counts
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(c.text, c.search), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(FindLastCharacter, Cases) {
  struct Case {
    std::string text;
    std::size_t expected;
  };
  constexpr std::size_t kNone = std::string_view::npos;
  const Case cases[] = {
      {"D:\\srv\\gate.exe", 6}, {"gate.exe", kNone}, {"", kNone}, {"\\", 0},
      {"D:\\a\x81\\b", 2},  // the second backslash is part of a character
      {"a\\\x81", 1},       // a lead byte at the end does not hide anything
      {"\x81\\\x81\\", kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindLastCharacter(c.text, '\\'), c.expected) << testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace svcman
