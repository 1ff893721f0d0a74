#include "tests/fakes/simulated_code_page.h"

#include <iconv.h>

#include <cstdint>

namespace svcman::fake {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts one whole chunk; false when iconv rejects any of it.
  bool Convert(std::string_view in, std::string& out) {
    if (!valid()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string buffer(in.size() * 4 + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    out.append(buffer.data(), buffer.size() - outLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string UnitsAsBytes(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace

std::u16string Cp936ToUtf16(std::string_view text) {
  Converter converter("UTF-16LE", "CP936");
  std::u16string units;
  size_t i = 0;
  while (i < text.size()) {
    // One character at a time, so a bad pair costs only itself.
    const bool pair = static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size();
    const std::string_view character = text.substr(i, pair ? 2 : 1);
    i += character.size();
    std::string out;
    if (!converter.Convert(character, out)) {
      units.push_back(u'\xFFFD');
      continue;
    }
    for (size_t k = 0; k + 1 < out.size(); k += 2) {
      units.push_back(static_cast<char16_t>(static_cast<unsigned char>(out[k]) |
                                            (static_cast<unsigned char>(out[k + 1]) << 8)));
    }
  }
  return units;
}

std::string Utf16ToCp936(std::u16string_view units) {
  Converter converter("CP936", "UTF-16LE");
  std::string text;
  size_t i = 0;
  while (i < units.size()) {
    size_t length = 1;
    if (IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      length = 2;
    }
    const std::u16string_view character = units.substr(i, length);
    i += length;
    const bool loneSurrogate =
        length == 1 && (IsHighSurrogate(character[0]) || IsLowSurrogate(character[0]));
    if (loneSurrogate || !converter.Convert(UnitsAsBytes(character), text)) text.push_back('?');
  }
  return text;
}

}  // namespace svcman::fake
