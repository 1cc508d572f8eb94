#include "BankImage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "CPresetSystemEffect.h"

namespace {

constexpr int32_t kImageVersion = 0x01000000;
constexpr int kNameBodySize = kNameRecordSize - kRecordHeadSize;
constexpr int kParamBodySize = kParamRecordSize - kRecordHeadSize;

void putWord(char*& p, int32_t v) {
  std::memcpy(p, &v, 4);
  p += 4;
}

int32_t getWord(const char* p, bool swapped) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  return static_cast<int32_t>(swapped ? mySwapBytes(w) : w);
}

float getFloat(const char* p, bool swapped) {
  const uint32_t w = static_cast<uint32_t>(getWord(p, swapped));
  float f;
  std::memcpy(&f, &w, 4);
  return f;
}

int storedSlots(CPresetSystemEffect& effect) {
  int n = 0;
  for (int s = 0; s < kNumPresetParams; ++s)
    if (!effect.isDummy(s)) ++n;
  return n;
}

// Clamps a bank value to [0, 1], saying so on stderr; not-a-number passes unchanged.
float checkedValue(float value, int slot, int preset, const char* what, const char* name24) {
  if (!(value < 0.0f) && !(value > 1.0f)) return value;
  char name[kPresetNameSize + 1] = {};
  std::memcpy(name, name24, kPresetNameSize);
  std::fprintf(stderr, "Invalid parameter %d value %f on %s of preset %d %s\n", slot,
               static_cast<double>(value), what, preset, name);
  return value < 0.0f ? 0.0f : 1.0f;
}

struct Record {
  int32_t type;
  int32_t bodyLength;
  int32_t preset;
  const char* body;
};

}  // namespace

void byteSwapHeader(newpresetheader* header) {
  char* bytes = reinterpret_cast<char*>(header);
  for (size_t at = 5; at + 4 <= sizeof(newpresetheader); at += 4) {
    uint32_t w;
    std::memcpy(&w, bytes + at, 4);
    w = mySwapBytes(w);
    std::memcpy(bytes + at, &w, 4);
  }
}

int BankToBuffer(CPresetSystemEffect& effect, char** out) {
  if (!effect.hasPresetTable()) return 0;
  const int slots = storedSlots(effect);
  const int payload = kNumPresets * (kNameRecordSize + kParamRecordSize * slots);
  const int length = static_cast<int>(sizeof(newpresetheader)) + payload;
  char* image = new (std::nothrow) char[static_cast<size_t>(length)]();
  if (!image) return 0;

  char* p = image;
  putWord(p, effect.getUniqueID());
  *p++ = kBankImageKind;
  putWord(p, kImageVersion);
  putWord(p, kNumPresetParams);
  putWord(p, kNumPresets * (1 + slots));
  putWord(p, static_cast<int32_t>(effect.getPresetNo()));
  putWord(p, payload);
  p += 16;

  std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
  for (int preset = 0; preset < kNumPresets; ++preset) {
    char name[kPresetNameSize];
    effect.copyPresetName(preset, name);
    putWord(p, 0);
    putWord(p, kNameBodySize);
    putWord(p, preset);
    std::memcpy(p, name, kPresetNameSize);
    p += kNameBodySize;
    for (int slot = 0; slot < kNumPresetParams; ++slot) {
      if (effect.isDummy(slot)) continue;
      const float value =
          checkedValue(effect.presetValue(preset, slot), slot, preset, "save", name);
      putWord(p, 1);
      putWord(p, kParamBodySize);
      putWord(p, preset);
      putWord(p, slot);
      p += 8;
      std::memcpy(p, &value, 4);
      p += 8;
    }
  }
  *out = image;
  return length;
}

bool BufferToBank(CPresetSystemEffect& effect, const char* records, size_t bytes,
                  const newpresetheader& header, bool swapped) {
  if (!effect.hasPresetTable()) return false;
  // Copies: the header is packed, its fields are not aligned.
  const int32_t recordCount = header.recordCount;
  const int32_t selectedPreset = header.selectedPreset;
  if (recordCount < 0) return false;

  // Walk the records once to check they all lie within the image.
  std::vector<Record> walk;
  walk.reserve(static_cast<size_t>(std::min<int32_t>(recordCount, 4096)));
  size_t at = 0;
  for (int32_t i = 0; i < recordCount; ++i) {
    if (at > bytes || bytes - at < static_cast<size_t>(kRecordHeadSize)) return false;
    Record r{getWord(records + at, swapped), getWord(records + at + 4, swapped),
             getWord(records + at + 8, swapped), records + at + kRecordHeadSize};
    if (r.bodyLength < 0 || static_cast<size_t>(r.bodyLength) > bytes - at - kRecordHeadSize)
      return false;
    if ((r.type == 0 && r.bodyLength < kPresetNameSize) || (r.type == 1 && r.bodyLength < 16))
      return false;
    walk.push_back(r);
    at += kRecordHeadSize + static_cast<size_t>(r.bodyLength);
  }

  const int32_t selected = selectedPreset >= 0 && selectedPreset < kNumPresets ? selectedPreset : 0;
  {
    std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
    for (const Record& r : walk) {
      if (r.preset < 0 || r.preset >= kNumPresets) continue;
      if (r.type == 0) {
        effect.initializePreset(r.preset);
        effect.storePresetNameRaw(r.preset, r.body);
      } else if (r.type == 1) {
        const int32_t slot = getWord(r.body, swapped);
        char name[kPresetNameSize];
        effect.copyPresetName(r.preset, name);
        const float value =
            checkedValue(getFloat(r.body + 12, swapped), slot, r.preset, "load", name);
        if (slot >= 0 && slot < kNumPresetParams) effect.setPresetValue(r.preset, slot, value);
      }
    }
  }
  effect.setPresetNo(selected);
  return true;
}
