#include "PresetPreferences.h"

#include <memory>
#include <vector>

#include "BankImage.h"
#include "CPresetSystemEffect.h"
#include "ImageLoader.h"
#include "PreferencesStore.h"
#include "PresetImageCodec.h"

namespace {

using ImageWriter = int (*)(CPresetSystemEffect&, char**);

bool storeImage(CPresetSystemEffect& effect, PreferencesStore& store, const char* key,
                ImageWriter writer) {
  char* image = nullptr;
  const int length = writer(effect, &image);
  std::unique_ptr<char[]> owned(image);
  if (!image || length <= 0) return false;
  return store.setData(key, image, static_cast<size_t>(length));
}

bool loadImage(CPresetSystemEffect& effect, const Preferences& prefs, const char* key,
               ImageKinds kinds) {
  std::vector<char> value;
  if (!prefs.getData(key, value)) return false;
  const ImageLoadResult result =
      loadImageOfAnyOrder(effect, value.data(), value.size(), kinds, false, false);
  return result == ImageLoadResult::presetLoaded || result == ImageLoadResult::bankLoaded;
}

}  // namespace

bool storePresetImage(CPresetSystemEffect& effect, PreferencesStore& store, const char* key) {
  return storeImage(effect, store, key, &PresetToBuffer);
}

bool storeBankImage(CPresetSystemEffect& effect, PreferencesStore& store) {
  return storeImage(effect, store, kDefaultBankKey, &BankToBuffer);
}

bool loadPresetImage(CPresetSystemEffect& effect, const Preferences& prefs, const char* key) {
  return loadImage(effect, prefs, key, ImageKinds::presets);
}

bool loadBankImage(CPresetSystemEffect& effect, const Preferences& prefs) {
  return loadImage(effect, prefs, kDefaultBankKey, ImageKinds::banks);
}

void applyStoredDefaults(CPresetSystemEffect& effect, const Preferences& prefs) {
  loadBankImage(effect, prefs);
  effect.setPresetNo(0);
  loadPresetImage(effect, prefs, kDefaultPresetKey);
}
