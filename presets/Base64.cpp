#include "Base64.h"

#include <cstdint>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string base64Encode(const char* data, size_t size) {
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; i += 3) {
    const size_t left = size - i;
    const uint32_t v = (uint32_t{p[i]} << 16) | (left > 1 ? uint32_t{p[i + 1]} << 8 : 0) |
                       (left > 2 ? uint32_t{p[i + 2]} : 0);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += left > 1 ? kAlphabet[(v >> 6) & 63] : '=';
    out += left > 2 ? kAlphabet[v & 63] : '=';
  }
  return out;
}

bool base64Decode(std::string_view text, std::vector<char>& out) {
  out.clear();
  if (text.size() % 4 != 0) return false;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const int pad = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
    if (pad == 1 && text[i + 2] == '=') return false;  // "x=y=" is not padding
    int s[4];
    for (int k = 0; k < 4 - pad; ++k)
      if ((s[k] = sextet(text[i + k])) < 0) return false;
    for (int k = 4 - pad; k < 4; ++k) s[k] = 0;
    const uint32_t v =
        (uint32_t(s[0]) << 18) | (uint32_t(s[1]) << 12) | (uint32_t(s[2]) << 6) | uint32_t(s[3]);
    out.push_back(static_cast<char>(v >> 16));
    if (pad < 2) out.push_back(static_cast<char>((v >> 8) & 0xFF));
    if (pad < 1) out.push_back(static_cast<char>(v & 0xFF));
  }
  return true;
}
