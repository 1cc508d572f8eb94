#include "OldImages.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "CPresetSystemEffect.h"
#include "ImageWords.h"

namespace {

// The value read for slot j of the preset that starts at `preset`: not-a-number and values
// outside [0, 1] fail.
bool readOldValue(const char* preset, int j, bool swapped, float& value) {
  value = readImageFloat(preset + kPresetNameSize + 4 * j, swapped);
  return value >= 0.0f && value <= 1.0f;
}

bool valuesInRange(CPresetSystemEffect& effect, const char* preset, int count, bool swapped) {
  float value;
  for (int j = 0; j < count; ++j)
    if (!effect.isDummyOld(j) && !readOldValue(preset, j, swapped, value)) return false;
  return true;
}

// Resets preset n and fills it from an old preset of `count` values (already checked).
void applyOldPreset(CPresetSystemEffect& effect, long n, const char* preset, int count,
                    bool swapped) {
  effect.initializePreset(n);
  effect.storePresetNameRaw(n, preset);
  float value;
  for (int j = 0; j < count; ++j)
    if (!effect.isDummyOld(j) && readOldValue(preset, j, swapped, value))
      effect.setPresetValue(n, j, value);
}

}  // namespace

bool BufferToBankOld(CPresetSystemEffect& effect, const char* body, size_t bytes, bool swapped,
                     int presets, int values) {
  if (!effect.hasPresetTable() || values < 0 || presets < 0) return false;
  const int read = std::min(presets, kNumPresets);
  const int count = std::min(values, kNumPresetParams);
  const size_t stride = kPresetNameSize + 4 * static_cast<size_t>(values);
  if (static_cast<size_t>(read) * stride > bytes) return false;
  // Every value is checked before anything changes, so a bad one leaves the table as it was.
  for (int i = 0; i < read; ++i)
    if (!valuesInRange(effect, body + static_cast<size_t>(i) * stride, count, swapped))
      return false;
  {
    std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
    for (int i = 0; i < read; ++i)
      applyOldPreset(effect, i, body + static_cast<size_t>(i) * stride, count, swapped);
  }
  effect.setPresetNo(0);
  return true;
}

bool BufferToPresetOld(CPresetSystemEffect& effect, const char* body, size_t bytes, bool swapped,
                       int values) {
  if (!effect.hasPresetTable() || bytes < static_cast<size_t>(kPresetNameSize)) return false;
  const size_t present = (bytes - kPresetNameSize) / 4;
  const int count = static_cast<int>(
      std::min<size_t>({static_cast<size_t>(std::max(values, 0)), kNumPresetParams, present}));
  if (!valuesInRange(effect, body, count, swapped)) return false;

  const long n = effect.getPresetNo();
  char name[kPresetNameSize + 1] = {};
  {
    std::lock_guard<std::recursive_mutex> guard(effect.tableMutex());
    applyOldPreset(effect, n, body, count, swapped);
    effect.copyPresetName(n, name);
  }
  effect.setPresetName(name);
  effect.setPresetNo(n);
  return true;
}
