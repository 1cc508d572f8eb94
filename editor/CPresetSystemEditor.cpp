#include "CPresetSystemEditor.h"

#include "BankImage.h"
#include "CPresetSystemEffect.h"
#include "PresetFiles.h"

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* owner)
    : AEffGUIEditor(owner), presetEffect(owner) {}

CPresetSystemEditor::~CPresetSystemEditor() {
  if (paths.unsaved) storePathsAndFilenames();
}

int CPresetSystemEditor::BankToBuffer(char** out) {
  return presetEffect ? ::BankToBuffer(*presetEffect, out) : 0;
}

bool CPresetSystemEditor::BufferToBank(const char* records, size_t recordBytes,
                                       const newpresetheader* header, bool swapped) {
  return presetEffect && header &&
         ::BufferToBank(*presetEffect, records, recordBytes, *header, swapped);
}

void CPresetSystemEditor::byteSwapHeader(newpresetheader* header) { ::byteSwapHeader(header); }

void CPresetSystemEditor::forceRefresh() {
  // Only marks: the editor's idle shows the values on its own thread.
  if (presetEffect) presetEffect->getParameterChanges().markAll();
}

bool CPresetSystemEditor::loadPresetFile(const char* path, bool reversed) {
  if (!presetEffect || !paths.choosePreset(path)) return false;
  storePathsAndFilenames();
  return loadPresetOrBankFile(*presetEffect, paths.currentDirectory, paths.presetFileName,
                              ImageKinds::presets, reversed) == ImageLoadResult::presetLoaded;
}

bool CPresetSystemEditor::savePresetFile(const char* path) {
  if (!presetEffect || !paths.choosePreset(path)) return false;
  storePathsAndFilenames();
  return ::savePresetFile(*presetEffect, paths.currentDirectory, paths.presetFileName);
}

bool CPresetSystemEditor::loadBankFile(const char* path, bool reversed) {
  if (!presetEffect || !paths.chooseBank(path)) return false;
  storePathsAndFilenames();
  return loadPresetOrBankFile(*presetEffect, paths.currentDirectory, paths.bankFileName,
                              ImageKinds::banks, reversed) == ImageLoadResult::bankLoaded;
}

bool CPresetSystemEditor::saveBankFile(const char* path) {
  if (!presetEffect || !paths.chooseBank(path)) return false;
  storePathsAndFilenames();
  return ::saveBankFile(*presetEffect, paths.currentDirectory, paths.bankFileName);
}

const char* CPresetSystemEditor::suggestedPresetName() {
  removeExtensions(paths.presetFileName);
  return paths.presetFileName;
}

bool CPresetSystemEditor::saveDefaultPreset() {
  return presetEffect && storePresetImage(*presetEffect, preferences, kDefaultPresetKey);
}

bool CPresetSystemEditor::resetDefaultPreset() { return preferences.remove(kDefaultPresetKey); }

bool CPresetSystemEditor::loadDefaultPreset() {
  return presetEffect && loadPresetImage(*presetEffect, preferences.read(), kDefaultPresetKey);
}

bool CPresetSystemEditor::saveDefaultBank() {
  return presetEffect && storeBankImage(*presetEffect, preferences);
}

bool CPresetSystemEditor::resetDefaultBank() { return preferences.remove(kDefaultBankKey); }

bool CPresetSystemEditor::loadDefaultBank() {
  return presetEffect && loadBankImage(*presetEffect, preferences.read());
}

bool CPresetSystemEditor::storeA() {
  return presetEffect && storePresetImage(*presetEffect, preferences, kMemoAKey);
}

bool CPresetSystemEditor::recallA() {
  return presetEffect && loadPresetImage(*presetEffect, preferences.read(), kMemoAKey);
}

bool CPresetSystemEditor::storeB() {
  return presetEffect && storePresetImage(*presetEffect, preferences, kMemoBKey);
}

bool CPresetSystemEditor::recallB() {
  return presetEffect && loadPresetImage(*presetEffect, preferences.read(), kMemoBKey);
}

bool CPresetSystemEditor::storePathsAndFilenames() { return paths.store(preferences); }

void CPresetSystemEditor::recallPathsAndFilenames() { paths.recall(preferences.read()); }

void CPresetSystemEditor::loadDefaults() {
  // One read of the preferences file serves the whole start.
  const Preferences prefs = preferences.read();
  if (presetEffect) applyStoredDefaults(*presetEffect, prefs);
  paths.recall(prefs);
}

PresetFileLoad CPresetSystemEditor::loadFileAtPath(const char* path, PresetFileFilter filter,
                                                   bool reversed) {
  if (!presetEffect) return PresetFileLoad::nothing;
  const ImageKinds kinds = filter == PresetFileFilter::preset ? ImageKinds::presets
                           : filter == PresetFileFilter::bank ? ImageKinds::banks
                                                              : ImageKinds::any;
  switch (loadPresetOrBankFile(*presetEffect, "", path, kinds, reversed)) {
    case ImageLoadResult::presetLoaded:
      return PresetFileLoad::preset;
    case ImageLoadResult::bankLoaded:
      return PresetFileLoad::bank;
    default:
      return PresetFileLoad::nothing;
  }
}

bool CPresetSystemEditor::saveFileAtPath(const char* path, bool bank) {
  if (!presetEffect || !path) return false;
  return bank ? ::saveBankFile(*presetEffect, "", path) : ::savePresetFile(*presetEffect, "", path);
}
