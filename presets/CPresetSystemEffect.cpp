#include "CPresetSystemEffect.h"

#include <cmath>
#include <cstring>
#include <new>

#include "PresetEditorLink.h"
#include "PresetImage.h"

namespace {

// Values read back from the table: above 1 or not a number gives 1.
float clampStored(float v) {
  if (!(v <= 1.0f)) return 1.0f;
  return v < 0.0f ? 0.0f : v;
}

// Values entering the table: below 0 or not a number gives 0.
float clampIncoming(float v) {
  if (!(v >= 0.0f)) return 0.0f;
  return v > 1.0f ? 1.0f : v;
}

int32_t readWord(const unsigned char* p, bool swapped) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  if (swapped) w = mySwapBytes(w);
  return static_cast<int32_t>(w);
}

float readFloat(const unsigned char* p, bool swapped) {
  uint32_t w = static_cast<uint32_t>(readWord(p, swapped));
  float f;
  std::memcpy(&f, &w, 4);
  return f;
}

}  // namespace

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback master)
    : AudioEffectX(master, 1, kNumPresetParams) {
  programsAreChunks(true);
  chunkBuffer = new (std::nothrow) unsigned char[kChunkBufferSize]();
  chunkBufferSize = chunkBuffer ? kChunkBufferSize : 0;
  curProgram = 0;
  programs = new (std::nothrow) PresetRecord[kNumPresets]();
  if (programs) defaultPreset = programs[0];
}

CPresetSystemEffect::~CPresetSystemEffect() {
  delete[] programs;
  delete[] chunkBuffer;
}

float CPresetSystemEffect::presetValue(long preset, int slot) const {
  if (!programs || preset < 0 || preset >= kNumPresets || slot < 0 || slot >= kNumPresetParams)
    return 0.0f;
  return std::atomic_ref<float>(programs[preset].params[slot]).load(std::memory_order_relaxed);
}

void CPresetSystemEffect::setPresetValue(long preset, int slot, float value) {
  if (!programs || preset < 0 || preset >= kNumPresets || slot < 0 || slot >= kNumPresetParams)
    return;
  std::atomic_ref<float>(programs[preset].params[slot]).store(value, std::memory_order_relaxed);
}

void CPresetSystemEffect::copyPresetName(long preset, char* out) const {
  std::lock_guard<std::recursive_mutex> guard(tableLock);
  if (programs && preset >= 0 && preset < kNumPresets)
    std::memcpy(out, programs[preset].name, kPresetNameSize);
  else
    std::memset(out, 0, kPresetNameSize);
}

void CPresetSystemEffect::storePresetNameRaw(long preset, const char* name24) {
  std::lock_guard<std::recursive_mutex> guard(tableLock);
  if (programs && preset >= 0 && preset < kNumPresets)
    std::memcpy(programs[preset].name, name24, kPresetNameSize);
}

void CPresetSystemEffect::storePresetName(long preset, const char* name) {
  if (!programs || preset < 0 || preset >= kNumPresets) return;
  // The name is cut to 24 bytes first; a stored name keeps at most 23 characters.
  char cut[kPresetNameSize + 1] = {};
  std::memcpy(cut, name, strnlen(name, kPresetNameSize));
  std::lock_guard<std::recursive_mutex> guard(tableLock);
  char* dest = programs[preset].name;
  std::memset(dest, 0, kPresetNameSize);
  std::memcpy(dest, cut, strnlen(cut, kPresetNameSize - 1));
}

void CPresetSystemEffect::setProgramName(char* name) {
  char cut[kPresetNameSize + 1] = {};
  std::memcpy(cut, name, strnlen(name, kPresetNameSize));
  storePresetName(getPresetNo(), cut);
  if (PresetEditorLink* link = presetEditor()) link->nameChangedExternal(cut);
}

void CPresetSystemEffect::getProgramName(char* name) {
  copyPresetName(getPresetNo(), name);
  name[kPresetNameSize] = 0;
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  if (index < 0 || index >= kNumPresets || !programs) return false;
  copyPresetName(index, text);
  text[kPresetNameSize] = 0;
  return true;
}

