#include "CZelBitmap.h"

#include "ZelImageCache.h"
#include "ZelImageSize.h"

CZelBitmap::CZelBitmap(int id) : CBitmap(CResourceDescription(id)) {
  deferPlatformBitmap(getZelImageSize(static_cast<unsigned int>(id)));
}

CZelBitmap::~CZelBitmap() {
  setPlatformBitmap(nullptr);
  if (sharesImage) releaseZelImage(static_cast<unsigned int>(getResourceDescription().id));
}

IPlatformBitmap* CZelBitmap::createPlatformBitmap() {
  IPlatformBitmap* image = acquireZelImage(static_cast<unsigned int>(getResourceDescription().id));
  sharesImage = image != nullptr;
  return image;
}
