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

CCoord CBitmap::getWidth() const { return platformBitmap ? platformBitmap->getSize().x : 0; }

CCoord CBitmap::getHeight() const { return platformBitmap ? platformBitmap->getSize().y : 0; }

void CBitmap::setPlatformBitmap(IPlatformBitmap* bitmap) {
  if (bitmap == platformBitmap) return;
  if (bitmap) bitmap->remember();
  if (platformBitmap) platformBitmap->forget();
  platformBitmap = bitmap;
}