void CPresetSystemEffect::setParameter(VstInt32 index, float value) {
  if (index < 0 || index >= kNumPresetParams) return;
  setPresetValue(getPresetNo(), index, clampIncoming(value));
}

float CPresetSystemEffect::getParameter(VstInt32 index) {
  if (index < 0 || index >= kNumPresetParams) return -1.0f;
  return clampStored(presetValue(getPresetNo(), index));
}

void CPresetSystemEffect::setPresetNo(long n) {
  if (n < 0 || n >= kNumPresets) return;
  presetLoading.store(true);
  curProgram = 0;
  currentPreset.store(n);
  for (int i = 0; i < kNumPresetParams; ++i) setParameter(i, clampStored(presetValue(n, i)));
  if (PresetEditorLink* link = presetEditor()) link->forceRefresh();
  updateDisplay();
  beginEdit(0);
  endEdit(0);
  presetLoading.store(false);
}

void CPresetSystemEffect::setPresetName(const char* name) {
  curProgram = 0;
  if (name) {
    char cut[kPresetNameSize + 1] = {};
    std::memcpy(cut, name, strnlen(name, kPresetNameSize));
    storePresetName(getPresetNo(), cut);
  }
  if (PresetEditorLink* link = presetEditor()) link->forceRefresh();
  updateDisplay();
}

void CPresetSystemEffect::initializePreset(long n) {
  if (!programs || n < 0 || n >= kNumPresets) return;
  std::lock_guard<std::recursive_mutex> guard(tableLock);
  std::memcpy(programs[n].name, defaultPreset.name, kPresetNameSize);
  for (int i = 0; i < kNumPresetParams; ++i) setPresetValue(n, i, defaultPreset.params[i]);
}

void CPresetSystemEffect::loadDefaults() {
  if (programs) {
    std::lock_guard<std::recursive_mutex> guard(tableLock);
    std::memcpy(defaultPreset.name, programs[0].name, kPresetNameSize);
    for (int i = 0; i < kNumPresetParams; ++i) defaultPreset.params[i] = presetValue(0, i);
  }
  if (PresetEditorLink* link = presetEditor()) link->loadDefaults();
}

VstIntPtr CPresetSystemEffect::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float) {
  if (index != kLoadFileRequest && index != kSaveFileRequest) return 0;
  PresetEditorLink* link = presetEditor();
  const char* path = static_cast<const char*>(ptr);
  if (!link || !path || strnlen(path, kMaxRequestPath) == kMaxRequestPath) return 0;
  if (index == kSaveFileRequest) {
    if (value != 0 && value != 1) return 0;
    return link->saveFileAtPath(path, value == 1) ? 1 : 0;
  }
  constexpr VstIntPtr kReversedBit = 4;
  const VstIntPtr filter = value & ~kReversedBit;
  if (value < 0 || filter > 2) return 0;
  const PresetFileFilter which = filter == 1   ? PresetFileFilter::preset
                                 : filter == 2 ? PresetFileFilter::bank
                                               : PresetFileFilter::presetOrBank;
  switch (link->loadFileAtPath(path, which, (value & kReversedBit) != 0)) {
    case PresetFileLoad::preset:
      return 1;
    case PresetFileLoad::bank:
      return 2;
    default:
      return 0;
  }
}

VstInt32 CPresetSystemEffect::getChunk(void** data, bool) {
  if (!data) return 0;
  // The host's pointer always names our buffer, also when the answer is 0.
  *data = chunkBuffer;
  if (!chunkBuffer) return 0;
  std::lock_guard<std::recursive_mutex> guard(tableLock);
  std::memset(chunkBuffer, 0, chunkBufferSize);
  const int32_t marker = kChunkMarker;
  const int32_t id = getUniqueID();
  std::memcpy(chunkBuffer, &marker, 4);
  std::memcpy(chunkBuffer + 4, &id, 4);

  PresetEditorLink* link = presetEditor();
  if (!link) return 0;
  char* image = nullptr;
  const int length = link->BankToBuffer(&image);
  if (!image || length <= 0) {
    delete[] image;
    return 0;
  }
  if (static_cast<size_t>(length) + 8 > chunkBufferSize) {
    delete[] image;
    return 0;
  }
  std::memcpy(chunkBuffer + 8, image, static_cast<size_t>(length));
  delete[] image;
  *data = chunkBuffer;
  return length + 8;
}

