// What the program store needs from the editor object, which serialises
// presets and keeps the preset bar in step with the table.
#pragma once

#include <cstddef>

class CPresetSystemEffect;
struct newpresetheader;

// Which files a load by path takes, and what it loaded.
enum class PresetFileFilter { presetOrBank, preset, bank };
enum class PresetFileLoad { nothing, preset, bank };

class PresetEditorLink {
public:
  virtual ~PresetEditorLink() = default;
  // Allocates (new[]) and fills a bank image of the whole table; returns its length, 0 on failure.
  virtual int BankToBuffer(char** out) = 0;
  // Applies a bank image's records (recordBytes long) to the table; false when rejected.
  virtual bool BufferToBank(const char* records, size_t recordBytes, const newpresetheader* header,
                            bool swapped) = 0;
  // Reverses the byte order of the header's nine 32-bit fields in place.
  virtual void byteSwapHeader(newpresetheader* header) = 0;
  // The host renamed the current preset.
  virtual void nameChangedExternal(const char* name) = 0;
  // Any thread: the editor shows the current preset's name and values again at its next idle.
  virtual void forceRefresh() = 0;
  // UI thread: applies the user's stored defaults (default bank, preset 0, default preset into
  // it, remembered folder and names).
  virtual void loadDefaults() = 0;
  // UI thread: loads the preset or bank file at path as the preset bar would, without touching
  // the remembered names. Returns what was loaded.
  virtual PresetFileLoad loadFileAtPath(const char* path, PresetFileFilter filter,
                                        bool reversed) = 0;
  // UI thread: saves the current preset or the whole bank at path as the preset bar would,
  // without touching the remembered names; false when the save failed.
  virtual bool saveFileAtPath(const char* path, bool bank) = 0;
};

// Makes the editor object of an effect. The plug-in's wiring supplies it, so the
// effect knows its editor object only through this interface.
using PresetEditorFactory = PresetEditorLink* (*)(CPresetSystemEffect* effect);
