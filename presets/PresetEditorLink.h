// What the program store needs from the editor object, which serialises
// presets and keeps the preset bar in step with the table.
#pragma once

#include <cstddef>

class CPresetSystemEffect;
struct newpresetheader;

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
};

// Makes the editor object of an effect. The plug-in's wiring supplies it, so the
// effect knows its editor object only through this interface.
using PresetEditorFactory = PresetEditorLink* (*)(CPresetSystemEffect* effect);
