// Feeds arbitrary bytes to the effect as a state chunk, in both framings.
#include <cstdint>
#include <cstring>
#include <vector>

#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ZelFETcomp* effect = createZelFETcomp(&host);
  // The first byte picks a framing so the fuzzer reaches the readers quickly.
  std::vector<unsigned char> chunk(size + 8);
  const int32_t id = 0x4B765264;
  const int32_t marker = size && (data[0] & 1) ? 0x02000000 : 0x01000000;
  std::memcpy(chunk.data(), &marker, 4);
  std::memcpy(chunk.data() + 4, &id, 4);
  if (size) std::memcpy(chunk.data() + 8, data, size);
  effect->setChunk(chunk.data(), static_cast<VstInt32>(chunk.size()), false);
  // And the raw bytes as they came.
  std::vector<unsigned char> raw(data, data + size);
  effect->setChunk(raw.data(), static_cast<VstInt32>(raw.size()), true);

  char text[64];
  for (VstInt32 i = 0; i < 48; ++i) effect->getProgramNameIndexed(0, i, text);
  for (VstInt32 i = 0; i < 16; ++i) {
    std::memset(text, 0, sizeof(text));
    effect->getParameterDisplay(i, text);
    const float v = effect->getParameter(i);
    if (!(v >= 0.0f && v <= 1.0f) && i != 3 && i != 7 && i != 14 && i != 15) __builtin_trap();
  }
  void* out = nullptr;
  effect->getChunk(&out, false);
  return 0;
}
