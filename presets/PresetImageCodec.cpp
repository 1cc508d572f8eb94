#include "PresetImageCodec.h"

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "CPresetSystemEffect.h"
#include "ImageRecords.h"

int PresetToBuffer(CPresetSystemEffect& effect, char** out) {
  if (!effect.hasPresetTable()) return 0;
  const int slots = storedSlots(effect);
  const int payload = presetPayloadSize(slots);
  const int length = static_cast<int>(sizeof(newpresetheader)) + payload;
  char* image = new (std::nothrow) char[static_cast<size_t>(length)]();
  if (!image) return 0;

  char* p = image;
  writeImageHeader(p, effect.getUniqueID(), kPresetImageKind, 1 + slots, 0, payload);
  std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
  writePresetRecords(p, effect, effect.getPresetNo(), 0, false);
  *out = image;
  return length;
}

bool BufferToPreset(CPresetSystemEffect& effect, const char* records, size_t bytes,
                    const newpresetheader& header, bool swapped) {
  if (!effect.hasPresetTable()) return false;
  const int32_t recordCount = header.recordCount;
  std::vector<ImageRecord> walk;
  if (!walkImageRecords(records, bytes, recordCount, swapped, walk)) return false;
  // An out-of-range value rejects the whole image; checking first leaves the preset as it was.
  for (const ImageRecord& r : walk) {
    if (r.type != kParamRecordType) continue;
    const int32_t slot = recordSlot(r, swapped);
    const float value = recordValue(r, swapped);
    if (slot >= 0 && slot < kNumPresetParams && (value < 0.0f || value > 1.0f)) return false;
  }

  const long n = effect.getPresetNo();
  char name[kPresetNameSize + 1] = {};
  {
    std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
    effect.initializePreset(n);
    for (const ImageRecord& r : walk) {
      if (r.type == kNameRecordType) {
        effect.storePresetNameRaw(n, r.body);
      } else if (r.type == kParamRecordType) {
        const int32_t slot = recordSlot(r, swapped);
        if (slot >= 0 && slot < kNumPresetParams)
          effect.setPresetValue(n, slot, recordValue(r, swapped));
      }
    }
    effect.copyPresetName(n, name);
  }
  effect.setPresetName(name);
  effect.setPresetNo(n);
  return true;
}
