// The preset bar's remembered folder and file names: the folder of the last preset or bank
// file chosen (ending in '/'), and the names of the last bank and preset files.
#pragma once

#include "FileNames.h"

class Preferences;
class PreferencesStore;

struct RememberedPaths {
  char currentDirectory[kPathFieldSize] = {};
  char bankFileName[kPathFieldSize] = {};
  char presetFileName[kPathFieldSize] = {};
  // Changed since they were last recalled or stored.
  bool unsaved = false;

  // Takes a chosen preset or bank file's folder and name; false (nothing changes) when the path
  // does not split into a folder and name that fit.
  bool choosePreset(const char* path);
  bool chooseBank(const char* path);

  // Writes the three strings under "CurrDir", "CurrBank" and "CurrPreset"; false on failure.
  bool store(PreferencesStore& store);
  // Copies each of the three values that exists, cut to 256 bytes.
  void recall(const Preferences& prefs);
};
