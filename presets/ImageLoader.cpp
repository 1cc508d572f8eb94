#include "ImageLoader.h"

#include <cstring>

#include "BankImage.h"
#include "CPresetSystemEffect.h"
#include "ImageWords.h"
#include "OldImages.h"
#include "PresetImageCodec.h"

namespace {

constexpr size_t kHeadBytes = 5;  // identifier and kind byte
constexpr int kOldNameBytes = 24;

bool takes(ImageKinds kinds, bool bank) {
  return kinds == ImageKinds::any ||
         (bank ? kinds == ImageKinds::banks : kinds == ImageKinds::presets);
}

ImageLoadResult loaded(bool ok, bool bank) {
  if (!ok) return ImageLoadResult::rejected;
  return bank ? ImageLoadResult::bankLoaded : ImageLoadResult::presetLoaded;
}

}  // namespace

int oldPresetValueCount(size_t size) {
  if (size < kHeadBytes + kOldNameBytes) return -1;
  return static_cast<int>((size - kHeadBytes - kOldNameBytes) / 4);
}

int oldBankValueCount(size_t size) {
  if (size < kHeadBytes) return -1;
  const size_t stride = (size - kHeadBytes) / kNumPresets;
  if (stride < static_cast<size_t>(kOldNameBytes)) return -1;
  return static_cast<int>((stride - kOldNameBytes) / 4);
}

ImageLoadResult loadImageOfAnyOrder(CPresetSystemEffect& effect, const char* bytes, size_t size,
                                    ImageKinds kinds, bool userReversed, bool fromFile) {
  if (!bytes || size < kHeadBytes) return ImageLoadResult::notAnImage;
  const int32_t id = effect.getUniqueID();
  const int32_t stored = readImageWord(bytes, false);
  bool reversed;
  if (stored == static_cast<int32_t>(mySwapBytes(static_cast<uint32_t>(id))))
    reversed = true;
  else if (stored == id)
    reversed = false;
  else
    return ImageLoadResult::notAnImage;
  const bool swapped = reversed != userReversed;

  const char kind = bytes[4];
  const bool bank = kind == kBankImageKind || kind == kOldBankFileKind;
  if (kind != kPresetImageKind && kind != kBankImageKind && kind != kOldPresetFileKind &&
      kind != kOldBankFileKind)
    return ImageLoadResult::notAnImage;
  if (!takes(kinds, bank)) return ImageLoadResult::notAnImage;

  if (kind == kOldPresetFileKind)
    return loaded(BufferToPresetOld(effect, bytes + kHeadBytes, size - kHeadBytes, swapped,
                                    oldPresetValueCount(size)),
                  bank);
  if (kind == kOldBankFileKind)
    return loaded(BufferToBankOld(effect, bytes + kHeadBytes, size - kHeadBytes, swapped,
                                  kNumPresets, oldBankValueCount(size)),
                  bank);

  if (size < sizeof(newpresetheader)) return ImageLoadResult::rejected;
  // The caller's bytes are never written: the header is converted in a copy.
  newpresetheader header;
  std::memcpy(&header, bytes, sizeof(header));
  if (swapped) byteSwapHeader(&header);
  size_t recordBytes = size - sizeof(header);
  if (fromFile) {
    const int32_t payload = header.payloadSize;
    if (payload < 0) return ImageLoadResult::rejected;
    if (static_cast<size_t>(payload) < recordBytes) recordBytes = static_cast<size_t>(payload);
  }
  const char* records = bytes + sizeof(header);
  const bool ok = bank ? BufferToBank(effect, records, recordBytes, header, swapped)
                       : BufferToPreset(effect, records, recordBytes, header, swapped);
  return loaded(ok, bank);
}
