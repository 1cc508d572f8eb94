// Feeds arbitrary bytes to the preset and bank readers, as a file and as a preference value.
// The first byte picks how: bit 0 as a file, bit 1 the user's endian-reversed flag, bits 2-3
// the kinds taken (any, presets, banks), bit 4 frames the rest with the plug-in's identifier
// (byte-reversed when bit 5 is set) and the kind byte that follows, so the fuzzer reaches the
// readers of every kind in either byte order quickly.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ImageLoader.h"
#include "Preferences.h"
#include "PresetFiles.h"
#include "PresetPreferences.h"
#include "ZelFETcomp.h"
#include "ZelWiring.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

void check(ZelFETcomp& effect) {
  char text[64];
  for (VstInt32 i = 0; i < 48; ++i) effect.getProgramNameIndexed(0, i, text);
  for (VstInt32 i = 0; i < 16; ++i) {
    const float v = effect.getParameter(i);
    if (!(v >= 0.0f && v <= 1.0f) && i != 3 && i != 7 && i != 14 && i != 15) __builtin_trap();
  }
  if (effect.getPresetNo() < 0 || effect.getPresetNo() > 47) __builtin_trap();
  void* out = nullptr;
  effect.getChunk(&out, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Never the user's own preferences: the instance starts from none.
  static const int isolated = setenv("XDG_CONFIG_HOME", "/nonexistent/zel-fuzz", 1);
  static ZelFETcomp* effect = createZelFETcomp(&host);
  (void)isolated;
  static const int fileDescriptor = memfd_create("zel-fuzz-image", MFD_CLOEXEC);
  if (size < 1) return 0;
  const uint8_t flags = data[0];
  ++data, --size;

  std::vector<char> image;
  if (flags & 0x10) {
    if (size < 1) return 0;
    uint32_t id = 0x4B765264;
    if (flags & 0x20) id = __builtin_bswap32(id);
    image.resize(5);
    std::memcpy(image.data(), &id, 4);
    image[4] = static_cast<char>(data[0]);
    ++data, --size;
  }
  image.insert(image.end(), data, data + size);

  const bool reversed = (flags & 0x02) != 0;
  const int kindBits = (flags >> 2) & 3;
  const ImageKinds kinds = kindBits == 1   ? ImageKinds::presets
                           : kindBits == 2 ? ImageKinds::banks
                                           : ImageKinds::any;
  if ((flags & 0x01) && fileDescriptor >= 0) {
    if (ftruncate(fileDescriptor, 0) != 0) return 0;
    if (pwrite(fileDescriptor, image.data(), image.size(), 0) != static_cast<ssize_t>(image.size()))
      return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fileDescriptor);
    loadPresetOrBankFile(*effect, "", path.c_str(), kinds, reversed);
  } else {
    Preferences prefs;
    prefs.setData(kDefaultPresetKey, image.data(), image.size());
    prefs.setData(kDefaultBankKey, image.data(), image.size());
    if (kinds != ImageKinds::banks) loadPresetImage(*effect, prefs, kDefaultPresetKey);
    if (kinds != ImageKinds::presets) loadBankImage(*effect, prefs);
  }
  check(*effect);
  return 0;
}
