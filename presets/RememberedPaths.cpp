#include "RememberedPaths.h"

#include <cstring>
#include <string>

#include "PreferencesStore.h"

namespace {

constexpr char kDirKey[] = "CurrDir";
constexpr char kBankKey[] = "CurrBank";
constexpr char kPresetKey[] = "CurrPreset";

void recallOne(const Preferences& prefs, const char* key, char* field) {
  std::string value;
  if (!prefs.getString(key, value)) return;
  const size_t length = strnlen(value.c_str(), kPathFieldSize - 1);
  std::memcpy(field, value.data(), length);
  field[length] = 0;
}

}  // namespace

bool RememberedPaths::choosePreset(const char* path) {
  if (!XPlatGetFileNameAndDir(path, presetFileName, currentDirectory)) return false;
  unsaved = true;
  return true;
}

bool RememberedPaths::chooseBank(const char* path) {
  if (!XPlatGetFileNameAndDir(path, bankFileName, currentDirectory)) return false;
  unsaved = true;
  return true;
}

bool RememberedPaths::store(PreferencesStore& preferences) {
  const bool ok = preferences.update([this](Preferences& p) {
    p.setString(kDirKey, currentDirectory);
    p.setString(kBankKey, bankFileName);
    p.setString(kPresetKey, presetFileName);
  });
  if (ok) unsaved = false;
  return ok;
}

void RememberedPaths::recall(const Preferences& prefs) {
  recallOne(prefs, kDirKey, currentDirectory);
  recallOne(prefs, kBankKey, bankFileName);
  recallOne(prefs, kPresetKey, presetFileName);
  unsaved = false;
}
