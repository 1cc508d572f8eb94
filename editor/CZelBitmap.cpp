#include "CZelBitmap.h"

#include "IPlatformBitmap.h"
#include "ZelBinaryData.h"

CZelBitmap::CZelBitmap(int id) : CBitmap(CResourceDescription(id)) {
  setPlatformBitmap(nullptr);
  unsigned int size = 0;
  const unsigned char* data = getZelBinaryData(static_cast<unsigned int>(id), size);
  IPlatformBitmap* image = data ? IPlatformBitmap::createFromMemory(data, size)
                                : IPlatformBitmap::create(CPoint(400, 350));
  if (image) {
    setPlatformBitmap(image);
    image->forget();
  }
}
