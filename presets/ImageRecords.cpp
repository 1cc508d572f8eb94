#include "ImageRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CPresetSystemEffect.h"
#include "ImageWords.h"

namespace {

constexpr int kNameBodySize = kNameRecordSize - kRecordHeadSize;
constexpr int kParamBodySize = kParamRecordSize - kRecordHeadSize;
// A parameter body must hold the slot (body offset 0) and the value (body offset 12).
constexpr int32_t kMinParamBody = 16;

}  // namespace

int storedSlots(CPresetSystemEffect& effect) {
  int n = 0;
  for (int s = 0; s < kNumPresetParams; ++s)
    if (!effect.isDummy(s)) ++n;
  return n;
}

int presetPayloadSize(int slots) { return kNameRecordSize + kParamRecordSize * slots; }

void writeImageHeader(char*& p, int32_t uniqueID, char kind, int32_t records, int32_t selected,
                      int32_t payload) {
  putImageWord(p, uniqueID);
  *p++ = kind;
  putImageWord(p, kImageVersion);
  putImageWord(p, kNumPresetParams);
  putImageWord(p, records);
  putImageWord(p, selected);
  putImageWord(p, payload);
  std::memset(p, 0, 16);
  p += 16;
}

float clampBankValue(float value, int slot, long preset, const char* what, const char* name24) {
  if (!(value < 0.0f) && !(value > 1.0f)) return value;
  char name[kPresetNameSize + 1] = {};
  std::memcpy(name, name24, kPresetNameSize);
  std::fprintf(stderr, "Invalid parameter %d value %f on %s of preset %ld %s\n", slot,
               static_cast<double>(value), what, preset, name);
  return value < 0.0f ? 0.0f : 1.0f;
}

void writePresetRecords(char*& p, CPresetSystemEffect& effect, long preset, int32_t recordPreset,
                        bool clampWithDiagnostics) {
  char name[kPresetNameSize];
  effect.copyPresetName(preset, name);
  putImageWord(p, kNameRecordType);
  putImageWord(p, kNameBodySize);
  putImageWord(p, recordPreset);
  std::memcpy(p, name, kPresetNameSize);
  std::memset(p + kPresetNameSize, 0, kNameBodySize - kPresetNameSize);
  p += kNameBodySize;
  for (int slot = 0; slot < kNumPresetParams; ++slot) {
    if (effect.isDummy(slot)) continue;
    float value = effect.presetValue(preset, slot);
    if (clampWithDiagnostics) value = clampBankValue(value, slot, preset, "save", name);
    char* record = p;
    std::memset(record, 0, kParamRecordSize);
    putImageWord(p, kParamRecordType);
    putImageWord(p, kParamBodySize);
    putImageWord(p, recordPreset);
    putImageWord(p, slot);
    std::memcpy(record + 24, &value, 4);
    p = record + kParamRecordSize;
  }
}

bool walkImageRecords(const char* records, size_t bytes, int32_t count, bool swapped,
                      std::vector<ImageRecord>& out) {
  out.clear();
  if (count < 0) return false;
  // Every record takes at least its head, so no more than bytes / 12 can be present.
  out.reserve(std::min<size_t>(static_cast<size_t>(count), bytes / kRecordHeadSize));
  size_t at = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (bytes - at < static_cast<size_t>(kRecordHeadSize)) return false;
    const char* head = records + at;
    const ImageRecord r{readImageWord(head, swapped), readImageWord(head + 4, swapped),
                        readImageWord(head + 8, swapped), head + kRecordHeadSize};
    if (r.bodyLength < 0 ||
        static_cast<size_t>(r.bodyLength) > bytes - at - static_cast<size_t>(kRecordHeadSize))
      return false;
    if ((r.type == kNameRecordType && r.bodyLength < kPresetNameSize) ||
        (r.type == kParamRecordType && r.bodyLength < kMinParamBody))
      return false;
    out.push_back(r);
    at += static_cast<size_t>(kRecordHeadSize) + static_cast<size_t>(r.bodyLength);
  }
  return true;
}

int32_t recordSlot(const ImageRecord& record, bool swapped) {
  return readImageWord(record.body, swapped);
}

float recordValue(const ImageRecord& record, bool swapped) {
  return readImageFloat(record.body + 12, swapped);
}
