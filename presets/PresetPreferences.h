// Preset and bank images kept in the user's preferences: the default preset, the
// default bank and the two quick memories A and B.
#pragma once

class CPresetSystemEffect;
class Preferences;
class PreferencesStore;

// The plug-in's preferences domain (vendor's domain reversed, then the product key).
inline constexpr char kPreferencesDomain[] = "audio.zel-trevalon.trevalon";

inline constexpr char kDefaultPresetKey[] = "DefaultPreset";
inline constexpr char kDefaultBankKey[] = "DefaultBank";
inline constexpr char kMemoAKey[] = "MemoAPreset";
inline constexpr char kMemoBKey[] = "MemoBPreset";

// Stores a preset image of the current preset under key; false when it was not written.
bool storePresetImage(CPresetSystemEffect& effect, PreferencesStore& store, const char* key);
// Stores a bank image under "DefaultBank"; false when it was not written.
bool storeBankImage(CPresetSystemEffect& effect, PreferencesStore& store);

// Applies the preset image (current or old format, either byte order) stored under key to the
// current preset. False when there is none or it is rejected; nothing changes then.
bool loadPresetImage(CPresetSystemEffect& effect, const Preferences& prefs, const char* key);
// Applies the stored default bank, which selects the preset its header names.
bool loadBankImage(CPresetSystemEffect& effect, const Preferences& prefs);

// A new instance's start: the default bank, preset 0, then the default preset into it.
void applyStoredDefaults(CPresetSystemEffect& effect, const Preferences& prefs);
