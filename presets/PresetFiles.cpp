#include "PresetFiles.h"

#include <memory>
#include <new>

#include "BankImage.h"
#include "CPresetSystemEffect.h"
#include "PresetImageCodec.h"
#include "XPlatFile.h"

namespace {

using ImageWriter = int (*)(CPresetSystemEffect&, char**);

bool saveImage(CPresetSystemEffect& effect, const char* dir, const char* name, ImageWriter writer) {
  char* image = nullptr;
  const int length = writer(effect, &image);
  std::unique_ptr<char[]> owned(image);
  if (!image || length <= 0) return false;
  void* file = nullptr;
  XPlatFileOpen(name, dir, &file, true);
  if (!file) return false;
  XPlatFileWrite(file, image, length);
  return XPlatFileClose(file);
}

}  // namespace

ImageLoadResult loadPresetOrBankFile(CPresetSystemEffect& effect, const char* dir, const char* name,
                                     ImageKinds kinds, bool reversed) {
  void* file = nullptr;
  const long size = XPlatFileOpen(name, dir, &file, false);
  if (!file) return ImageLoadResult::notAnImage;
  std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<size_t>(size) + 1]);
  const long got = bytes ? XPlatFileRead(file, bytes.get(), size) : 0;
  XPlatFileClose(file);
  if (!bytes) return ImageLoadResult::notAnImage;

  const ImageLoadResult result =
      loadImageOfAnyOrder(effect, bytes.get(), static_cast<size_t>(got), kinds, reversed, true);
  // A bank read from a file always ends on its first preset.
  if (result == ImageLoadResult::bankLoaded) effect.setPresetNo(0);
  return result;
}

bool savePresetFile(CPresetSystemEffect& effect, const char* dir, const char* name) {
  return saveImage(effect, dir, name, &PresetToBuffer);
}

bool saveBankFile(CPresetSystemEffect& effect, const char* dir, const char* name) {
  return saveImage(effect, dir, name, &BankToBuffer);
}
