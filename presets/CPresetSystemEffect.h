// The program store: 48 named presets of sixteen values, the current preset,
// the default record, program names for the host and the state chunk.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>

#include "AudioEffectX.h"
#include "ParameterChanges.h"
#include "PresetRecord.h"

class PresetEditorLink;

class CPresetSystemEffect : public AudioEffectX {
public:
  // Bytes of the buffer getChunk hands the host: room for the chunk head and the whole bank.
  static constexpr size_t kChunkBufferSize = 32689;
  static constexpr int32_t kChunkMarker = 0x02000000;
  static constexpr int32_t kOldChunkMarker = 0x01000000;

  // effVendorSpecific requests (index), with value and a NUL-terminated path in ptr:
  // load a file: value 0 preset or bank by its kind byte, 1 preset files only, 2 bank files only,
  // plus 4 for an endian-reversed load; answers 1 for a preset loaded, 2 for a bank, 0 for none.
  static constexpr VstInt32 kLoadFileRequest = CCONST('Z', 'l', 'L', 'd');
  // save a file: value 0 the current preset as a preset file, 1 the bank; answers 1 or 0.
  static constexpr VstInt32 kSaveFileRequest = CCONST('Z', 'l', 'S', 'v');
  // Longest path such a request may carry.
  static constexpr size_t kMaxRequestPath = 4096;

  explicit CPresetSystemEffect(audioMasterCallback master);
  ~CPresetSystemEffect() override;

  void setProgram(VstInt32) override {}
  VstInt32 getProgram() override { return 0; }
  // UI thread: renames the current preset (name read up to 24 bytes).
  void setProgramName(char* name) override;
  // Writes the current preset's name: 24 bytes and a NUL (25 bytes).
  void getProgramName(char* name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  // Any thread: records a value in the current preset.
  void setParameter(VstInt32 index, float value) override;
  // The current preset's value, or -1 for an index outside 0 to 15.
  float getParameter(VstInt32 index) override;
  // UI thread: frames the whole bank; the pointer stays valid until the next call.
  VstInt32 getChunk(void** data, bool isPreset) override;
  // UI thread: reads a chunk (never writes into it); 0 on success, -1 when rejected.
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
  VstInt32 processEvents(VstEvents*) override { return 0; }
  // UI thread: the file requests of hosts and tools (kLoadFileRequest, kSaveFileRequest).
  VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  VstInt32 canDo(char*) override { return 0; }
  void resume() override {}

  virtual long getPresetNo() { return currentPreset.load(std::memory_order_relaxed); }
  // Selects preset n (0 to 47) and pushes its values into the effect.
  virtual void setPresetNo(long n);
  // Renames the current preset (when name is not null) and refreshes editor and host.
  virtual void setPresetName(const char* name);
  virtual int getUniqueID() { return cEffect.uniqueID; }
  // Resets preset n to the default record.
  virtual void initializePreset(long n);
  // Slots left out of preset and bank images.
  virtual bool isDummy(int index) = 0;
  // Slots left out of files and chunks in the old format (before bank images had records).
  virtual bool isDummyOld(int index) = 0;
  // Takes preset 0 as the default record; then, when the editor object exists, applies the
  // user's stored defaults through it.
  virtual void loadDefaults();
  // Fills the table with factory presets.
  virtual void initPresets() {}

  // Table access for the preset formats; values are atomic, names need the table lock.
  float presetValue(long preset, int slot) const;
  void setPresetValue(long preset, int slot, float value);
  void copyPresetName(long preset, char* out) const;  // 24 raw bytes
  void storePresetNameRaw(long preset, const char* name24);
  std::recursive_mutex& tableMutex() { return tableLock; }
  bool hasPresetTable() const { return programs != nullptr; }
  bool isPresetLoading() const { return presetLoading.load(std::memory_order_relaxed); }
  // Accepted parameter changes and preset selections, for the editor's idle to show.
  ParameterChanges& getParameterChanges() { return parameterChanges; }

protected:
  // The editor object's preset side, or null while there is none.
  virtual PresetEditorLink* presetEditor() { return nullptr; }
  // Stores a name by the 23-character rule.
  void storePresetName(long preset, const char* name);

  PresetRecord* programs = nullptr;
  std::atomic<long long> currentPreset{0};
  unsigned char* chunkBuffer = nullptr;
  size_t chunkBufferSize = 0;
  PresetRecord defaultPreset{};
  std::atomic<bool> presetLoading{false};
  ParameterChanges parameterChanges;

private:
  VstInt32 readOldChunk(const unsigned char* data, size_t byteSize, bool swapped);
  mutable std::recursive_mutex tableLock;
};