VstInt32 CPresetSystemEffect::setChunk(void* data, VstInt32 byteSize, bool) {
  if (!chunkBuffer || !data || byteSize < 8) return -1;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  const size_t size = static_cast<size_t>(byteSize);

  const int32_t id = getUniqueID();
  const int32_t swappedId = static_cast<int32_t>(mySwapBytes(static_cast<uint32_t>(id)));
  const int32_t chunkId = readWord(bytes + 4, false);
  bool swapped;
  if (chunkId == id)
    swapped = false;
  else if (chunkId == swappedId)
    swapped = true;
  else
    return -1;

  const int32_t marker = readWord(bytes, swapped);
  if (marker == kChunkMarker) {
    if (size < 8 + sizeof(newpresetheader)) return -1;
    PresetEditorLink* link = presetEditor();
    if (!link) return 0;
    // Work on a copy of the header: the host's bytes are never written.
    newpresetheader header;
    std::memcpy(&header, bytes + 8, sizeof(header));
    if (swapped) link->byteSwapHeader(&header);
    const size_t recordsAt = 8 + sizeof(newpresetheader);
    return link->BufferToBank(reinterpret_cast<const char*>(bytes + recordsAt), size - recordsAt,
                              &header, swapped)
               ? 0
               : -1;
  }
  if (marker == kOldChunkMarker) return readOldChunk(bytes, size, swapped);
  return -1;
}

VstInt32 CPresetSystemEffect::readOldChunk(const unsigned char* data, size_t byteSize,
                                           bool swapped) {
  constexpr size_t kHead = 32;
  constexpr size_t kNameBytes = kPresetNameSize;
  if (!programs || byteSize < kHead) return -1;
  const int32_t count = readWord(data + 8, swapped);
  const int32_t selected = readWord(data + 12, swapped);
  if (count < 0) return -1;

  size_t stride = 0;
  int presetsRead = 0;
  int valuesRead = 0;
  if (count > 0) {
    stride = (byteSize - kHead) / static_cast<size_t>(count);
    // A preset needs at least its name: a chunk shorter than its count announces is rejected.
    if (stride < kNameBytes) return -1;
    stride = kNameBytes + (stride - kNameBytes) / 4 * 4;
    presetsRead = count < kNumPresets ? count : kNumPresets;
    const size_t floats = (stride - kNameBytes) / 4;
    valuesRead = floats < static_cast<size_t>(kNumPresetParams) ? static_cast<int>(floats)
                                                                : kNumPresetParams;
  }

  // Check every value before changing anything, so a bad chunk leaves the table as it was.
  for (int i = 0; i < presetsRead; ++i) {
    const unsigned char* preset = data + kHead + static_cast<size_t>(i) * stride;
    for (int j = 0; j < valuesRead; ++j) {
      if (isDummyOld(j)) continue;
      const float v = readFloat(preset + kNameBytes + 4 * static_cast<size_t>(j), swapped);
      if (v < 0.0f || v > 1.0f) return -1;
    }
  }

  {
    std::lock_guard<std::recursive_mutex> guard(tableLock);
    for (int i = 0; i < presetsRead; ++i) {
      const unsigned char* preset = data + kHead + static_cast<size_t>(i) * stride;
      initializePreset(i);
      std::memcpy(programs[i].name, preset, kNameBytes);
      for (int j = 0; j < valuesRead; ++j) {
        if (isDummyOld(j)) continue;
        const float v = readFloat(preset + kNameBytes + 4 * static_cast<size_t>(j), swapped);
        setPresetValue(i, j, std::isnan(v) ? 0.0f : v);
      }
    }
  }
  setPresetNo(selected >= 0 && selected < kNumPresets ? selected : 0);
  return 0;
}
