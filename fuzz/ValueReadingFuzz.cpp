// Any typed text for any index reads within its bounds, and a value read is
// normalised and shows a text within the host's budget.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ZelParameterTable.h"
#include "ZelValueReading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int index = static_cast<int>(data[0] % 20) - 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  float v = -1.0f;
  if (!zelParseValueText(index, text, v)) return 0;
  if (!(v >= 0.0f && v <= 1.0f)) __builtin_trap();
  char shown[16];
  std::memset(shown, 0x7F, sizeof(shown));
  zelHostDisplayText(index, v, shown);
  if (std::memchr(shown, 0, 12) == nullptr) __builtin_trap();
  return 0;
}
