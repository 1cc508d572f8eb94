#include "BankImage.h"

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "CPresetSystemEffect.h"

void byteSwapHeader(newpresetheader* header) {
  char* bytes = reinterpret_cast<char*>(header);
  for (size_t at = 5; at + 4 <= sizeof(newpresetheader); at += 4) mySwapBytes(bytes + at);
}

int BankToBuffer(CPresetSystemEffect& effect, char** out) {
  if (!effect.hasPresetTable()) return 0;
  const int slots = storedSlots(effect);
  const int payload = kNumPresets * presetPayloadSize(slots);
  const int length = static_cast<int>(sizeof(newpresetheader)) + payload;
  char* image = new (std::nothrow) char[static_cast<size_t>(length)]();
  if (!image) return 0;

  char* p = image;
  writeImageHeader(p, effect.getUniqueID(), kBankImageKind, kNumPresets * (1 + slots),
                   static_cast<int32_t>(effect.getPresetNo()), payload);
  std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
  for (int preset = 0; preset < kNumPresets; ++preset)
    writePresetRecords(p, effect, preset, preset, true);
  *out = image;
  return length;
}

bool BufferToBank(CPresetSystemEffect& effect, const char* records, size_t bytes,
                  const newpresetheader& header, bool swapped) {
  if (!effect.hasPresetTable()) return false;
  // Copies: the header is packed, its fields are not aligned.
  const int32_t recordCount = header.recordCount;
  const int32_t selectedPreset = header.selectedPreset;
  std::vector<ImageRecord> walk;
  if (!walkImageRecords(records, bytes, recordCount, swapped, walk)) return false;

  const int32_t selected = selectedPreset >= 0 && selectedPreset < kNumPresets ? selectedPreset : 0;
  {
    std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
    for (const ImageRecord& r : walk) {
      if (r.preset < 0 || r.preset >= kNumPresets) continue;
      if (r.type == kNameRecordType) {
        effect.initializePreset(r.preset);
        effect.storePresetNameRaw(r.preset, r.body);
      } else if (r.type == kParamRecordType) {
        const int32_t slot = recordSlot(r, swapped);
        char name[kPresetNameSize];
        effect.copyPresetName(r.preset, name);
        const float value = clampBankValue(recordValue(r, swapped), slot, r.preset, "load", name);
        if (slot >= 0 && slot < kNumPresetParams) effect.setPresetValue(r.preset, slot, value);
      }
    }
  }
  effect.setPresetNo(selected);
  return true;
}
