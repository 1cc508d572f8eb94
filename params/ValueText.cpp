#include "ValueText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr int kBudget = 8;

// Formats value with a fixed number of decimals, without touching the locale.
// Returns the number of characters written (text is NUL-terminated).
int formatFixed(double value, int decimals, char* text, int size) {
  auto result = std::to_chars(text, text + size - 1, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) {
    std::strcpy(text, "Huge!");
    return 5;
  }
  *result.ptr = 0;
  return static_cast<int>(result.ptr - text);
}

}  // namespace

void float2string2(float value, int decimals, char* text) {
  double v = value;
  if (!std::isfinite(v)) {
    std::strcpy(text, "Huge!");
    return;
  }

  // Rounding: a remainder of 0.49999 of the last kept place counts as a half.
  const double k = std::trunc(std::pow(10.0, decimals));
  const double s = v * k;
  const double f = s - std::trunc(s);
  if (f >= 0.49999)
    v = (s + 1.0) * std::pow(0.1, decimals);
  else if (f <= -0.49999)
    v = (s - 1.0) * std::pow(0.1, decimals);

  if (v > 99999999.0 || v < -9999999.0) {
    std::strcpy(text, "Huge!");
    return;
  }

  char buf[kBudget + 2];
  int len = 0;
  if (v < 0.0) buf[len++] = '-';
  const double mag = std::fabs(v);

  // Integer digits, right to left.
  double n = std::floor(mag);
  char digits[kBudget + 1];
  int numDigits = 0;
  digits[numDigits++] = static_cast<char>('0' + static_cast<int>(std::fmod(n, 10.0)));
  for (double q = n * 0.1; q >= 1.0 && numDigits < kBudget; q *= 0.1)
    digits[numDigits++] = static_cast<char>('0' + static_cast<int>(std::fmod(q, 10.0)));

  if (len + numDigits >= kBudget) {
    // Eight characters of integer digits and sign: no room for a point. Show
    // them all rather than drop the leading ones.
    for (int i = numDigits - 1; i >= 0; --i) buf[len++] = digits[i];
    buf[len] = 0;
    std::memcpy(text, buf, static_cast<size_t>(len) + 1);
    return;
  }
  for (int i = numDigits - 1; i >= 0; --i) buf[len++] = digits[i];
  buf[len++] = '.';
  const int pointAt = len - 1;

  if (len < kBudget) {
    const int m = kBudget - len;
    double r = std::fmod(mag, 1.0) * std::pow(10.0, m);
    for (int i = kBudget - 1; i >= len; --i) {
      if (r > 0.0) {
        buf[i] = static_cast<char>('0' + static_cast<int>(std::fmod(r, 10.0)));
        r *= 0.1;
      } else {
        buf[i] = '0';
      }
    }
    len = kBudget;
    if (decimals >= 1 && len - (pointAt + 1) >= decimals)
      len = pointAt + 1 + decimals;
    else if (decimals == 0)
      len = pointAt;
  }
  buf[len] = 0;
  std::memcpy(text, buf, static_cast<size_t>(len) + 1);
}

bool direct1StringConvert(float value, char* text, void*) {
  formatFixed(value, 1, text, kValueTextSize);
  return true;
}

bool intStringConvert(float value, char* text, void*) {
  formatFixed(value, 0, text, kValueTextSize);
  return true;
}

bool ratioStringConvert(float value, char* text, void*) {
  int n = formatFixed(value, 1, text, kValueTextSize - 2);
  std::strcpy(text + n, ":1");
  return true;
}

bool fract1StringConvert(float value, char* text, void*) {
  if (std::fabs(value) < 0.05f) {
    std::strcpy(text, "0.0");
    return true;
  }
  if (value >= 0.0f || std::isnan(value)) {
    text[0] = '+';
    formatFixed(value, 1, text + 1, kValueTextSize - 1);
  } else {
    formatFixed(value, 1, text, kValueTextSize);
  }
  return true;
}
