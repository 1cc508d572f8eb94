#include "CSplashScreenMyView.h"

#include "CAbout.h"
#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFontDesc.h"
#include "CFrame.h"

CSplashScreenMyView::CSplashScreenMyView(const CRect& rect, CControlListener* l, int32_t t,
                                         CBitmap* picture, CAbout* owner, const CPoint& position)
    : CControl(rect, l, t, picture), about(owner), versionPosition(position) {}

CSplashScreenMyView::~CSplashScreenMyView() {
  if (about && about->pictureView == this) about->pictureView = nullptr;
}

void CSplashScreenMyView::draw(CDrawContext* context) {
  if (background) background->draw(context, size, CPoint(0, 0));
  context->setFont(kNormalFont, 14);
  context->setFontColor(kWhiteCColor);
  const CPoint origin(size.left + versionPosition.x, size.top + versionPosition.y);
  context->drawString(kVersionText, CRect(origin, CPoint(100, 15)), kLeftText, true);
  setDirty(false);
}

CMouseEventResult CSplashScreenMyView::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  // The frame holds this view for the time of the call, so releasing it here is safe;
  // nothing of the view is touched afterwards.
  if (about) {
    about->unSplash();  // detaches and releases this view
  } else if (CFrame* frame = getFrame()) {
    frame->setDirty(true);
    if (frame->getModalView() == this) {
      frame->setModalView(nullptr);
      forget();
    }
  }
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
