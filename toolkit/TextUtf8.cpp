#include "TextUtf8.h"

namespace {

// Length of the valid UTF-8 sequence at s (0 when the bytes there are not one).
size_t validSequenceLength(const unsigned char* s) {
  unsigned char c = s[0];
  if (c < 0x80) return 1;
  size_t n;
  uint32_t cp;
  if ((c & 0xE0) == 0xC0) {
    n = 2;
    cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3;
    cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  for (size_t i = 1; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;  // also stops at the terminating zero
    cp = (cp << 6) | (s[i] & 0x3F);
  }
  static const uint32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string toValidUtf8(const char* text) {
  std::string out;
  if (!text) return out;
  auto s = reinterpret_cast<const unsigned char*>(text);
  while (*s) {
    size_t n = validSequenceLength(s);
    if (n) {
      out.append(reinterpret_cast<const char*>(s), n);
      s += n;
    } else {
      out += encodeUtf8(*s);
      ++s;
    }
  }
  return out;
}

std::string encodeUtf8(uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

size_t utf8Previous(const std::string& text, size_t pos) {
  if (pos > text.size()) pos = text.size();
  if (pos == 0) return 0;
  size_t p = pos - 1;
  // Step over at most three continuation bytes of one sequence.
  for (int i = 0; i < 3 && p > 0 && isContinuation(text[p]); ++i) --p;
  return p;
}

size_t utf8Next(const std::string& text, size_t pos) {
  if (pos >= text.size()) return text.size();
  size_t p = pos + 1;
  for (int i = 0; i < 3 && p < text.size() && isContinuation(text[p]); ++i) ++p;
  return p;
}
