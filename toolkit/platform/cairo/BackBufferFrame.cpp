#include "platform/cairo/BackBufferFrame.h"

BackBufferFrame::BackBufferFrame(IPlatformFrameOwner* frameOwner, const CRect& rect)
    : owner(frameOwner), frameRect(rect) {
  IPlatformBitmap* bitmap = IPlatformBitmap::create(rect.getSize());
  backBuffer = dynamic_cast<CairoBitmap*>(bitmap);
  if (bitmap && !backBuffer) bitmap->forget();
}

BackBufferFrame::~BackBufferFrame() {
  *alive = false;
  if (backBuffer) backBuffer->forget();
}

CDrawContext* BackBufferFrame::createDrawContext() {
  if (!backBuffer) return nullptr;
  return CairoDrawContext::create(backBuffer->getSurface(), this);
}
