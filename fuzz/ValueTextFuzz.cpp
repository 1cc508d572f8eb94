// Every float and decimal count gives a terminated text within the budgets.
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "ValueText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  float value;
  std::memcpy(&value, data, sizeof(value));
  const int decimals = data[4] % 3;

  char text[16];
  std::memset(text, 0x7F, sizeof(text));
  float2string2(value, decimals, text);
  if (std::memchr(text, 0, 9) == nullptr) __builtin_trap();

  char readout[kValueTextSize];
  for (auto convert :
       {direct1StringConvert, intStringConvert, ratioStringConvert, fract1StringConvert}) {
    std::memset(readout, 0x7F, sizeof(readout));
    convert(value, readout, nullptr);
    if (std::memchr(readout, 0, sizeof(readout)) == nullptr) __builtin_trap();
  }
  return 0;
}
