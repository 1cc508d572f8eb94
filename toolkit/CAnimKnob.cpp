#include "CAnimKnob.h"

#include "CBitmap.h"

CAnimKnob::CAnimKnob(const CRect& rect, CControlListener* l, int32_t t, int32_t frames,
                     CCoord frameHeight, CBitmap* bitmap, const CPoint& offset)
    : CKnob(rect, l, t, bitmap, nullptr, offset) {
  subPixmaps = frames;
  heightOfOneImage = frameHeight;
}

CAnimKnob::CAnimKnob(const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap,
                     const CPoint& offset)
    : CKnob(rect, l, t, bitmap, nullptr, offset) {
  heightOfOneImage = rect.getHeight();
  subPixmaps = (bitmap && heightOfOneImage > 0)
                   ? static_cast<int32_t>(bitmap->getHeight() / heightOfOneImage + 0.5)
                   : 0;
}

CAnimKnob::~CAnimKnob() = default;

int32_t CAnimKnob::getFrameIndex() const {
  float range = vmax - vmin;
  float norm = range != 0 ? (getValue() - vmin) / range : 0.f;
  if (!(norm > 0) || subPixmaps < 1) return 0;
  if (norm > 1) norm = 1;
  return static_cast<int32_t>((subPixmaps - 1) * norm + 0.5f);
}

void CAnimKnob::draw(CDrawContext* context) {
  if (!background) return;
  CPoint where(backOffset.x, backOffset.y + getFrameIndex() * heightOfOneImage);
  background->draw(context, size, where);
}
