#include "CBitmap.h"

#include "CDrawContext.h"
#include "IPlatformBitmap.h"

CBitmap::CBitmap(const CResourceDescription& description) : resourceDescription(description) {}

CBitmap::CBitmap(CCoord width, CCoord height)
    : platformBitmap(IPlatformBitmap::create(CPoint(width, height))) {}

CBitmap::CBitmap(IPlatformBitmap* bitmap) { setPlatformBitmap(bitmap); }

CBitmap::~CBitmap() { setPlatformBitmap(nullptr); }

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float opacity) {
  if (context) context->drawBitmap(this, rect, offset, opacity);
}

CCoord CBitmap::getWidth() const {
  return platformBitmap ? platformBitmap->getSize().x : announced.x;
}

CCoord CBitmap::getHeight() const {
  return platformBitmap ? platformBitmap->getSize().y : announced.y;
}

IPlatformBitmap* CBitmap::getPlatformBitmap() const {
  if (deferred) {
    deferred = false;
    IPlatformBitmap* made = const_cast<CBitmap*>(this)->createPlatformBitmap();
    if (made) {
      const_cast<CBitmap*>(this)->setPlatformBitmap(made);
      made->forget();
    }
  }
  return platformBitmap;
}

void CBitmap::deferPlatformBitmap(const CPoint& announcedSize) {
  setPlatformBitmap(nullptr);
  announced = announcedSize;
  deferred = true;
}

void CBitmap::setPlatformBitmap(IPlatformBitmap* bitmap) {
  deferred = false;
  if (bitmap == platformBitmap) return;
  if (bitmap) bitmap->remember();
  if (platformBitmap) platformBitmap->forget();
  platformBitmap = bitmap;
}
